#include <cstdlib>

#include "core/state.h"
#include "field/effects.h"
#include "field/occupant.h"

namespace {
// Draws enough that a single fitting cell is all but sure to turn up, but never endless.
constexpr int SHORTDRAWS = 2000;
constexpr int FARDRAWS = 20000;

void pcto(int x, int y)
{
    setterrain(pc.x, pc.y, pc.under);
    pc.x = x;
    pc.y = y;
    pc.under = map[y][x];
    map[y][x] = TOCCUPIED;
}
}  // namespace

bool shorthop(int x, int y, int& nx, int& ny)
{
    for (int n = 0; n < SHORTDRAWS; n++) {
        int dx = 5 - std::rand() % 10;
        int dy = 5 - std::rand() % 10;
        int t = cell(x + dx, y + dy);
        if (t == TFLOOR || t == TDOWN) {
            nx = x + dx;
            ny = y + dy;
            return true;
        }
    }
    return false;
}

void shortteleport()
{
    int nx, ny;
    if (shorthop(pc.x, pc.y, nx, ny)) pcto(nx, ny);
}

void teleport()
{
    for (int n = 0; n < FARDRAWS; n++) {
        int x = std::rand() % MAPW;
        int y = std::rand() % MAPH;
        if (map[y][x] == TFLOOR) {
            pcto(x, y);
            return;
        }
    }
}
