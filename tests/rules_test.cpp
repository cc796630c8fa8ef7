// The small rules: dice, the contest rule, menu letters, typed numbers, bags.

#include "core/rules.h"

#include <climits>
#include <cstdlib>

#include "web/glibcrandom.h"

#include "testkit.h"

TEST(Trpcalc, GivesTheTabledExamples)
{
    EXPECT_EQ(trpcalc(10, 10, 75), 75);
    EXPECT_EQ(trpcalc(20, 10, 75), 111);
    EXPECT_EQ(trpcalc(5, 10, 75), 40);
    EXPECT_EQ(trpcalc(100, 0, 5), 10);
    EXPECT_EQ(trpcalc(0, 100, 5), 0);
    for (int a = 0; a < 200; a += 7) EXPECT_EQ(trpcalc(a, a, 37), 37);
}

TEST(Trpcalc, NeverDividesByZero)
{
    EXPECT_EQ(trpcalc(-1, -5, 90), 0);  // A = 0 with B below it
    EXPECT_EQ(trpcalc(-3, -1, 90), 0);  // B = 0
    EXPECT_EQ(trpcalc(-1, -1, 90), 0);
    EXPECT_GE(trpcalc(-4, -2, 90), 0);  // both negative but defined
}

TEST(Dice, StaysInRangeAndZeroSidedDiceAddNothing)
{
    std::srand(7);
    int lo = 100, hi = 0;
    for (int i = 0; i < 2000; i++) {
        int d = dice(3, 5, 5);
        lo = std::min(lo, d);
        hi = std::max(hi, d);
    }
    EXPECT_EQ(lo, 8);
    EXPECT_EQ(hi, 20);
    EXPECT_EQ(dice(0, 6, 4), 4);
    EXPECT_EQ(dice(3, 0, 2), 2);
    EXPECT_EQ(dice(3, -4, 0), 0);
}

#ifdef __GLIBC__
TEST(Dice, TheBrowserBuildDrawsAsTheCLibraryOfTheTerminalGame)
{
    // the same seed must give the browser the same game: its rand() is this one's, rebuilt
    for (unsigned seed : {0u, 1u, 11u, 123456789u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        std::srand(seed);
        glibcrandom browser(seed);
        int differ = 0;
        for (int i = 0; i < 5000; i++) differ += std::rand() != browser.next();
        EXPECT_EQ(differ, 0) << "seed " << seed;
    }
}
#endif

TEST(Alp2int, LettersAndEverythingElse)
{
    EXPECT_EQ(alp2int('a'), 0);
    EXPECT_EQ(alp2int('z'), 25);
    EXPECT_EQ(alp2int('A'), 26);
    EXPECT_EQ(alp2int('F'), 31);
    EXPECT_EQ(alp2int('Z'), 51);
    for (int k : {int('1'), 27, 13, 0, 200, -3, int('[')}) EXPECT_EQ(alp2int(k), NOLETTER) << k;
}

TEST(Numc2int, DigitsOnlyAndBounded)
{
    EXPECT_EQ(numc2int(""), 0);
    EXPECT_EQ(numc2int("007"), 7);
    EXPECT_EQ(numc2int("12a"), -1);
    EXPECT_EQ(numc2int("-5"), -1);
    EXPECT_EQ(numc2int("999999999"), 999999999);
    EXPECT_EQ(numc2int("2147483648"), -1);
    EXPECT_EQ(numc2int("99999999999999999999"), -1);
}

class Bags : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshgame(1);
        inv[0] = {0, 2};
        inv[1] = {4, 1};
        inv[2] = {19, 3};
    }
};

TEST_F(Bags, ConsumingAWholeEntryClosesTheBag)
{
    itemconsume(0, 2);
    EXPECT_EQ(inv[0].kind, 4);
    EXPECT_EQ(inv[1].kind, 19);
    EXPECT_EQ(inv[2].kind, -1);
    EXPECT_EQ(inv[maxinv - 1].kind, -1);
}

TEST_F(Bags, ConsumingPartOnlyLowersTheCount)
{
    itemconsume(2, 1);
    EXPECT_EQ(inv[2].kind, 19);
    EXPECT_EQ(inv[2].count, 2);
    EXPECT_EQ(bagused(inv, maxinv), 3);
}

TEST_F(Bags, EmptyingTheLastEntryFreesItFirst)
{
    itemconsume(2, 5);
    EXPECT_EQ(bagused(inv, maxinv), 2);
    EXPECT_EQ(bagempty(inv, maxinv), 2);
}

TEST_F(Bags, PutJoinsItsKindOrTakesTheFirstEmptyEntry)
{
    EXPECT_TRUE(bagput(inv, maxinv, 4, 2));
    EXPECT_EQ(inv[1].count, 3);
    EXPECT_TRUE(bagput(inv, maxinv, 7, 1));
    EXPECT_EQ(inv[3].kind, 7);
    for (int i = 4; i < maxinv; i++) inv[i] = {8, 1};
    EXPECT_FALSE(bagput(inv, maxinv, 9, 1));
    EXPECT_EQ(inv[maxinv].kind, -1) << "nothing lands beyond the capacity";
}

TEST_F(Bags, PutNeverOverflowsAStack)
{
    inv[1].count = INT_MAX - 2;
    EXPECT_EQ(bagroom(inv, maxinv, 4), 2);
    EXPECT_FALSE(bagput(inv, maxinv, 4, 3));
    EXPECT_EQ(inv[1].count, INT_MAX - 2) << "a refused put changes nothing";
    EXPECT_TRUE(bagput(inv, maxinv, 4, 2));
    EXPECT_EQ(bagroom(inv, maxinv, 4), 0);
    EXPECT_EQ(bagroom(inv, maxinv, 7), INT_MAX) << "an empty entry takes any count";
}

TEST(Addclamped, SumsStopAtTheEndsOfAnInt)
{
    int v[] = {5, INT_MAX - 2, INT_MIN + 1};
    addclamped(v[0], -7), addclamped(v[1], 5), addclamped(v[2], -3);
    EXPECT_EQ(v[0], -2);
    EXPECT_EQ(v[1], INT_MAX);
    EXPECT_EQ(v[2], INT_MIN);
}
