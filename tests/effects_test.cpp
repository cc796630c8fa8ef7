// Items taking effect on the player and on creatures, and the player's teleports.

#include "field/effects.h"

#include "core/rules.h"
#include "fieldcheck.h"
#include "testkit.h"

namespace {
class Effects : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshgame(0);
        openfloor(20, 20);  // depth 1: every roll is 12
    }
    // Creature 0 hit by a potion of item thrown from bag slot 0.
    void hitnpc(int item)
    {
        inv[0] = {item, 1};
        useitemnpc(0, 0);
    }
};

const int HEALING = 0, MANA = 1, POISON = 2, DRAIN = 3, STRENGTH = 4, WEAKNESS = 5,
          TOUGHNESS = 6, MEAT1 = 20;
}  // namespace

TEST_F(Effects, AtDepthOneEveryAmountIsTwelveTenths)
{
    useitem(HEALING);
    EXPECT_EQ(pc.hp, 42);  // above the maximum of 30
    pc.mp = 15;
    useitem(MANA);
    EXPECT_EQ(pc.mp, 20);
    useitem(POISON);
    EXPECT_EQ(pc.hp, 30);
    pc.mp = 5;
    useitem(DRAIN);
    EXPECT_EQ(pc.mp, 0);
    useitem(WEAKNESS);
    EXPECT_EQ(pc.atkcur, 4);
    EXPECT_EQ(pc.atkturn, 10);
    EXPECT_EQ(std::string(message), "\nあなたは12回復した\nあなたはMPを12回復した"
                                    "\nあなたは12のダメージを受けた\nあなたは12のMPを奪われた"
                                    "\nあなたの攻撃力は6下がった");
}

TEST_F(Effects, DeeperFloorsRollEachAmountAlone)
{
    depth = 10;
    int lo = 999, hi = 0;
    for (int n = 0; n < 2000; n++) {
        pc.hp = 0;
        useitem(HEALING);
        lo = std::min(lo, pc.hp);
        hi = std::max(hi, pc.hp);
    }
    EXPECT_EQ(lo, 12);  // 10 x (10 + 2) / 10
    EXPECT_EQ(hi, 30);  // 10 x (10 + 20) / 10
}

TEST_F(Effects, ALongerRunningChangeIsNotReplaced)
{
    useitem(MEAT1);
    EXPECT_EQ(pc.atkcur, 16);
    EXPECT_EQ(pc.dexcur, 16);
    pc.atkturn = 11;
    clearmes();
    useitem(STRENGTH);
    EXPECT_EQ(pc.atkcur, 16);
    EXPECT_EQ(pc.atkturn, 11);
    EXPECT_STREQ(message, "");
    pc.atkturn = 9;
    useitem(STRENGTH);
    EXPECT_EQ(pc.atkcur, 16);  // 10 + 6, rolled again
    EXPECT_EQ(pc.atkturn, 10);
    EXPECT_EQ(pc.dexturn, 50);

    useitem(TOUGHNESS);  // no attack duration, yet defence rises
    EXPECT_EQ(pc.defcur, 16);
    EXPECT_EQ(pc.atkturn, 10);
}

TEST_F(Effects, TheLevelDownPotionUndoesALevelButNotTheFirst)
{
    useitem(LEVELDOWNPOTION);
    EXPECT_EQ(pc.lv, 1);
    EXPECT_EQ(pc.maxhp, 30);
    EXPECT_STREQ(message, "");

    pc.lv = 3, pc.exp = 70;
    useitem(LEVELDOWNPOTION);
    EXPECT_EQ(pc.lv, 2);
    EXPECT_EQ(pc.exp, 0);
    EXPECT_GE(pc.maxhp, 10);
    EXPECT_LE(pc.maxhp, 22);
    EXPECT_EQ(pc.hp, 30);  // not cut down to the new maximum
    for (int s = ATK; s <= MAG; s++) {
        EXPECT_GE(*statof(pc, s).base, 3);
        EXPECT_LE(*statof(pc, s).base, 7);
    }
    EXPECT_STREQ(message, "");

    pc.lv = 5, pc.maxhp = 4, pc.maxmp = 2;
    useitem(LEVELDOWNPOTION);
    EXPECT_EQ(pc.maxhp, 1);  // never a maximum that leaves the player dead at home
    EXPECT_EQ(pc.maxmp, 0);
    pc.mp = 20, useitem(MANA);  // above the lowered maximum, a potion's heal takes nothing away
    EXPECT_EQ(pc.mp, 20);
}

