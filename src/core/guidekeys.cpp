// The guide's pages of keys: the home menu and the field, each with the time it takes.

#include "core/guidepages.h"
#include "core/rulenumbers.h"
#include "core/text.h"

namespace {
// A number put into a short text of the page, such as a cost.
class numbered {
public:
    numbered(const char* fmt, int n) { format(text, sizeof text, fmt, n); }
    operator const char*() const { return text; }

private:
    char text[96];
};
}  // namespace

void homekeys(pagelines& w)
{
    w.line("家のキーとかかる時間。1行動で時計が進み(速さ60なら1分)、満腹度が1減る。");
    w.end();
    keyline(w, "a", "買う: 町の店で品物や装備品を買う", "1行動");
    keyline(w, "b", "売る: 自分の店に品物(a)や装備品(b)を並べる", "1行動");
    keyline(w, "", "  cを押すと、いま店に並んでいる品を見られる", "0");
    keyline(w, "c", "出かける: a鉱山 b森 c水場へ探索、d農園、e倉庫", "下を見て");
    keyline(w, "", "  ほかのキーなら出かけずに戻る", "0");
    keyline(w, "d", "捨てる: アイテム・装備品・素材を捨てる", "1行動");
    keyline(w, "e", "食べる: 食べ物を選んで食事をする(その間は動けない)",
            numbered("%d行動", MEALSTEPS));
    keyline(w, "", "  食べ物でないキーなら食べない", "1行動");
    keyline(w, "f", "装備: 装備する・はずす", "1行動");
    keyline(w, "g", "製作: 装備品・魔法の杖・料理を作る", numbered("%d行動", CRAFTACTIONS + 1));
    keyline(w, "", "  作らずにやめれば", "1行動");
    keyline(w, "h", "拡張: お金を払って倉庫・店・農園・街を広げる", "1行動");
    keyline(w, "i", "情報: 能力・持ち物・倉庫の中身を見る", "1行動");
    keyline(w, "j", "セーブ: 16か所のどれかに保存する", "1行動");
    keyline(w, "k", "終了: yでセーブせずに終わる。ほかのキーなら戻る", "0");
    keyline(w, "?", "このガイド", "0");
    keyline(w, "Ctrl-P", "メッセージ履歴: これまでのメッセージを読み返す", "0");
    keyline(w, "ほか", "ほかのキー(Enterなど)は何もしないが時間は進む", "1行動");
    w.line(" 数や値段を打つところは、ESCか何も打たずにEnterでやめられる(何も変わらない)。");
    w.end();
    heading(w, "【出かけた先の時間】");
    w.line(" 探索: 1ターンごとに1行動。家に戻ったときにもう1行動。");
    w.line(" 農園: 種まき・収穫・帰る(q)など、キー1回ごとに1行動。戻ってもう1行動。");
    w.line(" 倉庫: 出し入れに時間はかからない。家に戻ったときに1行動。");
    heading(w, "【日付が変わると】");
    w.line(" 自分の店に客が来て品が売れ、町の店の品ぞろえが変わる。");
    w.line(" 売り上げの知らせはメッセージに出る(Ctrl-Pの履歴でも読める)。");
}

void fieldkeys(pagelines& w)
{
    w.line("探索のキー。1ターンは1行動で、ターンが進むと生き物も動く。");
    w.end();
    keyline(w, "方向キー", "移動。敵にぶつかると攻撃、青い相手とは入れ替わる", "1ターン");
    keyline(w, "", "  --plainでは H(上) K(左) M(右) P(下) と打つ", "");
    keyline(w, ">", numbered("下り階段を降りる。矢が%d本増える", STAIRSARROWS), "1ターン");
    keyline(w, "<", "上り階段を上る。地下1階からなら家に帰る", "1ターン");
    keyline(w, "g", "足元の品物を拾う", "1ターン");
    keyline(w, "r", "休憩: 休むターン数を打ってEnter。&なら全回復まで", "その数");
    keyline(w, "f", "矢を射る: 方向キーで狙い、tかEnterで撃つ", "1ターン");
    keyline(w, "T", "薬を投げる: 狙い方はfと同じ", "1ターン");
    keyline(w, "t", numbered("アイテムを使う・杖を振る。食べ物は%dターンで食べる", MEALSTEPS),
            "1ターン");
    keyline(w, "m", "魔法を唱える: 覚えた魔法を選ぶ。MPを使う", "1ターン");
    keyline(w, "", "  リストや狙いをESCでやめれば(mはqでも)", "0");
    keyline(w, "", "  杖は狙いをやめても1回分減る(振るときに使うので)", "0");
    keyline(w, "*", "見回す: 方向キーで印を動かして調べる。ESCで終わる", "0");
    keyline(w, "F C D", "釣り・伐採・採掘: 続けて方向キーで隣のマスを選ぶ",
            numbered("%dターン", GATHERTURNS));
    keyline(w, "w", "装備する・はずす", "1ターン");
    keyline(w, "d", "捨てる", "1ターン");
    keyline(w, "?", "ヘルプ。その画面でもう一度?を押すとこのガイド", "0");
    keyline(w, "Ctrl-P", "メッセージ履歴: 画面から消えたメッセージも読める", "0");
    keyline(w, "x  ESC", "セーブせずに終わる: yで終わり、ほかのキーで戻る", "0");
    keyline(w, "ほか", "ほかのキー(Enterなど)は何もせず1ターン待つ", "1ターン");
    w.end();
    heading(w, "【ひとりでに続く行動】");
    w.line(" 休憩・採集・食事の間は画面が出ずにターンが進む。敵に殴られたとき、");
    w.line(" 魔法の矢を受けたとき、空気が張り詰めたときに止まる。");
}
