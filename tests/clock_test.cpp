// The clock: minutes, hours, days, months and years; hunger; growth stages.

#include "core/clock.h"

#include <cstring>

#include "testkit.h"

class Clock : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshgame(1);
    }
};

TEST_F(Clock, SixtyActionsAtSpeedSixtyMakeAnHour)
{
    for (int i = 0; i < 60; i++) timeplus();
    EXPECT_EQ(hour, 1);
    EXPECT_EQ(min, 0);
}

TEST_F(Clock, RoughGroundAndFastSpeeds)
{
    pc.spdmod = -30;
    timeplus();
    EXPECT_EQ(min, 200);
    pc.spdmod = 0;
    pc.spdcur = 120;
    timeplus();
    EXPECT_EQ(min, 250);
}

TEST_F(Clock, ASpeedBelowOneCountsAsOne)
{
    pc.spdcur = 10;
    pc.spdmod = -30;
    timeplus();
    EXPECT_EQ(hour, 1);
    EXPECT_EQ(min, 0);
}

TEST_F(Clock, DaysMonthsAndYearsRollOver)
{
    year = 0, month = 11, day = 29, hour = 23, min = 5950;
    timeplus();
    EXPECT_EQ(year, 1);
    EXPECT_EQ(month, 0);
    EXPECT_EQ(day, 0);
    EXPECT_EQ(hour, 0);
    EXPECT_EQ(min, 50);
}

TEST_F(Clock, HungerMessagesAtTheirValues)
{
    pc.full = 301;
    timeplus();
    EXPECT_STREQ(message, "\n腹が減ってきた");
    clearmes();
    timeplus();
    EXPECT_STREQ(message, "");
    pc.full = 1;
    timeplus();
    timeplus();
    EXPECT_EQ(pc.full, 0);
    EXPECT_STREQ(message, "\n餓死中\n餓死中");
}

TEST(Grouthcalc, StagesByWholeDays)
{
    resetstate();
    cropdata plot{0, 0, 0, 4, 10, 1};
    auto at = [&](int m, int d, int h) {
        month = m, day = d, hour = h;
        return grouthcalc(plot);
    };
    EXPECT_EQ(at(0, 6, 9), 0);
    EXPECT_EQ(at(0, 6, 10), 1);
    EXPECT_EQ(at(0, 8, 10), 2);
    EXPECT_EQ(at(0, 12, 9), 2);
    EXPECT_EQ(at(0, 12, 10), 3);
    EXPECT_EQ(at(1, 3, 10), 3) << "across the end of the month";
    plot = {0, 0, 11, 28, 0, 1};
    year = 1;
    EXPECT_EQ(at(0, 5, 0), 2);
    EXPECT_EQ(at(0, 6, 0), 3) << "across the end of the year";
}
