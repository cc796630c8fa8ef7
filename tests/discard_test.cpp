// Discarding: parts of stacks, whole stacks, wands and equipment after a y/n.

#include "trade/discard.h"

#include "testkit.h"

class Discard : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshgame(1);
        inv[0] = {19, 5};  // 食糧
        inv[1] = {45, 7};  // 魔法の矢の杖
        inv[2] = {0, 1};
        mat[0] = {26, 3};  // 魚
        equipment[0] = {1, 4};
    }
};

TEST_F(Discard, PartsAndWholesOfStacks)
{
    keys("aa2\n");
    drop();
    EXPECT_EQ(inv[0].count, 3);
    EXPECT_NE(screen().find("b:魔法の矢の杖(残り7回)\n"), std::string::npos);
    keys("aa9\n");
    drop();
    EXPECT_EQ(inv[0].kind, 45) << "the bag closes up";
    keys("ca3\n");
    drop();
    EXPECT_EQ(mat[0].kind, -1);
    EXPECT_STREQ(message, "\n食糧を2個捨てた\n食糧を全部捨てた\n魚を全部捨てた");

    keys("c\x1b");
    drop();
    EXPECT_EQ(screen(), "何を捨てる？\na:アイテム\nb:装備品\nc:素材\nESC:やっぱりやめる\nどれを捨てる？\n");
}

TEST_F(Discard, WandsAndEquipmentGoWholeOnlyAfterYes)
{
    keys("ab");
    keys("n");
    drop();
    EXPECT_EQ(inv[1].count, 7);
    EXPECT_NE(screen().find("魔法の矢の杖を捨てる？\ny/n"), std::string::npos);
    keys("aby" "bay");
    drop();
    drop();
    EXPECT_EQ(inv[1].kind, 0);
    EXPECT_EQ(equipment[0].kind, -1);
    EXPECT_STREQ(message, "\n魔法の矢の杖を捨てた\n鎧を捨てた");
}

TEST_F(Discard, NothingIsLostToBadKeysOrNumbers)
{
    keys("az " "\x1b");  // no such entry: the first menu again, then Escape
    drop();
    EXPECT_NE(all().find("そんなアイテムは存在しない\n何かキーを押してください"), std::string::npos);
    for (const char* word : {"0", "x2", "99999999999"}) {
        keys(std::string("aa") + word + "\n");
        drop();
    }
    keys("a\x1b" "q");
    drop();
    drop();
    EXPECT_EQ(inv[0].count, 5);
    EXPECT_STREQ(message, "");
}
