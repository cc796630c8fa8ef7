#pragma once
// Floors: the 18 map files, building and stocking a floor, and changing depth.

#include <cstddef>

// Reads and checks every map file (done once at start-up). False with the reason in err
// when any is missing or unfit.
bool loadmaps(char* err, size_t cap);
// Builds the floor of ground dun: terrain from one of its maps, items, player, creatures.
void createmap();
// Changes depth by step and builds the new floor, or brings the player home at depth 0.
void floordown(int step);
