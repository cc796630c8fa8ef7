// The guide's page of what a player must know to live, with the game's own numbers.

#include "core/catalog.h"
#include "core/console.h"
#include "core/guidepages.h"
#include "core/rulenumbers.h"
#include "core/text.h"

namespace {
// The modes as the new game's menu names them, in the order of modetable.
const char* const modetitles[4] = {"Easy", "Normal", "Hard", "Extra"};

void floortime(pagelines& w)
{
    heading(w, "【階にいられる時間】");
    w.line(" 同じ階に長くいすぎると下の階に落ち、HPを%d失う(それで死ぬこともある)。", FALLDAMAGE);
    w.line(" 残りが%dターンを切ると「空気が張り詰めている」と出て、休憩・採集・食事が", WARNTURNS);
    w.line(" 止まる。新しい階に着けば数え直し。いられるターン数は");
    w.put(CWHITE, "  ");
    for (int m = 0; m < 4; m++) w.put(CWHITE, " %s %d", modetitles[m], modetable[m].stayfloor);
    w.end();
}

void food(pagelines& w)
{
    heading(w, "【矢と食べ物】");
    w.line(" 矢はゲームを始めるたびに(つづきからでも)%d本。階段を降りるたびに%d本", STARTARROWS,
           STAIRSARROWS);
    w.line(" 増え、射るたびに1本減る。矢の数はセーブされない。");
    w.line(" 満腹度は1行動ごとに1減る。肉・魚・野菜・果物は素材で、そのままでは食べら");
    w.line(" れない。家のg(製作)の料理で焼肉などにしてから食べる。食糧はそのまま食べ");
    w.line(" られる。食事は%d行動かかり、満腹度が%d増える(探索中は%dまで)。", MEALSTEPS,
           MEALFULL, FIELDFULL);
    w.line(" 満腹度が0の「餓死中」は、家の画面が出るたびに最大HPの1/%dを失う。", STARVEDIVISOR);
}

void life(pagelines& w)
{
    heading(w, "【HPとレベルと魔法】");
    w.line(" HPが0より下になると死ぬ。探索中はHPが%dターンに1、MPが%dターンに1回復し、",
           HPREGEN, MPREGEN);
    w.line(" 家に帰ると全快する。帰り道は地下1階の上り階段(<)か帰還の巻物。");
    w.line(" 経験値が%dたまるとレベルが上がる。経験値は深い階の敵ほど多く、自分の", LEVELEXP);
    w.line(" レベルが高いほど少ない。");
    w.put(CWHITE, " レベル");
    for (int lv = SPELLEVERY; lv <= LASTSPELLLEVEL; lv += SPELLEVERY)
        w.put(CWHITE, lv == SPELLEVERY ? "%d" : "・%d", lv);
    w.put(CWHITE, "で魔法を1つ覚える。選ぶ画面には文字が出ないが、");
    w.end();
    w.line(" 上から順に a〜%c のキーで選ぶ。魔法はmで唱え、MPを使う。", 'a' + NMAGIC - 1);
}

void modes(pagelines& w)
{
    heading(w, "【難易度】");
    w.put(CWHITE, "  ");
    for (const char* title : {"モード", "生き物", "落ちている品", "鞄の大きさ", "敵が気づく距離"})
        w.cell(CWHITE, title, textwidth(title) + 3);
    w.put(CWHITE, "階の時間");
    w.end();
    for (int m = 0; m < 4; m++) {
        const moderow& r = modetable[m];
        w.put(CWHITE, "  %-9s%6d%15d%13d%17d%11d", modetitles[m], r.numnpc, r.numitem, r.bag,
              r.excite, r.stayfloor);
        w.end();
    }
}

void shop(pagelines& w)
{
    heading(w, "【自分の店】");
    w.line(" 日付が変わるたびに客が来る。客は1日に1人から商売レベルの数まで(いまは");
    w.line(" 最大%d人)。10人に%d人は装備品を、ほかはアイテムを見る。値段が適正価格", skl[2 * SKTRADE],
           EQUIPCUSTOMERS);
    w.line(" より安いほど売れやすく、高いほど売れにくい。代金はその場でお金に入る。");
    w.line(" 並べた品は取り下げられない。並んでいる品は b(売る) の c で見られる。");
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
