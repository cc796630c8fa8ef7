#include "core/creatures.h"

#include "core/lang.h"

// name, glyph, attitude, maxhp, maxmp, hp, mp, atk, def, dex, mag, spd,
// atkcur/turn, defcur/turn, dexcur/turn, magcur/turn, spdcur/turn, five modifiers,
// x, y, under, energy, turns, ai, exp, rare
const npcdata npclist[NNPCKIND] = {
    {N_("ねずみ"), 'r', -1, 5, 0, 5, 0, 5, 7, 15, 1, 60,
     5, 0, 7, 0, 15, 0, 1, 0, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0, 0, 5, 1},
    {N_("犬"), 'h', -1, 20, 0, 20, 0, 15, 10, 5, 1, 50,
     15, 0, 10, 0, 5, 0, 1, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0, 0, 8, 2},
    {N_("虫"), 'w', -1, 5, 0, 5, 0, 3, 5, 20, 1, 80,
     3, 0, 5, 0, 20, 0, 1, 0, 80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0, 0, 5, 1},
    {N_("蛇"), 's', -1, 15, 0, 15, 0, 15, 7, 15, 1, 30,
     15, 0, 7, 0, 15, 0, 1, 0, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0, 0, 8, 2},
    {N_("黒魔術師"), 'm', -1, 10, 25, 10, 25, 3, 7, 15, 15, 70,
     3, 0, 7, 0, 15, 0, 15, 0, 70, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0, 1, 8, 3},
    {N_("酔っぱらい"), 'd', -1, 10, 0, 10, 0, 5, 9, 15, 15, 50,
     5, 0, 9, 0, 15, 0, 15, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0, 2, 5, 3},
    {N_("サメ"), 's', -1, 20, 0, 20, 0, 15, 10, 10, 15, 50,
     15, 0, 10, 0, 10, 0, 15, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0, 0, 5, 2},
    {N_("イカ"), 'c', -1, 10, 0, 10, 0, 12, 10, 15, 15, 70,
     12, 0, 10, 0, 15, 0, 15, 0, 70, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0, 0, 5, 2},
    {N_("タコ"), 'o', -1, 15, 0, 15, 0, 10, 10, 15, 15, 60,
     10, 0, 10, 0, 15, 0, 15, 0, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0, 0, 5, 2},
    {N_("クラゲ"), 'j', -1, 10, 0, 10, 0, 10, 7, 20, 15, 60,
     10, 0, 7, 0, 20, 0, 15, 0, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0, 0, 5, 1},
    {N_("鉱夫"), 'p', 0, 15, 0, 10, 0, 20, 15, 10, 5, 60,
     10, 0, 7, 0, 20, 0, 15, 0, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0, 0, 5, 3},
    {N_("木こり"), 'p', 0, 15, 0, 10, 0, 20, 10, 15, 5, 60,
     10, 0, 7, 0, 20, 0, 15, 0, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0, 0, 5, 3},
    {N_("漁師"), 'p', 0, 15, 0, 10, 0, 15, 20, 10, 5, 60,
     10, 0, 7, 0, 20, 0, 15, 0, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0, 0, 5, 3},
};

// Light heal, short teleport, magic arrow, serious heal, teleport, magic missile,
// critical heal, then light heal again: a caster draws from the front by its depth.
const int npcmagic[12] = {0, 3, 5, 1, 4, 6, 2, 0, 0, 0, 0, 0};

namespace {
constexpr int minerows[7] = {0, 1, 2, 3, 4, 5, 10};
constexpr int forestrows[7] = {0, 1, 2, 3, 4, 5, 11};
constexpr int searows[7] = {4, 5, 6, 7, 8, 9, 12};

void fill(npcdata (&table)[16], const int (&rows)[7])
{
    for (npcdata& r : table) r.rare = 0;
    for (int i = 0; i < 7; i++) table[i] = npclist[rows[i]];
}
}  // namespace

void setnpclist()
{
    fill(minenpc, minerows);
    fill(forestnpc, forestrows);
    fill(seanpc, searows);
}

bool livesin(int kind, int ground)
{
    const int(&rows)[7] = ground == 1 ? forestrows : ground == 2 ? searows : minerows;
    for (int r : rows)
        if (r == kind) return true;
    return false;
}

npcdata* population(int ground)
{
    if (ground == 1) return forestnpc;
    if (ground == 2) return seanpc;
    return minenpc;
}
