// The creatures' phase: the speed rule, chasing and fleeing, casting and throwing.

#include "field/creature.h"

#include <set>

#include "core/rules.h"
#include "field/move.h"
#include "field/npccast.h"
#include "field/occupant.h"
#include "fieldcheck.h"
#include "testkit.h"

namespace {
class Phase : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshgame(0);  // excite 5
        openfloor(20, 20);
    }
    // Actions creature i takes in each of n turns.
    std::string actions(int i, int n)
    {
        std::string seen;
        for (int t = 0; t < n; t++) {
            int before = npc[i].turns;
            npcphase();
            seen += std::to_string(npc[i].turns - before);
        }
        return seen;
    }
    // Walls on the four sides of (x, y).
    void boxin(int x, int y)
    {
        setcell(x - 1, y, TWALL);
        setcell(x + 1, y, TWALL);
        setcell(x, y - 1, TWALL);
        setcell(x, y + 1, TWALL);
    }
};

const int RAT = 0, INSECT = 2, SNAKE = 3, MAGICIAN = 4, DRUNKARD = 5, MINER = 10;
}  // namespace

TEST_F(Phase, SpeedSetsTheActionsAgainstThePlayers)
{
    putnpc(0, RAT, 5, 5);
    putnpc(1, SNAKE, 5, 30);
    putnpc(2, INSECT, 30, 5);
    EXPECT_EQ(actions(0, 6), "111111");
    putnpc(1, SNAKE, 5, 30);
    EXPECT_EQ(actions(1, 6), "101010");
    putnpc(2, INSECT, 30, 5);
    EXPECT_EQ(actions(2, 6), "211211");

    pc.spdmod = -30;  // the player stepped onto rough ground
    putnpc(0, RAT, 5, 5);
    EXPECT_EQ(actions(0, 1), "2");
}

TEST_F(Phase, NoSpeedDividesByZeroOrRunsAway)
{
    putnpc(0, RAT, 5, 5);
    pc.spdcur = 10, pc.spdmod = -30;  // counts as 1
    EXPECT_EQ(npc[0].turns, 0);
    npcphase();
    EXPECT_EQ(npc[0].turns, 60);

    pc.spdcur = 60, pc.spdmod = 0;
    npc[0].spdcur = 1000000;
    npc[0].spdturn = 1000;
    npcphase();
    EXPECT_EQ(npc[0].turns, 160);  // a hundred at most
    EXPECT_EQ(npc[0].energy, 0.0);

    // slowed below nothing it still crawls, so the slowing wears off
    putnpc(1, RAT, 5, 30);
    npc[1].spdcur = -50;
    npc[1].spdturn = 2;
    std::string seen = actions(1, 62);
    EXPECT_EQ(seen.substr(0, 59), "1" + std::string(58, '0'));
    EXPECT_EQ(seen.substr(60), "11");
    EXPECT_EQ(npc[1].spdcur, 60);
}

TEST_F(Phase, FightersCloseInAlongTheLongerDistanceAndSidewaysOnTies)
{
    openfloor(13, 12);
    putnpc(0, RAT, 10, 10);
    npcphase();
    EXPECT_EQ(npc[0].x, 11);
    EXPECT_EQ(npc[0].y, 10);

    openfloor(12, 13);
    putnpc(0, RAT, 10, 10);
    npcphase();
    EXPECT_EQ(npc[0].x, 10);
    EXPECT_EQ(npc[0].y, 11);

    openfloor(20, 20);
    putnpc(0, RAT, 21, 21);
    npcphase();
    EXPECT_EQ(npc[0].x, 20);
    EXPECT_EQ(npc[0].y, 21);
    EXPECT_STREQ(message, "");
    npcphase();
    EXPECT_NE(std::string(message).find("ねずみ"), std::string::npos);
    EXPECT_EQ(npc[0].y, 21);
}

TEST_F(Phase, OnlyCreaturesInsideTheAwarenessBoxHunt)
{
    putnpc(0, DRUNKARD, 25, 20);  // five columns away
    boxin(25, 20);
    for (int t = 0; t < 30; t++) npcphase();
    EXPECT_STREQ(message, "");

    putnpc(0, DRUNKARD, 24, 20);
    boxin(24, 20);
    npcphase();
    EXPECT_NE(std::string(message).find("酔っぱらいはあなたに"), std::string::npos);
}

