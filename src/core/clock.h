#pragma once
// The game clock: every action advances it by the player's speed, makes the player
// hungrier, and a new day brings the own shop's customers and a new town stock.

#include "core/state.h"

// One action of game time.
void timeplus();

// Growth stage of a plot from its sowing time: 0 not sprouted, 1 sprouting, 2 growing,
// 3 ripe.
int grouthcalc(const cropdata& plot);

// The day's events, carried out by the trade module: the own shop's sales, then the
// town shop's new stock.
void sell();
void tonpcshop();
