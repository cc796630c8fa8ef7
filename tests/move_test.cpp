// Walking the floor, swapping with people, and the blows of melee on both sides.

#include "field/move.h"

#include "core/rules.h"
#include "fieldcheck.h"
#include "testkit.h"

namespace {
class Move : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshgame(0);
        openfloor(20, 20);
    }
};
}  // namespace

TEST_F(Move, StairsAndItemsAreNamedOnArrivalAndShowAgainWhenLeft)
{
    setcell(21, 20, TDOWN);
    putitem(0, 0, 22, 20);
    pcmove(1, 0);
    EXPECT_STREQ(message, "\nあなたは下り階段の上にいる");
    EXPECT_EQ(pc.under, TDOWN);
    clearmes();
    pcmove(1, 0);
    EXPECT_STREQ(message, "\n体力回復の薬がある");
    EXPECT_EQ(map[20][21], TDOWN);
    EXPECT_EQ(mi[20][21].glyph, '>');
    EXPECT_EQ(itm[0].taken, 0);
    pcmove(1, 0);
    EXPECT_EQ(map[20][22], TITEM);
    EXPECT_EQ(cellproblems(), "");
}

TEST_F(Move, ObstaclesCostTheTurnAndOnlyTheWallSaysSo)
{
    for (int code : {TWATER, TTREE, TMETAL, TGEM}) {
        setcell(21, 20, code);
        clearmes();
        pcmove(1, 0);
        EXPECT_EQ(pc.x, 20);
        EXPECT_STREQ(message, "");
    }
    setcell(21, 20, TWALL);
    pcmove(1, 0);
    EXPECT_STREQ(message, "\nあなたは壁にぶつかった");
    EXPECT_EQ(pc.x, 20);
}

TEST_F(Move, RoughGroundSlowsTheTurnOfTheStep)
{
    setcell(20, 21, TROUGH2);
    pcmove(0, 1);
    EXPECT_EQ(pc.spdmod, -30);
    EXPECT_EQ(pc.under, TROUGH2);
    EXPECT_STREQ(message, "");
}

TEST_F(Move, NobodyWalksOffTheGridWhateverTheMapHolds)
{
    for (int y = 0; y < MAPH; y++) setcell(0, y, TFLOOR);
    setcell(20, 20, TFLOOR);
    pc.x = 0;
    pc.y = 0;
    map[0][0] = TOCCUPIED;
    pcmove(-1, 0);
    pcmove(0, -1);
    EXPECT_EQ(pc.x, 0);
    EXPECT_EQ(pc.y, 0);
    EXPECT_EQ(count(message, "壁にぶつかった"), 2);
    putnpc(0, 0, 0, MAPH - 1);
    npcmove(0, -1, 0);
    npcmove(0, 0, 1);
    EXPECT_EQ(npc[0].x, 0);
    EXPECT_EQ(npc[0].y, MAPH - 1);
}

TEST_F(Move, SwappingWithAPersonOnStairsPutsThePlayerOnThem)
{
    setcell(20, 21, TROUGH);
    pc.x = 20, pc.y = 21, pc.under = TROUGH;
    setcell(20, 20, TFLOOR);
    map[21][20] = TOCCUPIED;
    setcell(20, 22, TDOWN);
    putnpc(0, 10, 20, 22);
    pcmove(0, 1);
    EXPECT_STREQ(message, "\nあなたは鉱夫と入れ替わった");
    EXPECT_EQ(pc.y, 22);
    EXPECT_EQ(pc.under, TDOWN);
    EXPECT_EQ(npc[0].y, 21);
    EXPECT_EQ(npc[0].under, TROUGH);
    EXPECT_EQ(pc.spdmod, 0);  // no landing on a swap
    EXPECT_EQ(map[21][20], TOCCUPIED);
    EXPECT_EQ(map[22][20], TOCCUPIED);
    EXPECT_EQ(cellproblems(), "");
}

TEST_F(Move, PlayersBlowHitsNineInTenAtEqualDexterityForThreeToFifteen)
{
    putnpc(0, 0, 21, 20);
    npc[0].dexcur = pc.dexcur = 10;
    npc[0].defcur = pc.atkcur = 10;
    std::srand(11);
    int hits = 0, lo = 99, hi = 0;
    for (int n = 0; n < 2000; n++) {
        npc[0].hp = 1000;
        pcmove(1, 0);
        int d = 1000 - npc[0].hp;
        if (d == 0) continue;
        hits++;
        lo = std::min(lo, d);
        hi = std::max(hi, d);
    }
    EXPECT_GT(hits, 1720);
    EXPECT_LT(hits, 1880);
    EXPECT_EQ(lo, 3);
    EXPECT_EQ(hi, 15);
    EXPECT_NE(std::string(message).find("はあなたの攻撃をかわした"), std::string::npos);
}

