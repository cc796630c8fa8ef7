#pragma once
// Floors: the 18 map files, building and stocking a floor, and changing depth.

#include <cstddef>

#include "core/state.h"

constexpr int NGROUND = 3;  // mine, forest, waterside
constexpr int NMAPFILE = 6; // map0 .. map5 of each ground

// Room every map must leave for the most crowded mode: floor cells for its items, and
// cells to stand on for its creatures and the player. Placement never needs more.
constexpr int MINFLOOR = LISTSIZE;
constexpr int MINSTAND = MAXNPC + 1;

// Reads and checks every map file (done once at start-up) and keeps them in memory, so
// that building a floor reads no file. False with the reason in err when any is missing
// or unfit.
bool loadmaps(char* err, size_t cap);
// Reads one map file: 1600 codes 0..9, whitespace-separated, rows first. False with the
// reason in err.
bool readmap(const char* path, int codes[MAPH][MAPW], char* err, size_t cap);
// Puts a map into the table that floors are built from (the tests build their own).
void storemap(int ground, int n, const int codes[MAPH][MAPW]);
// Lays map n of a ground from the table onto map and mi: terrain only, nothing on it.
void laymap(int ground, int n);

// Builds the floor of ground dun: terrain from one of its maps, items, player, creatures.
void createmap();
// Changes depth by step and builds the new floor, or brings the player home at depth 0.
void floordown(int step);
