#pragma once
// The creature catalogue, the populations of the three grounds and the spells casters use.

#include "core/state.h"

constexpr int NNPCKIND = 13;

extern const npcdata npclist[NNPCKIND];
extern const int npcmagic[12];

// Fills minenpc, forestnpc and seanpc from the catalogue; rows 7..15 stay empty.
void setnpclist();
// True when catalogue kind lives on a ground (0 mine, 1 forest, 2 waterside).
bool livesin(int kind, int ground);
// The population of a ground: 0 mine, 1 forest, 2 waterside.
npcdata* population(int ground);
