// Building a floor: terrain from one of the ground's maps, then its items, the player and
// its creatures on random cells; and the changes of depth that lead to a new floor or home.

#include "field/floor.h"

#include <cstdlib>

#include "core/catalog.h"
#include "core/creatures.h"

namespace {
// Random draws for a cell before a placement falls back to looking through the grid in
// order: far more than any real map needs, and a crowded floor still fills without hanging.
constexpr int PLACEDRAWS = 4 * MAPW * MAPH;
constexpr int POPULATION = 16;

bool itemfits(int code) { return code == TFLOOR; }

bool standfits(int code)
{
    return code == TFLOOR || code == TDOWN || code == TUP || code == TROUGH ||
           code == TROUGH2 || code == TITEM;
}

// A cell whose terrain fits: drawn at random (column, then row); after PLACEDRAWS misses,
// the first fitting cell in reading order. False when no cell fits at all.
bool findcell(bool (*fits)(int), int& x, int& y)
{
    for (int i = 0; i < PLACEDRAWS; i++) {
        x = std::rand() % MAPW;
        y = std::rand() % MAPH;
        if (fits(map[y][x])) return true;
    }
    for (y = 0; y < MAPH; y++)
        for (x = 0; x < MAPW; x++)
            if (fits(map[y][x])) return true;
    return false;
}

// An item kind, each taken with weight 1 / its rarity; dishes (rarity 0) never lie about.
int drawitem()
{
    for (;;) {
        int k = std::rand() % NITEM;
        int rare = itemlist[k].rare;
        if (rare > 0 && std::rand() % rare == 0) return k;
    }
}

// A population row, each taken with weight 1 / its rarity. pop has a row in use.
int drawrow(const npcdata* pop)
{
    for (;;) {
        int k = std::rand() & (POPULATION - 1);
        int rare = pop[k].rare;
        if (rare > 0 && std::rand() % rare == 0) return k;
    }
}

bool inhabited(const npcdata* pop)
{
    for (int k = 0; k < POPULATION; k++)
        if (pop[k].rare > 0) return true;
    return false;
}

void stockitem(int i)
{
    itm[i] = itemlist[drawitem()];
    int x, y;
    if (!findcell(itemfits, x, y)) {
        itm[i].taken = 1;  // no floor left for it: it is simply not on this floor
        return;
    }
    itm[i].under = map[y][x];
    itm[i].x = x;
    itm[i].y = y;
    map[y][x] = TITEM;
}

void placeplayer()
{
    int x, y;
    // every stored map leaves room (loadmaps checks it); (0, 0) only keeps the grid whole
    if (!findcell(standfits, x, y)) x = y = 0;
    pc.x = x;
    pc.y = y;
    pc.under = map[y][x];
    map[y][x] = TOCCUPIED;
}

// Creature slot i: a row of the population on a free cell, or dead when none is left.
void stocknpc(int i, const npcdata* pop)
{
    int x, y;
    if (!pop) {
        npc[i] = npcdata{};
        npc[i].hp = -1;
        return;
    }
    npc[i] = pop[drawrow(pop)];
    if (!findcell(standfits, x, y)) {
        npc[i].hp = -1;
        return;
    }
    npc[i].x = x;
    npc[i].y = y;
    npc[i].under = map[y][x];
    map[y][x] = TOCCUPIED;
}

// Back home: healed, every running change over, nothing of the field left counting down.
void comehome()
{
    depth = 0;
    gathering[2] = 0;
    rest = 0;
    tohouse = 0;  // a return scroll read before taking the stairs home has done its work
    pc.hp = pc.maxhp;
    pc.mp = pc.maxmp;
    for (int s = 0; s < NSTAT; s++) {
        statview v = statof(pc, s);
        *v.cur = *v.base;
        *v.turn = 0;
    }
}
}  // namespace

void createmap()
{
    laymap(dun, std::rand() % NMAPFILE);
    for (int i = 0; i < numitem; i++) stockitem(i);
    placeplayer();
    const npcdata* pop = population(dun);
    if (!inhabited(pop)) pop = nullptr;  // populations not set up: an empty floor, not a hang
    for (int i = 0; i < numnpc; i++) stocknpc(i, pop);
}

void floordown(int step)
{
    depth += step;
    pc.floorturn = 0;
    if (depth > 0) createmap();
    else comehome();
}
