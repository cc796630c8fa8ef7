// The warehouse: storing and taking out stacks and wands, full places, the 'q' key.

#include "trade/warehouse.h"

#include <climits>

#include "testkit.h"

class Warehouse : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshgame(1);
        warehouselv = 3;
        inv[0] = {19, 5};  // 食糧
        inv[1] = {45, 7};  // 魔法の矢の杖
        inv[2] = {45, 3};
        mat[0] = {26, 3};  // 魚
    }
};

TEST_F(Warehouse, StacksGoInAndComeBackOut)
{
    keys("aa0\nx\n2\n ");   // the number is asked until it is above 0
    keys("ca9\n ");         // more than the bag holds stores the lot
    keys("ba10\n ");        // more than the place holds takes the lot
    keys("q");
    warehouseio();
    EXPECT_NE(all().find("食糧を2個保管した\n何かキーを押してください"), std::string::npos);
    EXPECT_NE(all().find("魚を全部保管した\n"), std::string::npos);
    EXPECT_NE(all().find("食糧を全部取り出した\n"), std::string::npos);
    EXPECT_EQ(inv[0].kind, 19);
    EXPECT_EQ(inv[0].count, 5);
    EXPECT_EQ(warehouseitm[0].kind, -1) << "the list closes up";
    EXPECT_EQ(mat[0].kind, -1);
    EXPECT_EQ(warehousemat[0].kind, 26);
    EXPECT_EQ(warehousemat[0].count, 3);
    EXPECT_EQ(min, 0) << "the warehouse takes no time of its own";
}

TEST_F(Warehouse, AWandKeepsAPlaceOfItsOwnAndJoinsItsKindWhenTakenOut)
{
    keys("ab" "ab" "q");
    warehouseio();
    EXPECT_NE(all().find("魔法の矢の杖(残り7回)を保管した\n"), std::string::npos);
    EXPECT_EQ(warehouseitm[0].count, 7);
    EXPECT_EQ(warehouseitm[1].count, 3);
    EXPECT_EQ(inv[1].kind, -1);

    keys("ba2\n " "bb9\n " "q");
    warehouseio();
    EXPECT_NE(all().find("a:魔法の矢の杖 x7\nb:魔法の矢の杖 x3\n"), std::string::npos);
    EXPECT_EQ(inv[1].kind, 45);
    EXPECT_EQ(inv[1].count, 5) << "charges split and joined like pieces";
    EXPECT_EQ(warehouseitm[0].count, 5);
    EXPECT_EQ(warehouseitm[1].kind, -1);
}

TEST_F(Warehouse, AFullWarehouseTakesOnlyWhatItAlreadyHolds)
{
    warehouselv = 1;
    warehouseitm[0] = {19, 1};
    keys("aa1\n " "ab " "q");
    warehouseio();
    EXPECT_EQ(warehouseitm[0].count, 2);
    EXPECT_NE(all().find("これ以上入らない\n何かキーを押してください"), std::string::npos);
    EXPECT_EQ(inv[1].kind, 45);

    warehouseitm[0] = {0, 4};
    keys("aa " "q");
    warehouseio();
    EXPECT_EQ(inv[0].count, 4);
    EXPECT_EQ(warehouseitm[0].kind, 0);

    for (int i = 0; i < maxinv; i++) inv[i] = {1, 1};
    keys("ba " "q");
    warehouseio();
    EXPECT_NE(all().find("これ以上持てない\n"), std::string::npos);
    EXPECT_EQ(warehouseitm[0].count, 4);
}

TEST_F(Warehouse, ACountNeverPassesTheLargestNumber)
{
    warehousemat[0] = {26, INT_MAX - 2};
    keys("ca3\n " "q");
    warehouseio();
    EXPECT_NE(all().find("魚を2個保管した\n"), std::string::npos);
    EXPECT_EQ(warehousemat[0].count, INT_MAX);
    EXPECT_EQ(mat[0].count, 1);
    keys("ca " "q");
    warehouseio();
    EXPECT_NE(all().find("これ以上入らない\n"), std::string::npos);
}

TEST_F(Warehouse, QOrEscapeLeavesTheMenuAndAQInAListEndsTheScreenAfterIt)
{
    for (int i = 3; i < 17; i++) inv[i] = {i, 1};
    keys("z" "a\x1b" "\x1b");  // Escape in a list goes back to the menu, on the menu it leaves
    EXPECT_TRUE(run(warehouseio) == -1 && console.done());
    keys("aq");  // 'q' names no entry of a bag of 16
    EXPECT_EQ(run(warehouseio), -1);
    EXPECT_EQ(warehouseitm[0].kind, -1);
    maxinv = 32;
    keys("aq1\n ");  // entry q holds 帰還の巻物
    EXPECT_EQ(run(warehouseio), -1);
    EXPECT_EQ(warehouseitm[0].kind, 16);
    EXPECT_EQ(inv[16].kind, -1);
}
