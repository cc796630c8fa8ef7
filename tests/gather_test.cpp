// Fishing, felling and digging: the commands, the ten turns, and what gather decides.

#include "field/gather.h"

#include <cstring>

#include "core/rules.h"
#include "drawkit.h"
#include "field/dungeon.h"
#include "floorkit.h"
#include "testkit.h"

namespace {
constexpr int STONE = 0, COPPER = 1, TIN = 2;

class Gather : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        openfield(0);
    }
    int& level(int skill) { return skl[2 * skill]; }
    int& points(int skill) { return skl[2 * skill + 1]; }
    bool says(const char* text) const { return std::strstr(message, text) != nullptr; }
};

// A seed whose two yield rolls give k and whose depletion roll is r (-1: any).
void rolls(int k, int r = -1)
{
    seedwhen([k, r] {
        int rk = std::rand() % 8, j = std::rand() % 8;
        return rk == k && j >= k && (r < 0 || std::rand() % 100 == r);
    });
}

void nothing()
{
    seedwhen([] {
        int k = std::rand() % 8;
        return std::rand() % 8 < k;
    });
}
}  // namespace

TEST_F(Gather, TheCommandsAskForADirectionAndSetTenTurnsOnTheRightGround)
{
    setcell(19, 20, TWATER);
    keys("K");
    gathercmd('F');
    EXPECT_EQ(screen(), "\nどこで釣りをする？");
    EXPECT_EQ(gathering[0], 19);
    EXPECT_EQ(gathering[1], 20);
    EXPECT_EQ(gathering[2], 10);
    EXPECT_STREQ(message, "");

    gathering[2] = 0;
    keys("M" "H" "z");
    gathercmd('F');
    EXPECT_STREQ(message, "\nそこには水場がない");
    gathercmd('C');
    EXPECT_STREQ(message, "\nそこには水場がない\nそこには木がない");
    clearmes();
    gathercmd('D');  // a letter: nothing at all
    EXPECT_STREQ(message, "");
    EXPECT_EQ(gathering[2], 0);
}

TEST_F(Gather, DiggingOffTheTopRowFindsNoDeposit)
{
    map[20][20] = TFLOOR;
    pc.y = 0;
    map[0][20] = TOCCUPIED;
    keys("H" "P");
    gathercmd('D');
    EXPECT_STREQ(message, "\nそこには鉱床がない");
    setcell(20, 1, TGEM);
    gathercmd('D');
    EXPECT_EQ(gathering[2], 10);
}

TEST_F(Gather, FishIsTheOnlyCatchAndAlwaysCostsFive)
{
    setcell(19, 20, TWATER);
    rolls(6, 0);
    gather(19, 20);
    EXPECT_STREQ(message, "\n魚が採れた");
    EXPECT_EQ(mat[0].kind, FISH);
    EXPECT_EQ(points(SKFISH), 5);
    EXPECT_EQ(map[20][19], TWATER) << "r = 0 keeps the water";

    rolls(0, 0);
    gather(19, 20);
    EXPECT_EQ(mat[0].count, 2);
    EXPECT_EQ(points(SKFISH), 0);
}

TEST_F(Gather, DepositsAndTreesGiveTheMaterialOfTheRollAndCostIt)
{
    setcell(19, 20, TMETAL);
    setcell(21, 20, TGEM);
    setcell(20, 19, TTREE);
    rolls(STONE, 0);
    gather(19, 20);
    EXPECT_EQ(points(SKMINE), 10) << "stone costs nothing";
    rolls(5, 0);
    gather(21, 20);
    EXPECT_EQ(points(SKMINE), 5);
    rolls(3, 0);
    gather(20, 19);
    EXPECT_EQ(points(SKFELL), 7);
    EXPECT_STREQ(message, "\n石が採れた\n翡翠が採れた\n松が採れた");
    EXPECT_EQ(mat[0].kind, 0);
    EXPECT_EQ(mat[1].kind, 16 + 5);
    EXPECT_EQ(mat[2].kind, 8 + 3);

    nothing();
    clearmes();
    gather(20, 19);
    EXPECT_EQ(std::string(message).find("\n何も採れなかった"), 0u);
    EXPECT_EQ(points(SKFELL), 7);
}

TEST_F(Gather, AFullBagLosesTheMaterialButTellsOfIt)
{
    setmode(3);
    for (int i = 0; i < 4; i++) mat[i] = {24, 1};
    setcell(19, 20, TWATER);
    rolls(1, 0);
    gather(19, 20);
    EXPECT_STREQ(message, "\n魚が採れた");
    EXPECT_EQ(mat[3].kind, 24);
}

TEST_F(Gather, ASkillRisesAtMostOneLevelPerGather)
{
    setcell(19, 20, TMETAL);
    points(SKMINE) = 2;
    rolls(COPPER, 0);
    gather(19, 20);
    rolls(TIN, 0);
    clearmes();
    gather(19, 20);
    EXPECT_STREQ(message, "\n錫が採れた\n採鉱レベルUP");
    EXPECT_EQ(level(SKMINE), 2);
    EXPECT_EQ(points(SKMINE), 3);

    points(SKMINE) = -30;
    points(SKFISH) = -1;
    rolls(STONE, 0);
    clearmes();
    gather(19, 20);
    EXPECT_STREQ(message, "\n石が採れた\n採鉱レベルUP\n釣りレベルUP");
    EXPECT_EQ(level(SKMINE), 3);
    EXPECT_EQ(points(SKMINE), -24);
    EXPECT_EQ(level(SKFISH), 2);
}

TEST_F(Gather, AtTheFirstLevelsAResourceOutlastsTwentyOneRollsInAHundred)
{
    EXPECT_EQ(trpcalc(1 + 1, 1, 15), 20);
    setcell(19, 20, TTREE);
    rolls(2, 20);
    gather(19, 20);
    EXPECT_EQ(map[20][19], TTREE);
    rolls(2, 21);
    gather(19, 20);
    EXPECT_EQ(map[20][19], TFLOOR);
    EXPECT_EQ(mi[20][19].glyph, '.');
    EXPECT_TRUE(says("\n桑が採れた\n採り尽くした"));

    setcell(19, 20, TGEM);
    setcell(21, 20, TWATER);
    nothing();
    gather(19, 20);
    EXPECT_TRUE(says("\n何も採れなかった\n掘り尽くした")) << "empty-handed, it is used up all the same";
    rolls(0, 99);
    gather(21, 20);
    EXPECT_TRUE(says("\n水場は干上がった"));
}

TEST_F(Gather, TenTurnsOfFishingEndInTheBag)
{
    setcell(19, 20, TWATER);
    rolls(6, 0);  // the creatures are gone: gather makes the first draws
    keys("FK");
    int turns = 0;
    do {
        fieldturn();
        turns++;
    } while (gathering[2] > 0);
    EXPECT_EQ(turns, 10);
    EXPECT_TRUE(console.done()) << "the nine turns after the command read no key";
    EXPECT_STREQ(message, "\n魚が採れた");
    EXPECT_EQ(mat[0].kind, FISH);
    EXPECT_EQ(pc.floorturn, 10);
}

TEST_F(Gather, TheFloorTimeWarningBreaksOffTheWork)
{
    setcell(19, 20, TWATER);
    gathering[0] = 19, gathering[1] = 20, gathering[2] = 5;
    pc.floorturn = stayfloor - 30;
    endturn();
    EXPECT_EQ(gathering[2], 0);
    EXPECT_TRUE(says("\n空気が張り詰めている"));
    EXPECT_FALSE(says("採れ"));
    EXPECT_EQ(map[20][19], TWATER);
}
