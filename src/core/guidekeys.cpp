// The guide's pages of keys: the home menu and the field, each with the time it takes.

#include "core/guidepages.h"
#include "core/lang.h"
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
    w.line(_("家のキーとかかる時間。1行動で時計が進み(速さ60なら1分)、満腹度が1減る。"));
    w.end();
    keyline(w, "a", _("買う: 町の店で品物や装備品を買う"), _("1行動"));
    keyline(w, "b", _("売る: 自分の店に品物(a)や装備品(b)を並べる"), _("1行動"));
    keyline(w, "", _("  cを押すと、いま店に並んでいる品を見られる"), "0");
    keyline(w, "c", _("出かける: a鉱山 b森 c水場へ探索、d農園、e倉庫"), _("下を見て"));
    keyline(w, "", _("  ほかのキーなら出かけずに戻る"), "0");
    keyline(w, "d", _("捨てる: アイテム・装備品・素材を捨てる"), _("1行動"));
    keyline(w, "e", _("食べる: 食べ物を選んで食事をする(その間は動けない)"),
            numbered(_("%d行動"), MEALSTEPS));
    keyline(w, "", _("  食べ物でないキーなら食べない"), _("1行動"));
    keyline(w, "f", _("装備: 装備する・はずす"), _("1行動"));
    keyline(w, "g", _("製作: 装備品・魔法の杖・料理を作る"), numbered(_("%d行動"), CRAFTACTIONS + 1));
    keyline(w, "", _("  作らずにやめれば"), _("1行動"));
    keyline(w, "h", _("拡張: お金を払って倉庫・店・農園・街を広げる"), _("1行動"));
    keyline(w, "i", _("情報: 能力・持ち物・倉庫の中身を見る"), _("1行動"));
    keyline(w, "j", _("セーブ: 16か所のどれかに保存する"), _("1行動"));
    keyline(w, "k", _("終了: yでセーブせずに終わる。ほかのキーなら戻る"), "0");
    keyline(w, "?", _("このガイド"), "0");
    keyline(w, "Ctrl-P", _("メッセージ履歴: これまでのメッセージを読み返す"), "0");
    keyline(w, _("ほか"), _("ほかのキー(Enterなど)は何もしないが時間は進む"), _("1行動"));
    w.line(_(" 数や値段を打つところは、ESCか何も打たずにEnterでやめられる(何も変わらない)。"));
    w.end();
    heading(w, _("【出かけた先の時間】"));
    w.line(_(" 探索: 1ターンごとに1行動。家に戻ったときにもう1行動。"));
    w.line(_(" 農園: 種まき・収穫・帰る(q)など、キー1回ごとに1行動。戻ってもう1行動。\n"
             "   種まき・収穫は、断られたときやリストをESCでやめたときは時間がかからない。"));
    w.line(_(" 倉庫: 出し入れに時間はかからない。家に戻ったときに1行動。"));
    heading(w, _("【日付が変わると】"));
    w.line(_(" 自分の店に客が来て品が売れ、町の店の品ぞろえが変わる。"));
    w.line(_(" 売り上げの知らせはメッセージに出る(Ctrl-Pの履歴でも読める)。"));
}

void fieldkeys(pagelines& w)
{
    w.line(_("探索のキー。1ターンは1行動で、ターンが進むと生き物も動く。"));
    w.end();
    keyline(w, _("方向キー"), _("移動。敵にぶつかると攻撃、青い相手とは入れ替わる"), _("1ターン"));
#ifdef __EMSCRIPTEN__
    // the page's buttons under the screen, for a device with no keys
    keyline(w, "", _("  画面の下のボタン: 矢印 PgUp PgDn Esc Enter ?"), "");
    keyline(w, "", _("  履歴(Ctrl-P) ⌨(端末のキーボードを出す)"), "");
#else
    keyline(w, "", _("  --plainでは H(上) K(左) M(右) P(下) と打つ"), "");
#endif
    keyline(w, ">", numbered(_("下り階段を降りる。矢が%d本増える"), STAIRSARROWS), _("1ターン"));
    keyline(w, "<", _("上り階段を上る。地下1階からなら家に帰る"), _("1ターン"));
    keyline(w, "g", _("足元の品物を拾う"), _("1ターン"));
    keyline(w, "r", _("休憩: 休むターン数を打ってEnter。&なら全回復まで"), _("その数"));
    keyline(w, "", _("  数を打たずにESCでやめても休憩のターンは過ぎる"), _("1ターン"));
    keyline(w, "f", _("矢を射る: 方向キーで狙い、tかEnterで撃つ"), _("1ターン"));
    keyline(w, "T", _("薬を投げる: 狙い方はfと同じ"), _("1ターン"));
    keyline(w, "t", numbered(_("アイテムを使う・杖を振る。食べ物は%dターンで食べる"), MEALSTEPS),
            _("1ターン"));
    keyline(w, "m", _("魔法を唱える: 覚えた魔法を選ぶ。MPを使う"), _("1ターン"));
    keyline(w, "", _("  リストや狙いをESCでやめれば(mはqでも)"), "0");
    keyline(w, "", _("  杖は狙いをやめても1回分減る(振るときに使うので)"), "0");
    keyline(w, "*", _("見回す: 方向キーで印を動かして調べる。ESCで終わる"), "0");
    keyline(w, "F C D", _("釣り・伐採・採掘: 続けて方向キーで隣のマスを選ぶ"),
            numbered(_("%dターン"), GATHERTURNS));
    keyline(w, "w", _("装備する・はずす"), _("1ターン"));
    keyline(w, "d", _("捨てる"), _("1ターン"));
    keyline(w, "?", _("ヘルプ。その画面でもう一度?を押すとこのガイド"), "0");
    keyline(w, "Ctrl-P", _("メッセージ履歴: 画面から消えたメッセージも読める"), "0");
    keyline(w, "x  ESC", _("セーブせずに終わる: yで終わり、ほかのキーで戻る"), "0");
    keyline(w, _("ほか"), _("ほかのキー(Enterなど)は何もせず1ターン待つ"), _("1ターン"));
    w.end();
    heading(w, _("【ひとりでに続く行動】"));
    w.line(_(" 休憩・採集・食事の間は画面が出ずにターンが進む。敵に殴りかかられたとき(外れ\n"
             " ても)、魔法の矢を受けたとき、空気が張り詰めたときに止まる。投げつけられた薬\n"
             " が当たったときも、休憩と食事は止まる(採集は続く)。"));
}