TEST_F(Phase, CastersKeepTwoCellsOffAndThrowersBackOffAtTwo)
{
    for (auto [kind, from, to] : {std::tuple{MAGICIAN, 22, 23}, {MAGICIAN, 23, 22},
                                  {DRUNKARD, 22, 23}}) {
        int stepped = 0;
        for (int n = 0; n < 60; n++) {
            clearmes();
            putnpc(0, kind, from, 20);
            npc[0].mp = 0;  // a cast only says so
            npc[0].spdcur = 60;
            npcphase();
            map[20][npc[0].x] = TFLOOR;
            if (npc[0].x == to) stepped++;
            else EXPECT_NE(std::string(message).find("MPが足りなかった"), std::string::npos);
        }
        EXPECT_GT(stepped, kind == DRUNKARD ? 59 : 30) << "from " << from;
    }
    // a thrower three cells off in a line throws
    putnpc(0, DRUNKARD, 23, 20);
    npcphase();
    EXPECT_EQ(npc[0].x, 23);
    EXPECT_NE(std::string(message).find("投げつけた"), std::string::npos);
}

TEST_F(Phase, ACasterShortOfMPSpendsNothing)
{
    putnpc(0, MAGICIAN, 22, 20);
    npc[0].mp = 3;
    npccast(0);
    EXPECT_STREQ(message, "\n黒魔術師は軽傷治癒を詠唱しようとしたがMPが足りなかった");
    EXPECT_EQ(npc[0].mp, 3);
}

TEST_F(Phase, TheDepthOpensSpellsAndDeepFloorsStayInTheList)
{
    putnpc(0, MAGICIAN, 22, 20);
    npc[0].mp = 0;
    for (auto [floor, kinds] : {std::pair{2, 1}, {6, 3}, {100, 7}}) {
        depth = floor;
        std::set<std::string> names;
        for (int n = 0; n < 400; n++) {
            clearmes();
            npccast(0);
            names.insert(message);
        }
        EXPECT_EQ(names.size(), static_cast<size_t>(kinds)) << "floor " << floor;
    }
}

TEST_F(Phase, HealsAndArrowsOfAMagicianRollInRange)
{
    depth = 6;
    putnpc(0, MAGICIAN, 22, 20);
    int heal[2] = {99, 0}, hurt[2] = {99, 0};
    for (int n = 0; n < 3000; n++) {
        npc[0].mp = 25, npc[0].hp = 0, npc[0].maxhp = 100;
        pc.hp = 1000;
        rest = 5, gathering[2] = 5, eat[1] = 5;
        clearmes();
        npccast(0);
        if (std::string(message).find("軽傷治癒を詠唱し") != std::string::npos) {
            heal[0] = std::min(heal[0], npc[0].hp);
            heal[1] = std::max(heal[1], npc[0].hp);
            EXPECT_EQ(npc[0].mp, 20);
        }
        if (std::string(message).find("魔法の矢を詠唱し") != std::string::npos) {
            hurt[0] = std::min(hurt[0], 1000 - pc.hp);
            hurt[1] = std::max(hurt[1], 1000 - pc.hp);
            EXPECT_EQ(rest + gathering[2] + eat[1], 0);
        }
        map[npc[0].y][npc[0].x] = TFLOOR;  // back where it started, after a teleport
        npc[0].x = 22, npc[0].y = 20;
        map[20][22] = TOCCUPIED;
    }
    EXPECT_EQ(heal[0], 3);
    EXPECT_EQ(heal[1], 21);
    EXPECT_EQ(hurt[0], 2);
    EXPECT_EQ(hurt[1], 14);
}

