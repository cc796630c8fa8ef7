#include "fieldcheck.h"

#include "core/state.h"

namespace {
// The terrain beneath (x, y): the grid, or the under of whoever stands there.
int beneath(int x, int y)
{
    if (pc.x == x && pc.y == y) return pc.under;
    for (int i = 0; i < numnpc; i++)
        if (npc[i].hp >= 0 && npc[i].x == x && npc[i].y == y) return npc[i].under;
    return map[y][x];
}
}  // namespace

std::string cellproblems()
{
    std::string err;
    int living = 1, tens = 0;
    if (!onmap(pc.x, pc.y) || map[pc.y][pc.x] != TOCCUPIED) err += "player's cell not 10; ";
    for (int i = 0; i < numnpc; i++) {
        const npcdata& c = npc[i];
        if (c.hp < 0) continue;
        living++;
        if (!onmap(c.x, c.y)) {
            err += "creature off the grid; ";
            continue;
        }
        if (map[c.y][c.x] != TOCCUPIED) err += "creature's cell not 10; ";
    }
    for (int y = 0; y < MAPH; y++)
        for (int x = 0; x < MAPW; x++) tens += map[y][x] == TOCCUPIED;
    if (tens != living)
        err += std::to_string(tens) + " cells of 10 for " + std::to_string(living) + "; ";
    for (int i = 0; i < numitem; i++)
        if (!itm[i].taken && beneath(itm[i].x, itm[i].y) != TITEM) err += "item lost its 11; ";
    return err;
}

int count(const std::string& s, const std::string& text)
{
    int n = 0;
    for (size_t p = s.find(text); p != std::string::npos; p = s.find(text, p + text.size())) n++;
    return n;
}
