#include "field/move.h"

#include <cstdlib>

#include "core/catalog.h"
#include "core/harm.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/rulenumbers.h"
#include "core/rules.h"
#include "core/state.h"
#include "field/kill.h"
#include "field/occupant.h"

namespace {
// What the player is told on arriving at a cell.
void landing(int code)
{
    switch (code) {
    case TROUGH:
    case TROUGH2: pc.spdmod = -ROUGHSLOW; break;
    case TITEM: {
        int it = itemat(pc.x, pc.y);
        if (it >= 0) addmes(_("\n%sがある"), _(itm[it].name));
        break;
    }
    case TDOWN: addmes(_("\nあなたは下り階段の上にいる")); break;
    case TUP: addmes(_("\nあなたは上り階段の上にいる")); break;
    default: break;
    }
}

// The player's blow: effective values and this turn's modifiers against the creature's
// effective values.
void pcattack(int i)
{
    npcdata& c = npc[i];
    if (std::rand() % 100 >= trpcalc(pc.dexcur + pc.dexmod, c.dexcur, 90)) {
        addmes(_("\n%sはあなたの攻撃をかわした"), _(c.name));
        return;
    }
    int damage = dice(3, trpcalc(pc.atkcur + pc.atkmod, c.defcur, 5), 0);
    c.hp -= damage;
    if (c.hp < 0) {
        addmes(_("\nあなたは%sを殴って%dのダメージを与えて殺した"), _(c.name),
               damage);
        kill(i, c.x, c.y);
    } else {
        addmes(_("\nあなたは%sを殴って%dのダメージを与えた"), _(c.name), damage);
    }
}

// A peaceful creature and the player trade places; each cell keeps its own terrain.
void swapwith(int i, int dx, int dy)
{
    npcdata& c = npc[i];
    pc.x += dx;
    pc.y += dy;
    c.x -= dx;
    c.y -= dy;
    int under = pc.under;
    pc.under = c.under;
    c.under = under;
    addmes(_("\nあなたは%sと入れ替わった"), _(c.name));
}

// A step of the player or a creature onto a free cell: the cell left gets its terrain back,
// the new one is occupied and its terrain kept beneath.
void stepto(int& x, int& y, int& under, int nx, int ny)
{
    setterrain(x, y, under);
    x = nx;
    y = ny;
    under = map[ny][nx];
    map[ny][nx] = TOCCUPIED;
}

// A creature's blow uses the base values on both sides.
void npcattack(const npcdata& c)
{
    if (std::rand() % 100 < trpcalc(c.dex, pc.dex, 90)) {
        int damage = dice(3, trpcalc(c.atk, pc.def, 5), 0);
        pc.hp -= damage;
        hurtby(HMELEE, c.name);
        addmes(_("\nあなたは%sに殴られて%dのダメージを受けた"), _(c.name),
               damage);
    } else {
        addmes(_("\nあなたは%sの攻撃をかわした"), _(c.name));
    }
    stopactivities();
}
}  // namespace

void stopactivities()
{
    rest = 0;
    gathering[2] = 0;
    eat[1] = 0;
}

void pcmove(int dx, int dy)
{
    int nx = pc.x + dx, ny = pc.y + dy;
    int t = cell(nx, ny);
    if (walkable(t)) {
        stepto(pc.x, pc.y, pc.under, nx, ny);
        landing(t);
    } else if (t == TWALL) {
        addmes(_("\nあなたは壁にぶつかった"));
    } else if (t == TOCCUPIED) {
        int i = npcat(nx, ny);
        if (i < 0) return;
        if (npc[i].attitude == -1) pcattack(i);
        else swapwith(i, dx, dy);
    }
}

void npcmove(int i, int dx, int dy)
{
    npcdata& c = npc[i];
    int nx = c.x + dx, ny = c.y + dy;
    int t = cell(nx, ny);
    if (walkable(t)) {
        stepto(c.x, c.y, c.under, nx, ny);
    } else if (nx == pc.x && ny == pc.y && c.attitude == -1) {
        npcattack(c);
    }
}

void randwalk(int i)
{
    static constexpr int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    if (std::rand() % 3 != 0) return;
    int d = std::rand() % 4;
    npcmove(i, steps[d][0], steps[d][1]);
}
