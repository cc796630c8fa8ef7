// The expedition's own commands: the stairs, picking up, resting and quitting.

#include "field/fieldcmd.h"

#include <string>

#include "core/catalog.h"
#include "core/console.h"
#include "core/gameend.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/rulenumbers.h"
#include "core/rules.h"
#include "core/ui.h"
#include "field/floor.h"

void stairsdown()
{
    if (pc.under != TDOWN) {
        addmes(_("\nそこには下り階段がない"));
        return;
    }
    floordown(1);
    arrow += STAIRSARROWS;
    addmes(_("\nあなたは階段を降りた"));
}

void stairsup()
{
    if (pc.under != TUP) {
        addmes(_("\nそこには上り階段がない"));
        return;
    }
    floordown(-1);
    addmes(_("\nあなたは階段を上った"));
}

namespace {
// The first item lying on the player's cell, or -1.
int itemhere()
{
    for (int i = 0; i < numitem; i++)
        if (!itm[i].taken && itm[i].x == pc.x && itm[i].y == pc.y) return i;
    return -1;
}

// A wand takes an empty slot of its own, its charges rolled by depth and its rarity.
bool pickwand(itemdata& it)
{
    int s = bagempty(inv, maxinv);
    if (s < 0) return false;
    inv[s].kind = it.id;
    inv[s].count = dice(2, trpcalc(depth, it.rare + pc.lv, 5) + 1, 0);
    addmes(NG_("\nあなたは%s(残り%d回)を拾った", "\nあなたは%s(残り%d回)を拾った", inv[s].count),
           _(it.name), inv[s].count);
    return true;
}

bool pickother(itemdata& it)
{
    if (!bagput(inv, maxinv, it.id, 1)) return false;
    addmes(_("\nあなたは%sを拾った"), _(it.name));
    return true;
}
}  // namespace

void pickup()
{
    int i = pc.under == TITEM ? itemhere() : -1;
    if (i < 0) {
        addmes(_("\nあなたは空気をつかんだ"));
        return;
    }
    itemdata& it = itm[i];
    if (!(it.kind == IWAND ? pickwand(it) : pickother(it))) {
        addmes(_("\n鞄にこれ以上入らない"));
        return;
    }
    it.taken = 1;
    pc.under = it.under;
}

namespace {
// Turns of rest that fill both bars: one hp comes back every 3 turns, one mp every 5.
int fullrest()
{
    int a = (pc.maxmp - pc.mp) * MPREGEN, b = (pc.maxhp - pc.hp) * HPREGEN;
    int turns = a < b ? b : a;
    return turns < 0 ? 0 : turns;  // a potion may have lifted hp above its maximum
}
}  // namespace

void restcmd()
{
    cls();
    for (;;) {
        print(_("何ターン休憩する？\n(&で全回復するまで)\n"));
        // 16 bytes hold any count that numc2int takes, and "&"
        std::string word = con().readword(16, true);
        if (word.empty()) {  // left with Escape: no rest, though the turn still passes
            rest = 0;
            return;
        }
        int turns = word[0] == '&' ? fullrest() : numc2int(word.c_str());
        if (turns >= 0) {
            rest = turns;
            return;
        }
    }
}

void quitcmd()
{
    cls();
    print(_("本当に終わる？\ny/n\n"));
    if (yesno()) gameend(EXITOK);
}
