// The use command with its wands, and the cast command with every spell.

#include "field/magic.h"

#include <cstring>

#include "core/rules.h"
#include "drawkit.h"
#include "fieldcheck.h"
#include "testkit.h"

namespace {
constexpr int HEALING = 0, POISON = 2, SEED = 17, FOOD = 19;
constexpr int LIGHTWAND = 40, ARROWWAND = 45, SAGEWAND = 49, SWIFTWAND = 50, MANAWAND = 51;
constexpr int ARROW = 5, MISSILE = 6, STORM = 7, SAGE = 10;
constexpr int RAT = 0, MINER = 10;

class Magic : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshgame(0);
        openfloor(20, 20);  // magic power 10: dice of 5 sides
    }
    void learn(std::initializer_list<int> spells)
    {
        int i = 0;
        for (int s : spells) pc.magic[i++] = s;
    }
    // A creature of kind at (x, y) with hp.
    npcdata& creature(int i, int kind, int x, int y, int hp)
    {
        putnpc(i, kind, x, y);
        npc[i].hp = hp;
        return npc[i];
    }
    std::string said() const { return message; }
    bool says(const char* text) const { return std::strstr(message, text) != nullptr; }
};

// A seed on which every roll of the player's wands and spells succeeds.
void surely() { seedwhen([] { return std::rand() % 100 < 10; }); }
}  // namespace

TEST_F(Magic, TheUseMenuListsTheBagAndRefusesAnEmptyPlace)
{
    inv[0] = {HEALING, 2};
    inv[1] = {ARROWWAND, 4};
    keys("c" "x" "\x1b");
    EXPECT_FALSE(useitemcmd());
    EXPECT_EQ(console.screens[1], "何を使う?\na:体力回復の薬 x2\nb:魔法の矢の杖(残り4回)\n\n"
                                  "そのアイテムは存在しない\n何かキーを押してください");
    EXPECT_EQ(console.screens.size(), 3u);
}

TEST_F(Magic, PotionsAndSeedsAreUsedUpAndFoodBeginsAMeal)
{
    inv[0] = {SEED, 1};
    inv[1] = {HEALING, 2};
    inv[2] = {FOOD, 1};
    keys("b");
    EXPECT_TRUE(useitemcmd());
    EXPECT_EQ(said(), "\nあなたは体力回復の薬を使った\nあなたは12回復した");
    EXPECT_EQ(inv[1].count, 1);
    keys("a");
    clearmes();
    EXPECT_TRUE(useitemcmd());
    EXPECT_EQ(said(), "\nあなたは野菜の種を使った");
    EXPECT_EQ(inv[0].kind, HEALING) << "the seed is gone and the bag closed up";
    keys("b");
    clearmes();
    EXPECT_TRUE(useitemcmd());
    EXPECT_EQ(said(), "");
    EXPECT_EQ(eat[0], 1);
    EXPECT_EQ(eat[1], 10);
    EXPECT_EQ(inv[1].count, 1) << "eaten only when the meal ends";
}

TEST_F(Magic, AWandWithoutChargesOrAFailedWaveOnlyCostsTheTurn)
{
    inv[0] = {MANAWAND, 0};
    keys("a");
    EXPECT_TRUE(useitemcmd());
    EXPECT_EQ(said(), "\nもう魔力が残っていない");
    EXPECT_EQ(inv[0].kind, MANAWAND) << "an empty wand stays in the bag";

    inv[0].count = 3;
    pc.mp = 0;
    percent(54);  // trpcalc(10, 15, 80) = 54
    keys("a");
    clearmes();
    EXPECT_TRUE(useitemcmd());
    EXPECT_EQ(said(), "あなたは杖をうまく使えなかった");
    EXPECT_EQ(inv[0].count, 3);
    percent(53);
    keys("a");
    clearmes();
    useitemcmd();
    EXPECT_EQ(inv[0].count, 2);
    EXPECT_GE(pc.mp, 7);  // two dice of 5 sides, plus 5
    EXPECT_LE(pc.mp, 15);
    EXPECT_EQ(said(), "\nあなたは魔力の杖を振った");
}

