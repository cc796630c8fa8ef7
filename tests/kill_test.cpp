// A kill: the cell cleared, experience by depth and level, meat, levels and new spells.

#include "field/kill.h"

#include "core/rules.h"
#include "fieldcheck.h"
#include "field/occupant.h"
#include "testkit.h"

namespace {
class Kill : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshgame(0);
        openfloor(20, 20);
    }
    // A creature of kind at (21, 20), worth exp, already below 0 hp.
    void slain(int kind, int exp)
    {
        putnpc(0, kind, 21, 20);
        npc[0].exp = exp;
        npc[0].hp = -1;
    }
};

bool nomeat(int r) { return (r & 15) != 0; }
bool meat(int r) { return (r & 15) == 0; }
}  // namespace

TEST_F(Kill, ExperienceIsWorthTimesDepthOverLevel)
{
    depth = 3;
    for (auto [lv, gain] : {std::pair{1, 15}, {4, 3}, {16, 0}}) {
        pc.lv = lv;
        pc.exp = 0;
        slain(0, 5);
        seedwhere(nomeat);
        kill(0, 21, 20);
        EXPECT_EQ(pc.exp, gain) << "level " << lv;
        EXPECT_EQ(map[20][21], TFLOOR);
    }
    EXPECT_STREQ(message, "");
}

TEST_F(Kill, LevelsComeInOnePassWithOneMessage)
{
    pc.exp = 50;
    slain(0, 50);
    seedwhere(nomeat);
    kill(0, 21, 20);
    EXPECT_EQ(pc.lv, 2);
    EXPECT_EQ(pc.exp, 0);

    freshgame(0);
    openfloor(20, 20);
    pc.lv = 2;
    slain(0, 500);  // 250 for a level-2 player
    seedwhere(nomeat);
    kill(0, 21, 20);
    EXPECT_EQ(pc.lv, 4);
    EXPECT_EQ(pc.exp, 50);
    EXPECT_EQ(count(message, "レベルアップ"), 1);
    EXPECT_GE(pc.maxhp, 30 + 16);
    EXPECT_LE(pc.maxhp, 30 + 40);
    for (int s = ATK; s <= MAG; s++) {
        EXPECT_GE(*statof(pc, s).base, 16);
        EXPECT_LE(*statof(pc, s).base, 24);
        EXPECT_EQ(*statof(pc, s).cur, 10);  // effective values wait for their change to end
    }
    EXPECT_EQ(pc.spd, 60);
    EXPECT_EQ(pc.hp, 30);
}

TEST_F(Kill, ANewSpellIsChosenAtEveryThirdLevelUntilAllAreKnown)
{
    pc.magic[0] = 0;  // light heal known
    pc.lv = 2, pc.exp = 99;
    slain(0, 2);
    seedwhere(nomeat);
    keys("zAab");
    EXPECT_EQ(run([] { kill(0, 21, 20); }), -1);
    EXPECT_EQ(pc.magic[1], 1);
    EXPECT_EQ(pc.magic[2], -1);
    EXPECT_NE(all().find("何の魔法を覚える？\n\n軽傷治癒\n重傷治癒\n"), std::string::npos);
    EXPECT_NE(all().find("その魔法はもう覚えている"), std::string::npos);
    EXPECT_EQ(screen(), std::string("何の魔法を覚える？\n\n") +
                            "軽傷治癒\n重傷治癒\n致命傷治癒\nショートテレポート\nテレポート\n"
                            "魔法の矢\nマジックミサイル\n魔力の嵐\n英雄\n魔法の盾\n賢者\n俊足\n"
                            "あなたは重傷治癒の魔法を覚えた");

    // levels 4 and 5 ask nothing, nor does 3 when jumped over, nor 21
    for (auto [from, exp] : {std::pair{3, 3}, {4, 4}, {2, 202}, {20, 20}}) {
        pc.lv = from, pc.exp = 99;
        slain(0, exp);
        EXPECT_EQ(run([] { kill(0, 21, 20); }), -1) << "from level " << from;
    }

    for (int s = 0; s < NMAGIC; s++) pc.magic[s] = s;
    pc.lv = 17, pc.exp = 99;
    slain(0, 17);
    EXPECT_EQ(run([] { kill(0, 21, 20); }), -1);  // no key is read
    EXPECT_EQ(pc.lv, 18);
}

TEST_F(Kill, MeatGoesToTheBagOrIsLeftWithItsOwnMessage)
{
    maxmat = 4;
    mat[0] = {MEAT, 2};
    slain(0, 0);
    seedwhere(meat);
    kill(0, 21, 20);
    EXPECT_STREQ(message, "\n肉を手に入れた");
    EXPECT_EQ(mat[0].count, 3);

    for (int i = 0; i < 4; i++) mat[i] = {i, 1};
    clearmes();
    slain(0, 0);
    seedwhere(meat);
    kill(0, 21, 20);
    EXPECT_STREQ(message, "\n肉を手に入れた\nしかしこれ以上持てなかった");
    for (int i = 0; i < 4; i++) EXPECT_EQ(mat[i].kind, i);
}

TEST_F(Kill, MeatComesBeforeTheLevel)
{
    pc.exp = 99;
    slain(0, 1);
    seedwhere(meat);
    ASSERT_EQ(pc.lv, 1);
    kill(0, 21, 20);
    EXPECT_STREQ(message, "\n肉を手に入れた\nあなたはレベルアップした");
    EXPECT_EQ(mat[0].kind, MEAT);
}

TEST_F(Kill, ACreatureKilledOnAnItemLeavesTheItemThere)
{
    putitem(0, 4, 21, 20);
    slain(0, 5);
    EXPECT_EQ(npc[0].under, TITEM);
    kill(0, 21, 20);
    EXPECT_EQ(map[20][21], TITEM);
    EXPECT_EQ(itemat(21, 20), 0);
    EXPECT_EQ(cellproblems(), "");
}

TEST_F(Kill, ExperienceNeverOverflows)
{
    pc.exp = 0;
    pc.lv = 1;
    depth = 2000000000;
    slain(0, 8);
    kill(0, 21, 20);
    EXPECT_EQ(pc.lv, 10001);  // a million points at most
    EXPECT_EQ(pc.exp, 0);
}
