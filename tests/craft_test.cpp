// Crafting and cooking: the chances, the results, the skills, Escape giving materials back.

#include "trade/craft.h"

#include "core/rules.h"
#include "testkit.h"

namespace {
// A seed whose first draw modulo 100 is roll.
unsigned seedwith(int roll)
{
    for (unsigned s = 1;; s++) {
        std::srand(s);
        if (std::rand() % 100 == roll) return s;
    }
}

int count(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) n++;
    return n;
}
}  // namespace

class Craft : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshgame(1);
    }
    // Makes a sword from the first metal three times over, with the success draw given.
    void sword(int metal, int roll)
    {
        mat[0] = {metal, 3};
        std::srand(seedwith(roll));
        keys("aaaaa ");
        make();
    }
};

TEST_F(Craft, EquipmentSucceedsThirteenTimesInAHundredAtTheStart)
{
    sword(0, 12);
    EXPECT_EQ(equipment[0].kind, 0);
    EXPECT_EQ(equipment[0].count, 1) << "performance g / 2 + 1 at skill 1";
    EXPECT_NE(screen().find("あなたは性能1の剣を作った\n"), std::string::npos);
    EXPECT_EQ(mat[0].kind, -1);
    EXPECT_EQ(min, 1000) << "ten turns of work";
    EXPECT_EQ(skl[1], 9);

    equipment[0].kind = -1;
    sword(0, 13);
    EXPECT_EQ(equipment[0].kind, -1);
    EXPECT_NE(screen().find("あなたは剣の製作に失敗した\n何かキーを押してください"), std::string::npos);
    EXPECT_EQ(skl[1], 9) << "a failure trains nothing";
}

TEST_F(Craft, PerformanceAtSkillOneIsHalfTheGradePlusOneAndLevelsCanStack)
{
    skl[1] = -25;  // points owed, as a loaded game may hold
    sword(7, 3);   // titanium, grade 8: a chance of 4
    EXPECT_EQ(equipment[0].count, 5);
    EXPECT_EQ(skl[0], 3);
    EXPECT_EQ(skl[1], 24);
    EXPECT_EQ(count(screen(), "装備品製作レベルUP\n"), 2);
}

TEST_F(Craft, CookingIsEvenAtEqualLevelsAndADishIsAlwaysANewEntryOfOne)
{
    for (int k = 0; k < 5; k++) inv[k] = {FIRSTDISH + k, 2};  // every meat dish already held
    mat[0] = {MEAT, 2};
    std::srand(seedwith(49));
    keys("ca ");
    make();
    ASSERT_GE(inv[5].kind, FIRSTDISH);
    ASSERT_LE(inv[5].kind, FIRSTDISH + 4);
    EXPECT_EQ(inv[5].count, 1);
    for (int k = 0; k < 5; k++) EXPECT_EQ(inv[k].count, 2);

    std::srand(seedwith(50));
    keys("ca ");
    make();
    EXPECT_EQ(inv[6].kind, -1);
    EXPECT_NE(screen().find("あなたは料理に失敗した\n"), std::string::npos);
    EXPECT_EQ(mat[0].kind, -1);
}

TEST_F(Craft, ThePlainestDishNeedsNoSecondDraw)
{
    // a seed whose success roll passes and whose grade draw gives index 0
    unsigned seed = 1;
    int third = 0;
    for (;; seed++) {
        std::srand(seed);
        int roll = std::rand() % 100, q = std::rand() % 5;
        third = std::rand();
        if (roll < 50 && q == 0) break;
    }
    mat[0] = {FISH, 1};
    std::srand(seed);
    keys("ca ");
    make();
    EXPECT_EQ(inv[0].kind, 30);  // 魚の塩焼き1
    EXPECT_NE(screen().find("あなたは魚の塩焼き1を作った\n"), std::string::npos);
    EXPECT_EQ(std::rand(), third) << "grade index 0 is taken without an acceptance draw";
    EXPECT_EQ(skl[5], 9);
}

TEST_F(Craft, AWandFromTwoWoodsAndAGem)
{
    auto wand = [this](int roll) {
        mat[0] = {15, 2};  // 金木犀, grade 8
        mat[1] = {23, 1};  // diamond, grade 8
        std::srand(seedwith(roll));
        keys("baaa ");
        make();
    };
    wand(16);  // trpcalc(1, 1 + 8, 20) = 4
    EXPECT_EQ(inv[0].kind, -1);
    EXPECT_NE(screen().find("あなたは魔法杖の製作に失敗した\n"), std::string::npos);
    EXPECT_EQ(mat[0].kind, -1) << "the materials are gone";

    wand(3);
    int k = inv[0].kind, c = inv[0].count;
    ASSERT_TRUE(iswand(k));
    EXPECT_GE(c, 2);
    std::string made = std::string("あなたは") + itemlist[k].name + "(残り回数" +
                       std::to_string(c) + ")を作った\n";
    EXPECT_NE(screen().find(made), std::string::npos);
    int points = 10 - (itemlist[k].rare * c / 10 + 1);
    EXPECT_EQ(skl[3], points < 0 ? points + 20 : points);
    EXPECT_EQ(min, 2000);
}

TEST_F(Craft, EscapeAtTheThirdMaterialGivesTheBagBackExactly)
{
    mat[0] = {0, 1};  // stone, used up by the first choice
    mat[1] = {5, 2};
    mat[2] = {8, 2};  // cedar, no metal
    keys("aa" "a" "a\x1b" "x");
    EXPECT_EQ(run(make), -1);
    EXPECT_NE(all().find("素材２は？\na:鉄 x2\n"), std::string::npos)
        << "the later entries move up a letter";
    EXPECT_EQ(mat[0].kind, 5);
    EXPECT_EQ(mat[0].count, 2);
    EXPECT_EQ(mat[1].kind, 8);
    EXPECT_EQ(mat[2].kind, 0) << "the used-up stack comes back at the end";
    EXPECT_EQ(mat[2].count, 1);
    EXPECT_EQ(min, 0);
    EXPECT_NE(console.screens.back().find("何を作る？"), std::string::npos);
}

TEST_F(Craft, ChoicesAndRefusals)
{
    mat[0] = {8, 3};
    mat[1] = {24, 1};
    keys("caz\x1b" "x");  // wood and a letter beyond the bag are not food
    make();
    EXPECT_EQ(count(all(), "それは選べない\n"), 2);

    maxequip = 1;
    equipment[0] = {0, 1};
    keys("a ");
    make();
    EXPECT_NE(screen().find("あなたは装備品をこれ以上持てない\n"), std::string::npos);
    for (int i = 0; i < maxinv; i++) inv[i] = {19, 1};
    keys("b " "c ");
    make();
    make();
    EXPECT_EQ(count(all(), "\nこれ以上持てない\n"), 2);
    EXPECT_EQ(mat[0].count, 3);
    EXPECT_EQ(min, 0) << "a refusal takes no time";
}
