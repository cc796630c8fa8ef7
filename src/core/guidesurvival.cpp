// The guide's page of what a player must know to live, with the game's own numbers.

#include <cstring>

#include "core/catalog.h"
#include "core/console.h"
#include "core/guidepages.h"
#include "core/lang.h"
#include "core/opts.h"
#include "core/rulenumbers.h"
#include "core/text.h"

namespace {
// The modes as the new game's menu names them, in the order of modetable.
const char* const modetitles[4] = {"Easy", "Normal", "Hard", "Extra"};

void floortime(pagelines& w)
{
    heading(w, _("【階にいられる時間】"));
    w.line(_(" 同じ階に長くいすぎると下の階に落ち、HPを%d失う(それで死ぬこともある)。"), FALLDAMAGE);
    w.line(_(" 残りが%dターンを切ると「空気が張り詰めている」と出て、休憩・採集・食事が\n"
             " 止まる。新しい階に着けば数え直し。いられるターン数は"),
           WARNTURNS);
    w.put(CWHITE, "  ");
    for (int m = 0; m < 4; m++) w.put(CWHITE, " %s %d", modetitles[m], modetable[m].stayfloor);
    w.end();
}

void food(pagelines& w)
{
    heading(w, _("【矢と食べ物】"));
    w.line(_(" 矢はゲームを始めるたびに(つづきからでも)%d本。階段を降りるたびに%d本\n"
             " 増え、射るたびに1本減る。矢の数はセーブされない。"),
           STARTARROWS, STAIRSARROWS);
    w.line(_(" 満腹度は1行動ごとに1減る。肉・魚・野菜・果物は素材で、そのままでは食べら\n"
             " れない。家のg(製作)の料理で焼肉などにしてから食べる。食糧はそのまま食べ\n"
             " られる。食事は%d行動かかり、満腹度が%d増える(探索中は%dまで)。"),
           MEALSTEPS, MEALFULL, FIELDFULL);
    w.line(_(" 満腹度が0の「餓死中」は、家で行動して家の画面に戻るたびに最大HPの1/%dを\n"
             " 失う(ガイドや履歴から戻ったときは失わない)。"),
           STARVEDIVISOR);
}

void life(pagelines& w)
{
    heading(w, _("【HPとレベルと魔法】"));
    w.line(_(" HPが0より下になると死ぬ。探索中はHPが%dターンに1、MPが%dターンに1回復し、\n"
             " 家に帰ると全快する。帰り道は地下1階の上り階段(<)か帰還の巻物。"),
           HPREGEN, MPREGEN);
    w.line(_(" 経験値が%dたまるとレベルが上がる。経験値は深い階の敵ほど多く、自分の\n"
             " レベルが高いほど少ない。"),
           LEVELEXP);
    char levels[64] = "";
    for (int lv = SPELLEVERY; lv <= LASTSPELLLEVEL; lv += SPELLEVERY) {
        size_t at = std::strlen(levels);
        format(levels + at, sizeof levels - at, lv == SPELLEVERY ? "%d" : _("・%d"), lv);
    }
    w.line(_(" レベル%sで魔法を1つ覚える。一度に何レベルも上がったときは、\n"
             " 途中のレベルの分は覚えない(最後のレベルだけ数える)。"),
           levels);
    if (opts.assist)
        w.line(_(" 選ぶ画面では魔法に a〜%c の文字とMPと働きが出る。魔法はmで唱え、MPを使う。"),
               'a' + NMAGIC - 1);
    else
        w.line(_(" 選ぶ画面には文字が出ないが、上から順に a〜%c のキーで選ぶ。魔法はmで唱え、\n"
                 " MPを使う。"),
               'a' + NMAGIC - 1);
}

void modes(pagelines& w)
{
    heading(w, _("【難易度】"));
    // each number stands right under the end of its column's title
    const char* const titles[] = {_("モード"), _("生き物"), _("落ちている品"), _("鞄の大きさ"),
                                  _("敵が気づく距離"), _("階の時間")};
    int cols[6];
    w.put(CWHITE, "  ");
    for (int c = 0; c < 6; c++) {
        cols[c] = textwidth(titles[c]);
        if (c == 0 && cols[0] < 6) cols[0] = 6;  // the widest mode's title
        w.cell(CWHITE, titles[c], c < 5 ? cols[c] + 3 : 0);
    }
    w.end();
    for (int m = 0; m < 4; m++) {
        const moderow& r = modetable[m];
        // a creature notices the player when closer than excite on both axes
        w.put(CWHITE, "  %-*s%*d%*d%*d%*d%*d", cols[0] + 3, modetitles[m], cols[1], r.numnpc,
              cols[2] + 3, r.numitem, cols[3] + 3, r.bag, cols[4] + 3, r.excite - 1, cols[5] + 3,
              r.stayfloor);
        w.end();
    }
}

void shop(pagelines& w)
{
    heading(w, _("【自分の店】"));
    w.line(_(" 日付が変わるたびに客が来る。客は1日に1人から商売レベルの数まで(いまは\n"
             " 最大%d人)。10人に%d人は装備品を、ほかはアイテムを見る。値段が適正価格\n"
             " より安いほど売れやすく、高いほど売れにくい。代金はその場でお金に入る。\n"
             " 並べた品は取り下げられない。並んでいる品は b(売る) の c で見られる。"),
           skl[2 * SKTRADE], EQUIPCUSTOMERS);
}
}  // namespace

void survival(pagelines& w)
{
    floortime(w);
    food(w);
    life(w);
    modes(w);
    shop(w);
}
