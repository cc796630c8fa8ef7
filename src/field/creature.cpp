#include "field/creature.h"

#include <cstdlib>

#include "core/catalog.h"
#include "core/creatures.h"
#include "core/harm.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/rules.h"
#include "core/state.h"
#include "field/effects.h"
#include "field/move.h"
#include "field/npccast.h"
#include "field/occupant.h"

namespace {
// However fast a creature grows, one phase holds at most this many of its actions; a
// debt beyond it is forgiven rather than carried from turn to turn.
constexpr int MAXACTIONS = 100;

int distx(const npcdata& c) { return ab(pc.x - c.x); }
int disty(const npcdata& c) { return ab(pc.y - c.y); }

// Ties go to the horizontal step.
void steptoward(int i)
{
    const npcdata& c = npc[i];
    if (distx(c) < disty(c)) npcmove(i, 0, pc.y < c.y ? -1 : 1);
    else npcmove(i, pc.x < c.x ? -1 : 1, 0);
}

void stepaway(int i)
{
    const npcdata& c = npc[i];
    if (distx(c) < disty(c)) npcmove(i, 0, pc.y < c.y ? 1 : -1);
    else npcmove(i, pc.x < c.x ? 1 : -1, 0);
}

// Any potion of the catalogue, each in proportion to 1 / its rarity. Potions of rarity 1
// exist, so the draw always ends.
int drawpotion()
{
    for (;;) {
        int k = std::rand() % NITEM;
        if (itemlist[k].rare == 0) continue;
        if (std::rand() % itemlist[k].rare != 0) continue;
        if (itemlist[k].kind == IPOTION) return k;
    }
}

// A thrower's supply never runs out and nothing lands on the floor.
void throwpotion(const npcdata& c)
{
    int k = drawpotion();
    if (std::rand() % 100 < trpcalc(c.dexcur + c.dexmod, pc.dexcur + pc.dexmod, 75)) {
        addmes(_("\n%sはあなたに%sを投げつけた"), _(c.name), _(itemlist[k].name));
        rest = 0;
        eat[1] = 0;
        int before = pc.hp;
        useitem(k);
        if (pc.hp < before) hurtby(HPOTION, c.name, itemlist[k].name);
    } else {
        addmes(_("\n%sはあなたに%sを投げつけたがあなたには当たらなかった"),
               _(c.name), _(itemlist[k].name));
    }
}

// One action of a hostile creature that has noticed the player; true when it cast a
// spell, which ends its phase.
bool hunt(int i)
{
    const npcdata& c = npc[i];
    int ax = distx(c), ay = disty(c);
    switch (c.ai) {
    case 1:
        if (std::rand() % 100 <= 29 && ax <= 5 && ay <= 5) return npccast(i);
        if (ax + ay > 2) steptoward(i);
        else stepaway(i);
        return false;
    case 2:
        if (ax + ay <= 2) stepaway(i);
        else if (ax <= 4 && ay <= 4) throwpotion(c);
        else steptoward(i);
        return false;
    default: steptoward(i); return false;
    }
}

bool act(int i)
{
    const npcdata& c = npc[i];
    if (c.attitude == 0 || distx(c) >= excite || disty(c) >= excite) {
        randwalk(i);
        return false;
    }
    return hunt(i);
}

// After each action: running changes age, hp and mp come back, the action is paid for.
void bookkeeping(npcdata& c)
{
    for (int s = 0; s < NSTAT; s++) {
        statview v = statof(c, s);
        if (*v.turn > 0 && --*v.turn == 0) *v.cur = *v.base;
    }
    c.turns++;
    if (c.turns % 5 == 0 && c.mp < c.maxmp) c.mp++;
    if (c.turns % 3 == 0 && c.hp < c.maxhp) c.hp++;
    c.energy += 1.0;
}

// Speeds below 1 count as 1: the player's would divide by zero, a creature's would
// freeze it for good, since its running changes only age as it acts.
int speedof(int cur, int mod) { return cur + mod < 1 ? 1 : cur + mod; }

void phaseof(int i)
{
    npcdata& c = npc[i];
    c.atkmod = c.defmod = c.dexmod = c.magmod = c.spdmod = 0;
    if (c.hp < 0) return;
    c.energy -= static_cast<double>(speedof(c.spdcur, c.spdmod)) /
                speedof(pc.spdcur, pc.spdmod);
    for (int n = 0; c.energy < 0; n++) {
        if (n == MAXACTIONS) {
            c.energy = 0;
            return;
        }
        if (act(i)) return;
        bookkeeping(c);
    }
}
}  // namespace

void npcphase()
{
    int n = numnpc < MAXNPC ? numnpc : MAXNPC;
    for (int i = 0; i < n; i++) phaseof(i);
}
