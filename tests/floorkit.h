#pragma once
// What the field tests share beyond testkit: maps put straight into the table floors are
// built from, and the field screen read back cell by cell with its colours.

#include <string>
#include <vector>

#include "core/state.h"

using codes = int[MAPH][MAPW];

// A map walled round the edge, open floor inside, stairs down at (5, 5) and up at (6, 5).
void openmap(codes& m);
// The same map in all 18 places of the table.
void storeall(const codes& m);
// The committed maps of the game, read into the table (from the source folder).
void loadgamemaps();
// A new game of the mode standing at (20, 20) on the first floor of the open map, which
// every floor built from now on is made of.
void openfield(int mode);

// The newest screen of the scripted console as lines, each character with the colour it
// was written in (bytes of a character share its colour).
struct painted {
    std::vector<std::string> lines;
    std::vector<std::vector<int>> attrs;
    // The glyph and colour of cell c (0..19) of window row r.
    char glyph(int r, int c) const { return lines[r][2 * c]; }
    int attr(int r, int c) const { return attrs[r][2 * c]; }
};
painted lastscreen(const std::string& paintedtext);
