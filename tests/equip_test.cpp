// Equipment: putting on, swapping, taking off.

#include "trade/equip.h"

#include "testkit.h"

class Equip : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshgame(3);  // a bag of four
        equipment[0] = {0, 5};
        equipment[1] = {3, 2};
        equipment[2] = {0, 7};
    }
};

TEST_F(Equip, PuttingOnANewKindClosesTheBagAndTheSameKindSwaps)
{
    keys("ab ");
    keys("aa " "\x1b");
    wearing();
    EXPECT_EQ(pc.eqhat, 2);
    EXPECT_EQ(pc.eqsword, 5);
    EXPECT_EQ(equipment[0].kind, 0);
    EXPECT_EQ(equipment[0].count, 7) << "the hat's removal moved the second sword up";
    EXPECT_EQ(equipment[1].kind, -1);
    EXPECT_EQ(all().find("c:剣(性能7)"), all().rfind("c:剣(性能7)")) << "one line fewer";

    keys("aa " "\x1b");
    wearing();
    EXPECT_EQ(pc.eqsword, 7);
    EXPECT_EQ(equipment[0].kind, 0);
    EXPECT_EQ(equipment[0].count, 5) << "what was worn takes the entry's place";
    EXPECT_EQ(equipment[1].kind, -1);
}

TEST_F(Equip, EscapeAndStrangeLettersInTheListPutNothingOn)
{
    maxequip = 32;
    for (int i = 3; i < 32; i++) equipment[i] = {4, i};
    keys("a\x1b" "a4 " "\x1b");  // Escape goes back with nothing said
    wearing();
    EXPECT_EQ(pc.eqshoes, 0);
    EXPECT_EQ(equipment[31].count, 31);
    size_t first = all().find("それは装備できない\n何かキーを押してください");
    EXPECT_NE(first, std::string::npos);
    EXPECT_EQ(all().rfind("それは装備できない"), first);
}

TEST_F(Equip, TakingOffKeepsEachKindsLetterAndNeedsRoomInTheBag)
{
    pc.eqhat = 4;
    keys("ba " "bf" "bd " "\x1b");
    wearing();
    EXPECT_NE(all().find("どれをはずす？\nd:帽子(性能4)\n"), std::string::npos);
    EXPECT_NE(all().find("帽子をはずした\n"), std::string::npos);
    EXPECT_NE(all().find("剣は装備していない\n"), std::string::npos);
    EXPECT_EQ(pc.eqhat, 0);
    EXPECT_EQ(equipment[3].kind, 3);
    EXPECT_EQ(equipment[3].count, 4);
    size_t waits = 0;
    for (size_t p = all().find("何かキー"); p != std::string::npos; p = all().find("何かキー", p + 1))
        waits++;
    EXPECT_EQ(waits, 2u) << "a letter past 'e' goes straight back";

    pc.eqsword = 9;
    keys("b " "ac " "\x1b");  // the bag is full: only a swap is possible
    wearing();
    EXPECT_NE(all().find("装備品をこれ以上手に持てない\n"), std::string::npos);
    EXPECT_EQ(pc.eqsword, 7);
    EXPECT_EQ(equipment[2].count, 9);
}
