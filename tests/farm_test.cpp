// The farm: sowing, stages by the calendar, harvesting, the growing skill, turns.

#include "trade/farm.h"

#include "testkit.h"

class Farm : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshgame(1);
        farmlv = 3;
        inv[0] = {19, 1};
        inv[1] = {VEGETABLESEED, 2};
        inv[2] = {FRUITSEED, 1};
    }
    void plot(int i, int kind, int m, int d, int h) { crp[i] = {kind, 0, m, d, h, 1}; }
};

TEST_F(Farm, ASeedSownIsRipeEightDaysLater)
{
    hour = 10;
    keys("pb" "q");
    farm();
    EXPECT_EQ(crp[0].kind, 0);
    EXPECT_EQ(crp[0].sowhour, 10);
    EXPECT_EQ(inv[1].count, 1);
    EXPECT_NE(all().find("何を植える？\nb:野菜の種 x2\nc:果物の種 x1\n"), std::string::npos);
    EXPECT_EQ(min, 200) << "sowing and leaving: a turn each";

    day = 8;
    keys("ha" "q");
    farm();
    EXPECT_NE(all().find("野菜は収穫できる\n"), std::string::npos);
    EXPECT_EQ(mat[0].kind, VEGETABLE);
    EXPECT_GE(mat[0].count, 1);
    EXPECT_LE(mat[0].count, 2) << "growing 1 and level 1 give t = 1";
    EXPECT_EQ(skl[13], 10 - mat[0].count);
    EXPECT_EQ(crp[0].kind, -1);
}

TEST_F(Farm, StagesAcrossAMonthEndAndAHarvestClosingThePlotsUp)
{
    month = 1, day = 5, hour = 10;
    plot(0, 1, 0, 27, 10);  // eight days ago over the month end
    plot(1, 0, 0, 29, 10);  // six days
    plot(2, 1, 0, 27, 11);  // seven days and 23 hours
    keys("ha" "p" "c" "q");
    farm();
    EXPECT_NE(all().find("果物は収穫できる\n野菜は成長している\n果物は成長している\n"),
              std::string::npos);
    EXPECT_EQ(mat[0].kind, FRUIT);
    EXPECT_EQ(crp[0].sowday, 29);
    EXPECT_EQ(crp[1].sowday, 27);
    EXPECT_EQ(crp[2].kind, 1) << "sown in the place the harvest freed";
    EXPECT_NE(console.screens.back().find(
                  "野菜は成長している\n果物は成長している\n果物はまだ芽が出ていない\n"),
              std::string::npos)
        << "stages move with their plots; a plot sown now waits until the next visit";
}

TEST_F(Farm, RefusalsTakeNoTurn)
{
    hour = 10;
    plot(0, 0, 0, 0, 10);
    plot(1, 0, 0, 0, 10);
    plot(2, 0, 0, 0, 10);
    keys("p " "ha " "z " "\x1b");  // every plot sown; not ripe, no plot, Escape
    EXPECT_EQ(run(farm), EXITINPUT);
    EXPECT_NE(all().find("これ以上植えられない\n"), std::string::npos);
    EXPECT_NE(all().find("それは収穫できない\n"), std::string::npos);
    EXPECT_EQ(min, 0);

    farmlv = 4;
    day = 9;
    for (int i = 0; i < maxmat; i++) mat[i] = {i, 1};
    keys("ha " "pa " "\x1b" "q");  // a full material bag; food is no seed; Escape
    farm();
    EXPECT_NE(all().find("これ以上素材を持てない\n"), std::string::npos);
    EXPECT_NE(all().find("それは種ではない\n"), std::string::npos);
    EXPECT_EQ(crp[0].kind, 0);
    EXPECT_EQ(crp[3].kind, -1);
    EXPECT_EQ(min, 100) << "only leaving took a turn";
}

TEST_F(Farm, EveryKeyIsATurnAndGrowingRisesOncePerAction)
{
    skl[13] = -25;
    keys("z" "\x1b");
    farm();
    EXPECT_EQ(min, 200);
    EXPECT_EQ(skl[12], 3);
    EXPECT_EQ(skl[13], 25);
}