TEST_F(Move, AFarWeakerAttackerDealsNothingAndDeathIsBelowZero)
{
    putnpc(0, 0, 21, 20);
    pc.dexcur = 1000;  // a sure hit
    pc.atkcur = 0;
    npc[0].defcur = 100;  // a die without sides
    pcmove(1, 0);
    EXPECT_EQ(npc[0].hp, 5);
    EXPECT_STREQ(message, "\nあなたはねずみを殴って0のダメージを与えた");

    npc[0].defcur = 3;  // trpcalc 1: exactly 3 a blow
    npc[0].hp = 3;
    clearmes();
    pcmove(1, 0);
    EXPECT_EQ(npc[0].hp, 0);
    EXPECT_EQ(map[20][21], TOCCUPIED);
    pcmove(1, 0);
    EXPECT_EQ(npc[0].hp, -3);
    EXPECT_EQ(map[20][21], TFLOOR);
    EXPECT_EQ(std::string(message), "\nあなたはねずみを殴って3のダメージを与えた"
                                    "\nあなたはねずみを殴って3のダメージを与えて殺した");
}

TEST_F(Move, TheBlowFallsOnTheLivingNotOnARecordDeadThere)
{
    putnpc(0, 1, 21, 20);
    npc[0].hp = -5;
    putnpc(1, 0, 21, 20);
    pc.dexcur = 1000;
    pcmove(1, 0);
    EXPECT_EQ(npc[0].hp, -5);
    EXPECT_LT(npc[1].hp, 5);
}

TEST_F(Move, CreaturesBlowUsesBaseValuesAndBreaksOffEveryActivity)
{
    putnpc(0, 0, 21, 20);
    npc[0].dex = 1000;  // sure hit on the base value, whatever the effective one
    npc[0].dexcur = 0;
    npc[0].atk = 3, npc[0].atkcur = 1000;
    pc.def = 0, pc.defcur = 1000;  // base defence counts: trpcalc(3, 0, 5) = 8
    int lo = 99, hi = 0, going = 0;
    for (int n = 0; n < 5000; n++) {
        rest = 5, gathering[2] = 5, eat[1] = 5;
        pc.hp = 1000;
        npcmove(0, -1, 0);
        int d = 1000 - pc.hp;
        lo = std::min(lo, d);
        hi = std::max(hi, d);
        going += rest + gathering[2] + eat[1];
    }
    EXPECT_EQ(going, 0);
    EXPECT_EQ(lo, 3);
    EXPECT_EQ(hi, 24);

    npc[0].dex = -50;  // never hits, yet the rest is still broken off
    rest = 5;
    clearmes();
    npcmove(0, -1, 0);
    EXPECT_STREQ(message, "\nあなたはねずみの攻撃をかわした");
    EXPECT_EQ(rest, 0);
}

TEST_F(Move, PeopleBumpingIntoThePlayerDoNothing)
{
    putnpc(0, 10, 21, 20);
    rest = 5;
    for (int n = 0; n < 50; n++) npcmove(0, -1, 0);
    EXPECT_STREQ(message, "");
    EXPECT_EQ(rest, 5);
    EXPECT_EQ(pc.hp, 30);
}

TEST_F(Move, WanderersStayTwoTimesInThreeAndStepEveryWay)
{
    putnpc(0, 0, 10, 10);
    int moved = 0, seen[4] = {};
    for (int n = 0; n < 3000; n++) {
        int x = npc[0].x, y = npc[0].y;
        randwalk(0);
        if (npc[0].x == x && npc[0].y == y) continue;
        moved++;
        seen[npc[0].x > x ? 0 : npc[0].x < x ? 1 : npc[0].y > y ? 2 : 3]++;
        npcmove(0, x - npc[0].x, y - npc[0].y);  // back to the middle
    }
    EXPECT_GT(moved, 850);
    EXPECT_LT(moved, 1150);
    for (int d : seen) EXPECT_GT(d, 150);
}