TEST_F(Phase, ASuccessfulCastEndsThePhaseAndKeepsTheActionsInHand)
{
    putnpc(0, MAGICIAN, 22, 20);
    npc[0].spdcur = 120;  // two actions a turn
    npc[0].magcur = 1000;  // never fails
    npc[0].maxmp = npc[0].mp = 1000;
    bool cast = false;
    for (int t = 0; t < 50 && !cast; t++) {
        int before = npc[0].turns;
        double energy = npc[0].energy;
        clearmes();
        npcphase();
        cast = std::string(message).find("詠唱し") != std::string::npos;
        int acted = npc[0].turns - before;
        if (cast) {
            EXPECT_LT(npc[0].energy, 0.0);
            EXPECT_EQ(npc[0].energy, energy - 2 + acted);
        } else {
            EXPECT_GE(npc[0].energy, 0.0);
        }
        map[npc[0].y][npc[0].x] = TFLOOR;
        npc[0].x = 22, npc[0].y = 20;
        map[20][22] = TOCCUPIED;
    }
    EXPECT_TRUE(cast);
}

TEST_F(Phase, AThrownPotionStopsRestAndMealButNotGathering)
{
    putnpc(0, DRUNKARD, 23, 20);
    npc[0].dexcur = 1000;  // always hits
    npc[0].spdcur = 60;
    std::set<std::string> thrown;
    for (int n = 0; n < 300; n++) {
        rest = 5, gathering[2] = 5, eat[1] = 5;
        pc.lv = 5;
        pc.spdcur = 60, pc.spdturn = 0;  // a speed potion would skip a throw
        clearmes();
        npcphase();
        ASSERT_EQ(rest + eat[1], 0);
        ASSERT_EQ(gathering[2], 5);
        std::string m = message;
        thrown.insert(m.substr(0, m.find("を投げつけた")));
    }
    for (const std::string& t : thrown) {
        bool potion = false;
        for (const itemdata& it : itemlist)
            if (it.kind == IPOTION && t == std::string("\n酔っぱらいはあなたに") + it.name)
                potion = true;
        EXPECT_TRUE(potion) << t;
    }
    EXPECT_GT(thrown.size(), 10u);
}

TEST_F(Phase, ACasterWithNowhereToGoStaysPut)
{
    depth = 3;  // light heal or short teleport
    putnpc(0, MAGICIAN, 1, 1);
    for (int y = 1; y < 12; y++)
        for (int x = 1; x < 12; x++)
            if (map[y][x] == TFLOOR) setcell(x, y, TROUGH);
    npc[0].magcur = 1000;
    bool hopped = false;
    for (int n = 0; n < 50; n++) {
        npc[0].mp = 25;
        clearmes();
        npccast(0);
        hopped |= std::string(message).find("ショートテレポート") != std::string::npos;
        EXPECT_EQ(npc[0].x, 1);
        EXPECT_EQ(npc[0].y, 1);
    }
    EXPECT_TRUE(hopped);
}

TEST_F(Phase, TheGridStaysTrueThroughABusyFloor)
{
    depth = 3;
    excite = 40;  // everybody hunts
    numnpc = 32;
    pc.maxhp = pc.hp = 1000000;
    for (int s = 0; s < NMAGIC; s++) pc.magic[s] = s;  // no spell choice to answer
    for (int i = 0; i < 12; i++) putitem(i, i, 3 + 3 * i, 18 + i % 5);
    for (int x = 10; x < 30; x++) setcell(x, 25, x % 2 ? TROUGH : TDOWN);
    const int kinds[] = {RAT, INSECT, SNAKE, MAGICIAN, DRUNKARD, MINER, 1, 11};
    for (int i = 0; i < 32; i++) putnpc(i, kinds[i % 8], 3 + 3 * (i % 12), 18 + i % 5 + i / 12);
    ASSERT_EQ(cellproblems(), "");
    static const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    std::srand(5);
    std::string seen;
    for (int t = 0; t < 400; t++) {
        pc.atkcur = pc.dexcur = 40, pc.spdcur = 60;  // thrown potions wear off at once
        int d = std::rand() % 4;
        for (int e = 0; e < 4; e++) {  // swap with a person whenever one is at hand
            int i = npcat(pc.x + steps[e][0], pc.y + steps[e][1]);
            if (i >= 0 && npc[i].attitude == 0) d = e;
        }
        pcmove(steps[d][0], steps[d][1]);
        npcphase();
        ASSERT_EQ(cellproblems(), "") << "turn " << t;
        seen += message;
        clearmes();
    }
    for (const char* happened : {"殺した", "入れ替わった", "ショートテレポート", "投げつけた"})
        EXPECT_NE(seen.find(happened), std::string::npos) << happened;
}
