// The end of every field turn, in its fixed order: the countdowns of what runs by itself,
// the player's regeneration, the creatures, the ageing of stat changes, the floor's time
// limit, the status lines and the clock.

#include "core/catalog.h"
#include "core/clock.h"
#include "core/harm.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/rulenumbers.h"
#include "core/rules.h"
#include "core/text.h"
#include "field/creature.h"
#include "field/dungeon.h"
#include "field/effects.h"
#include "field/floor.h"
#include "field/gather.h"

namespace {
// Counts a countdown down by one; true when this brought it to 0.
bool runsout(int& turns) { return turns > 0 && --turns == 0; }

void countdowns()
{
    if (runsout(rest)) addmes(_("\nあなたは休憩を終えた"));
    if (runsout(gathering[2])) gather(gathering[0], gathering[1]);
    if (runsout(tohouse)) floordown(-depth);
}

void mealends()
{
    if (!runsout(eat[1])) return;
    addclamped(pc.full, MEALFULL);
    if (pc.full > FIELDFULL) pc.full = FIELDFULL;
    int kind = eat[0] >= 0 && eat[0] < maxinv ? inv[eat[0]].kind : -1;
    if (kind < 0) return;  // nothing left in the slot to eat
    const char* name = _(itemlist[kind].name);
    int before = pc.hp;
    useitem(kind);
    if (pc.hp < before) hurtby(HATE, nullptr, name);
    itemconsume(eat[0], 1);
    addmes(_("\nあなたは%sを食べ終えた"), name);
}

// One mp every 5 turns on a floor, one hp every 3.
void regenerate()
{
    pc.floorturn++;
    if (pc.floorturn % MPREGEN == 0 && pc.mp < pc.maxmp) pc.mp++;
    if (pc.floorturn % HPREGEN == 0 && pc.hp < pc.maxhp) pc.hp++;
}

void agestats()
{
    for (int s = 0; s < NSTAT; s++) {
        statview v = statof(pc, s);
        if (runsout(*v.turn)) *v.cur = *v.base;
    }
}

// Too long on one floor and the player falls to the next; the last turns before warn and
// break off whatever runs by itself.
void floorlimit()
{
    if (pc.floorturn == stayfloor) {
        addmes(_("\nあなたは下の階に落ちた"));
        floordown(1);
        pc.hp -= FALLDAMAGE;
        hurtby(HFALL);
    }
    if (pc.floorturn > stayfloor - WARNTURNS) {
        addmes(_("\n空気が張り詰めている"));
        rest = gathering[2] = eat[1] = 0;
    }
}

void statuslines()
{
    int v[NSTAT];
    for (int s = 0; s < NSTAT; s++) v[s] = *statof(pc, s).cur + *statof(pc, s).mod;
    format(para, sizeof para, _("攻撃:%d 防御:%d 器用:%d 魔力:%d 速さ:%d"), v[ATK], v[DEF],
           v[DEX], v[MAG], v[SPD]);
    format(status, sizeof status, _("Lv:%d HP:%d/%d MP:%d/%d 矢:%d 次Lvまで%d"), pc.lv, pc.hp,
           pc.maxhp, pc.mp, pc.maxmp, arrow, 100 - pc.exp);
}
}  // namespace

void endturn()
{
    countdowns();
    mealends();
    regenerate();
    // once home, the creatures of the floor left behind can no longer reach the player
    if (depth > 0) npcphase();
    agestats();
    floorlimit();
    statuslines();
    timeplus();
}