TEST_F(Magic, ACancelledWandAimKeepsTheChargeSpentAndGoesBackToTheMenu)
{
    inv[0] = {ARROWWAND, 5};
    keys("a" "\x1b" "\x1b");
    EXPECT_FALSE(useitemcmd());
    EXPECT_EQ(inv[0].count, 4);
    EXPECT_NE(screen().find("a:魔法の矢の杖(残り4回)"), std::string::npos);
    EXPECT_STREQ(message, "") << "the abandoned aim leaves no words behind";
}

TEST_F(Magic, BoltsHitWhateverTheCursorChooses)
{
    inv[0] = {ARROWWAND, 9};
    npcdata& miner = creature(0, MINER, 21, 20, 100);
    setcell(19, 20, TWALL);
    keys("a" "M\r");
    useitemcmd();
    EXPECT_EQ(miner.attitude, -1);
    EXPECT_NE(said().find("\nあなたは魔法の矢の杖を振り鉱夫に"), std::string::npos);
    EXPECT_TRUE(says("\n鉱夫は怒った"));
    EXPECT_GE(miner.hp, 85);
    EXPECT_LE(miner.hp, 97);

    const struct {
        const char* aim;
        const char* text;
    } shots[] = {{"a" "K\r", "\nあなたは壁に向かって魔法の矢の杖を振った"},
                 {"a" "H\r", "\nあなたは空間に向かって魔法の矢の杖を振った"},
                 {"a" "\r", "自分に"}};
    for (const auto& s : shots) {
        keys(s.aim);
        clearmes();
        useitemcmd();
        EXPECT_TRUE(says(s.text)) << s.text;
    }
    EXPECT_LE(pc.hp, 27);
    EXPECT_EQ(inv[0].count, 5);
}

TEST_F(Magic, ABoltKillingACreatureOnAnItemLeavesTheItemLying)
{
    putitem(0, HEALING, 21, 20);
    creature(0, RAT, 21, 20, 0);
    learn({ARROW});
    surely();
    keys("a" "M\r");
    EXPECT_TRUE(castcmd());
    EXPECT_TRUE(says("のダメージを与えて殺した"));
    EXPECT_FALSE(says("割れた"));
    EXPECT_EQ(map[20][21], TITEM);
    EXPECT_EQ(itm[0].taken, 0);
    EXPECT_EQ(cellproblems(), "");
}

TEST_F(Magic, ABoltAtAnOccupiedCellWithNobodyThereDoesNothing)
{
    map[20][21] = TOCCUPIED;  // codes gone astray: nobody stands there
    inv[0] = {ARROWWAND, 2};
    keys("a" "M\r");
    EXPECT_TRUE(useitemcmd());
    EXPECT_EQ(inv[0].count, 1);
    EXPECT_EQ(pc.hp, 30);
    EXPECT_FALSE(says("ダメージ"));
}

TEST_F(Magic, TheSpellMenuShowsTheRateTheCastUses)
{
    learn({ARROW, STORM});
    keys("c" "x" "q");
    EXPECT_FALSE(castcmd());
    EXPECT_EQ(console.screens[1], "何の魔法を詠唱する？\n"
                                  "a:魔法の矢(MP5,対象にダメージ,成功率54%)\n"
                                  "b:魔力の嵐(MP30,自分のまわりにいる敵にダメージ,成功率14%)\n"
                                  "その魔法は使えない\n何かキーを押してください");

    percent(54);
    keys("a");
    EXPECT_TRUE(castcmd());
    EXPECT_EQ(said(), "\nあなたは魔法の矢の詠唱に失敗した");
    EXPECT_EQ(pc.mp, 20);
    percent(53);
    keys("a" "\r");
    clearmes();
    EXPECT_TRUE(castcmd());
    EXPECT_TRUE(says("\nあなたは魔法の矢を詠唱し自分に"));
    EXPECT_EQ(pc.mp, 15);
}

TEST_F(Magic, ASpellCostsItsMpOnlyOnceCastAndItsAimCanBeGivenUp)
{
    learn({MISSILE});
    pc.magcur = 100;  // a sure cast
    pc.mp = 9;
    keys("a");
    EXPECT_TRUE(castcmd());
    EXPECT_EQ(said(), "\nMPが足りない");

    pc.mp = 10;
    keys("a" "\x1b" "\x1b");
    EXPECT_FALSE(castcmd());
    EXPECT_EQ(pc.mp, 10);
    EXPECT_EQ(count(all(), "何の魔法を詠唱する？"), 3) << "the menu again after the cancel";

    setcell(20, 19, TWALL);
    keys("a" "H\r");
    clearmes();
    EXPECT_TRUE(castcmd());
    EXPECT_EQ(pc.mp, 0);
    EXPECT_TRUE(says("\nあなたは壁に向かってマジックミサイルを詠唱した"));
}

