// Building and stocking floors, and the changes of depth.

#include "field/floor.h"

#include <cstring>
#include <set>

#include "core/catalog.h"
#include "core/creatures.h"
#include "floorkit.h"
#include "testkit.h"

class Floor : public GameTest {};

namespace {
bool stands(int code)
{
    return code == TFLOOR || code == TDOWN || code == TUP || code == TROUGH || code == TROUGH2 ||
           code == TITEM;
}

// Everything createmap put down, checked against the map: every item on floor, every
// creature and the player alone on a cell they may stand on, the grid coded to match.
void expectstocked(int placeditems, int livenpcs)
{
    int occupied = 0, itemcells = 0;
    for (int y = 0; y < MAPH; y++)
        for (int x = 0; x < MAPW; x++) {
            occupied += map[y][x] == TOCCUPIED;
            itemcells += map[y][x] == TITEM;
        }
    std::set<std::pair<int, int>> cells;
    int items = 0, covered = 0, alive = 0;
    for (int i = 0; i < numitem; i++) {
        if (itm[i].taken) continue;
        items++;
        EXPECT_EQ(itm[i].under, TFLOOR);
        EXPECT_GT(itm[i].rare, 0) << "dishes never lie on a floor";
        EXPECT_TRUE(cells.insert({itm[i].x, itm[i].y}).second) << "items never share a cell";
        int code = map[itm[i].y][itm[i].x];
        EXPECT_TRUE(code == TITEM || code == TOCCUPIED);
        covered += code == TOCCUPIED;
    }
    cells.clear();
    EXPECT_EQ(map[pc.y][pc.x], TOCCUPIED);
    EXPECT_TRUE(stands(pc.under));
    cells.insert({pc.x, pc.y});
    for (int i = 0; i < numnpc; i++) {
        if (npc[i].hp < 0) continue;
        alive++;
        EXPECT_EQ(map[npc[i].y][npc[i].x], TOCCUPIED);
        EXPECT_TRUE(stands(npc[i].under));
        EXPECT_TRUE(cells.insert({npc[i].x, npc[i].y}).second) << "one creature a cell";
        EXPECT_EQ(npc[i].energy, 0.0);
    }
    EXPECT_EQ(items, placeditems);
    EXPECT_EQ(alive, livenpcs);
    EXPECT_EQ(occupied, alive + 1);
    EXPECT_EQ(itemcells + covered, items) << "an item under a creature is still there";
}
}  // namespace

TEST_F(Floor, EveryModeStocksItsItemsAndCreaturesOnLegalCells)
{
    loadgamemaps();
    for (int mode = 0; mode < 4; mode++)
        for (int ground = 0; ground < 3; ground++) {
            SCOPED_TRACE("mode " + std::to_string(mode) + " ground " + std::to_string(ground));
            freshgame(mode);
            dun = ground;
            depth = 1;
            std::srand(100 + mode * 3 + ground);
            createmap();
            expectstocked(numitem, numnpc);
            const npcdata* pop = population(ground);
            for (int i = 0; i < numnpc; i++) {
                bool fromground = false;
                for (int k = 0; k < 16; k++)
                    fromground = fromground || (pop[k].rare && pop[k].name == npc[i].name);
                EXPECT_TRUE(fromground) << npc[i].name;
            }
        }
}

TEST_F(Floor, TheFirstDrawChoosesTheMap)
{
    codes m;
    for (int n = 0; n < NMAPFILE; n++) {
        openmap(m);
        m[1][1 + n] = TTREE;  // each map marked by where its tree stands
        for (int g = 0; g < NGROUND; g++) storemap(g, n, m);
    }
    freshgame(0);
    dun = 2;
    std::srand(77);
    int n = std::rand() % 6;
    std::srand(77);
    createmap();
    EXPECT_EQ(map[1][1 + n], TTREE);
    EXPECT_EQ(mi[1][1 + n].glyph, '|');
    EXPECT_EQ(map[20][1], TFLOOR) << "floors read nothing of the previous floor";
}

TEST_F(Floor, AFloorWithJustEnoughRoomIsFilledWithoutHanging)
{
    // 32 floor cells for the easy mode's items, 129 to stand on for the lunatic mode
    codes m;
    for (int y = 0; y < MAPH; y++)
        for (int x = 0; x < MAPW; x++) m[y][x] = TWALL;
    for (int i = 0; i < MINSTAND; i++) m[10 + i / 20][10 + i % 20] = i < MINFLOOR ? TFLOOR : TROUGH;
    storeall(m);
    for (int mode : {0, 3}) {
        freshgame(mode);
        dun = 0;
        createmap();
        expectstocked(numitem, numnpc);
    }
}

TEST_F(Floor, WhatFindsNoCellIsLeftOffTheFloor)
{
    codes m;
    for (int y = 0; y < MAPH; y++)
        for (int x = 0; x < MAPW; x++) m[y][x] = TWALL;
    m[5][5] = m[5][6] = TFLOOR;
    m[6][5] = TUP;
    storeall(m);
    freshgame(2);  // 8 items, 64 creatures
    dun = 1;
    createmap();
    expectstocked(2, 2);  // two items on the floor; player and two creatures on the three cells
    for (int i = 2; i < numitem; i++) EXPECT_EQ(itm[i].taken, 1);
}

TEST_F(Floor, AGroundWithoutCreaturesGivesAnEmptyFloor)
{
    codes m;
    openmap(m);
    storeall(m);
    freshgame(1);
    for (npcdata& r : minenpc) r.rare = 0;
    dun = 0;
    createmap();
    expectstocked(numitem, 0);
}

TEST_F(Floor, StepsChangeDepthAndBuildANewFloor)
{
    codes m;
    openmap(m);
    storeall(m);
    freshgame(1);
    depth = 3;
    pc.floorturn = 120;
    floordown(1);
    EXPECT_EQ(depth, 4);
    EXPECT_EQ(pc.floorturn, 0);
    expectstocked(numitem, numnpc);
    floordown(-1);
    EXPECT_EQ(depth, 3);
}

TEST_F(Floor, ReturningHomeHealsAndEndsWhatRanInTheField)
{
    freshgame(0);
    openfloor(10, 10);
    depth = 2;
    pc.hp = 3;
    pc.mp = 0;
    pc.atkcur = 16, pc.atkturn = 5;
    pc.spdcur = 30, pc.spdturn = 2;
    rest = 40;
    gathering[2] = 6;
    tohouse = 4;
    eat[1] = 5;
    int before[MAPH][MAPW];
    std::memcpy(before, map, sizeof map);
    int draw = (std::srand(9), std::rand());
    std::srand(9);
    floordown(-depth);
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(pc.hp, pc.maxhp);
    EXPECT_EQ(pc.mp, pc.maxmp);
    EXPECT_TRUE(pc.atkcur == pc.atk && pc.atkturn == 0 && pc.spdcur == pc.spd && pc.spdturn == 0);
    EXPECT_EQ(rest, 0);
    EXPECT_EQ(gathering[2], 0);
    EXPECT_EQ(tohouse, 0) << "a return scroll does not follow the player into the next expedition";
    EXPECT_EQ(eat[1], 5) << "a meal goes on at home";
    EXPECT_EQ(std::memcmp(before, map, sizeof map), 0) << "no floor is built at home";
    EXPECT_EQ(std::rand(), draw) << "and nothing drawn for one";
}