TEST_F(Effects, ScrollsTeleportThenSaySoAndTheReturnScrollStartsTheCount)
{
    setcell(21, 20, TDOWN);
    pc.x = 21, pc.under = TDOWN;
    setcell(20, 20, TFLOOR);
    map[20][21] = TOCCUPIED;
    useitem(TELEPORTSCROLL);
    EXPECT_STREQ(message, "\nあなたはテレポートの巻物を読んだ");
    EXPECT_EQ(map[20][21], TDOWN);
    EXPECT_EQ(mi[20][21].glyph, '>');
    EXPECT_EQ(pc.under, TFLOOR);
    EXPECT_EQ(cellproblems(), "");

    clearmes();
    useitem(SHORTTELEPORTSCROLL);
    EXPECT_STREQ(message, "\nあなたはショートテレポートの巻物を読んだ");
    useitem(RETURNSCROLL);
    EXPECT_EQ(tohouse, 10);
}

TEST_F(Effects, TeleportsStayOnTheGridAndStopDrawingWhenNothingFits)
{
    for (int y = 0; y < MAPH; y++)
        for (int x = 0; x < MAPW; x++) setcell(x, y, TFLOOR);
    for (int n = 0; n < 500; n++) {
        setcell(pc.x, pc.y, pc.under);
        pc.x = pc.y = 0, pc.under = TFLOOR;
        map[0][0] = TOCCUPIED;
        shortteleport();
        ASSERT_TRUE(onmap(pc.x, pc.y));
        ASSERT_EQ(cellproblems(), "");
    }

    openfloor(20, 20);
    for (int y = 1; y < MAPH - 1; y++)
        for (int x = 1; x < MAPW - 1; x++)
            if (map[y][x] == TFLOOR) setcell(x, y, TROUGH);
    shortteleport();
    teleport();
    EXPECT_EQ(pc.x, 20);
    EXPECT_EQ(pc.y, 20);
    EXPECT_EQ(map[20][20], TOCCUPIED);
}

TEST_F(Effects, APotionOnACreatureSetsEveryStatAfresh)
{
    putnpc(0, 0, 22, 20);
    npc[0].atkcur = 50, npc[0].atkturn = 7;
    hitnpc(TOUGHNESS);
    EXPECT_EQ(npc[0].atkcur, npc[0].atk);  // the running change is undone
    EXPECT_EQ(npc[0].atkturn, 7);
    EXPECT_EQ(npc[0].defcur, npc[0].def + 6);
    EXPECT_EQ(npc[0].defturn, 10);
    EXPECT_STREQ(message, "\nねずみの防御力は6上がった");

    clearmes();
    npc[0].mp = 3;
    hitnpc(DRAIN);
    EXPECT_EQ(npc[0].mp, 0);
    npc[0].hp = 1;
    hitnpc(HEALING);
    EXPECT_EQ(npc[0].hp, 5);
    EXPECT_EQ(std::string(message), "\nねずみは12のMPを奪われた\nねずみは12回復した");
    npc[0].hp = npc[0].mp = 9, hitnpc(HEALING), hitnpc(MANA);  // above the maximum: kept
    EXPECT_EQ(npc[0].hp + npc[0].mp, 18);
}

TEST_F(Effects, APoisonedCreatureDiesOnceAndOnlyOnce)
{
    putitem(0, 4, 22, 20);
    putnpc(0, 0, 22, 20);
    npc[0].hp = 11;
    hitnpc(POISON);
    EXPECT_EQ(npc[0].hp, -1);
    EXPECT_STREQ(message, "\nねずみは12のダメージを受けて死んだ");
    EXPECT_EQ(pc.exp, 5);
    EXPECT_EQ(map[20][22], TITEM);

    putnpc(1, 3, 22, 20);  // a snake now stands on the item
    clearmes();
    hitnpc(POISON);  // the dead rat again
    EXPECT_STREQ(message, "");
    EXPECT_EQ(pc.exp, 5);
    EXPECT_EQ(map[20][22], TOCCUPIED);
    EXPECT_EQ(cellproblems(), "");
}