TEST_F(Magic, TheStormKillsACreatureOnAnItemAndBreaksTheItemInOneCast)
{
    putitem(0, HEALING, 21, 21);
    creature(0, RAT, 21, 21, 0);
    npcdata& miner = creature(1, MINER, 18, 18, 100);
    npcdata& far = creature(2, RAT, 23, 20, 100);
    learn({STORM});
    pc.magcur = 60;
    pc.mp = 30;
    surely();
    keys("a");
    EXPECT_TRUE(castcmd());
    std::string m = said();
    EXPECT_EQ(m.find("\nあなたは魔力の嵐を詠唱した\n鉱夫に"), 0u) << "row by row from the top";
    EXPECT_TRUE(says("\n鉱夫は怒った\nねずみに"));
    EXPECT_TRUE(says("のダメージを与え殺した\n地面の体力回復の薬は割れた"));
    EXPECT_EQ(map[21][21], TFLOOR);
    EXPECT_EQ(itm[0].taken, 1);
    EXPECT_LT(miner.hp, 100);
    EXPECT_EQ(far.hp, 100);
    EXPECT_EQ(pc.mp, 0);
    EXPECT_EQ(cellproblems(), "");
}

TEST_F(Magic, TheStormInTheCornerStaysOnTheMap)
{
    map[20][20] = TFLOOR;
    pc.x = pc.y = 0;
    map[0][0] = TOCCUPIED;
    npcdata& rat = creature(0, RAT, 1, 1, 100);
    learn({STORM});
    pc.magcur = 60;
    pc.mp = 30;
    surely();
    keys("a");
    castcmd();
    EXPECT_LT(rat.hp, 100);
    EXPECT_EQ(cellproblems(), "");
}

TEST_F(Magic, BelowTwoMagicPowerTheDiceHaveNoSides)
{
    inv[0] = {LIGHTWAND, 9};
    inv[1] = {SWIFTWAND, 9};
    pc.magcur = 1;
    pc.hp = 20;
    surely();
    keys("a");
    useitemcmd();
    EXPECT_EQ(said(), "\nあなたは軽傷治癒の杖を振り0回復した");
    EXPECT_EQ(pc.hp, 20);

    pc.magcur = 0;  // still a chance of 8 in 100
    seedwhen([] { return std::rand() % 100 < 8; });
    keys("b");
    clearmes();
    useitemcmd();
    EXPECT_EQ(said(), "\nあなたは俊足の杖を振った\nあなたの速さが10上がった");
    EXPECT_EQ(pc.spdcur, 70);
    EXPECT_EQ(pc.spdturn, 5);
}

TEST_F(Magic, HealingFillsUpToTheMaximumButNeverTakesAway)
{
    inv[0] = {LIGHTWAND, 9};
    pc.hp = 28;
    surely();
    keys("a" "a");
    useitemcmd();
    EXPECT_EQ(pc.hp, 30);
    EXPECT_TRUE(says("回復した"));
    pc.hp = 45;  // a potion lifted it above the maximum
    useitemcmd();
    EXPECT_EQ(pc.hp, 45);
}

TEST_F(Magic, RaisesReplaceWhatRanAndTheSageCountsWithTheNewPower)
{
    inv[0] = {SAGEWAND, 9};
    pc.magcur = 4, pc.magturn = 90;  // a long weakness is replaced
    learn({SAGE});
    seedwhen([] { return std::rand() % 100 < 10 && dice(2, 2, 0) == 4; });
    keys("a");
    useitemcmd();
    EXPECT_EQ(pc.magcur, 14);
    EXPECT_EQ(pc.magturn, 12) << "14 / 2 + 5";
    EXPECT_EQ(said(), "\nあなたは賢者の杖を振った\nあなたの魔力が4上がった");

    pc.mp = 10;
    surely();
    keys("a");
    clearmes();
    castcmd();
    EXPECT_TRUE(says("\nあなたは賢者を詠唱した\nあなたの魔力が"));
    EXPECT_EQ(pc.magturn, (pc.magcur + pc.magmod) / 2 + 5);
}
