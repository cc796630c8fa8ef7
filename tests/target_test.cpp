// The targeting cursor, looking, shooting and throwing.

#include "field/target.h"

#include <algorithm>
#include <cstring>

#include "core/opts.h"
#include "core/rules.h"
#include "drawkit.h"
#include "field/dungeon.h"
#include "fieldcheck.h"
#include "floorkit.h"
#include "testkit.h"

namespace {
constexpr int RAT = 0, MINER = 10;
constexpr int POISON = 2, HEALING = 0, SHORTSCROLL = 14;

class Aim : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshgame(0);
        openfloor(20, 20);
    }
    // A creature of kind right of the player, its stats as the player's (all 10).
    npcdata& target(int kind)
    {
        putnpc(0, kind, 21, 20);
        npcdata& c = npc[0];
        c.hp = c.maxhp = 100;
        for (int s = ATK; s <= MAG; s++) *statof(c, s).base = *statof(c, s).cur = 10;
        return c;
    }
    std::string said() const { return message; }

    struct tally {
        int hits, lo, hi;
    };
    // n shots aimed with the keys at whoever's hp victim gives, its hp reset before each:
    // how many hit, and the least and most damage of a hit.
    template <class V>
    tally volley(int n, V victim, const char* aim = "\r")
    {
        tally t{0, 999, 0};
        for (int i = 0; i < n; i++) {
            int& hp = *victim();
            hp = 100;
            arrow = 1;
            keys(aim);
            shoot();
            if (hp == 100 && std::strstr(message, "当たらなかった")) continue;
            t.hits++;
            t.lo = std::min(t.lo, 100 - hp);
            t.hi = std::max(t.hi, 100 - hp);
        }
        return t;
    }
};
}  // namespace

TEST_F(Aim, TheCursorStopsAtTheMapEdgeAndAtTheReachReplacingTheMessages)
{
    std::strcpy(message, "\n前の話");
    int x = 3;
    for (int n = 0; n < 3; n++) x = targetmove(3, x, -1);
    EXPECT_EQ(x, 0);
    EXPECT_STREQ(message, "") << "a step taken empties the buffer";
    x = targetmove(3, x, -1);
    EXPECT_EQ(x, 0);
    EXPECT_STREQ(message, "マップ範囲外");
    EXPECT_EQ(targetmove(36, 39, 1), 39);

    x = 20;
    for (int n = 0; n < 6; n++) x = targetmove(20, x, 1);
    EXPECT_EQ(x, 25);
    EXPECT_STREQ(message, "射程範囲外");
    EXPECT_EQ(targetmove(20, 15, -1), 15);
}

TEST_F(Aim, TheCursorDescribesEveryCellItCrossesAndGivesBackTheChosenCode)
{
    setcell(20, 18, TTREE);
    putitem(0, HEALING, 21, 19);
    target(RAT);
    // up, up: the tree; down, right: the potion; down: the rat; Enter describes it again
    keys("HHPMP\r");
    EXPECT_EQ(targetselect(), TOCCUPIED);
    EXPECT_EQ(tx, 21);
    EXPECT_EQ(ty, 20);
    EXPECT_STREQ(message, "\nそこにはねずみがいる\nそこにはねずみがいる");
    std::string screens = all();
    EXPECT_EQ(count(screens, "そこには木がある"), 1);
    EXPECT_EQ(count(screens, "そこには体力回復の薬がある"), 1);

    keys("z" "\x1b");
    EXPECT_EQ(targetselect(), -1);
    EXPECT_NE(std::string(message).find("\nそこにはあなたがいる"), std::string::npos);
    keys("q");
    EXPECT_EQ(targetselect(), -1);
    keys("t");
    EXPECT_EQ(targetselect(), TOCCUPIED) << "'t' confirms the player's own cell";
}

TEST_F(Aim, InTheAssistedViewTabGoesRoundTheCreaturesInReachAndEveryGroundIsNamed)
{
    putnpc(0, MINER, 21, 20);  // peaceful, the nearest
    putnpc(1, RAT, 18, 20);    // hostile, two away
    putnpc(2, RAT, 20, 23);    // hostile, three away
    putnpc(3, RAT, 26, 20);    // beyond the reach
    const char* const tabs[] = {"\t\r", "\t\r", "\t\t\r", "\t\t\t\r", "\t\t\t\t\r", "hhk\r"};
    const int cells[] = {2020, 1820, 2023, 2120, 1820, 1819};  // first: no view; last: vikeys
    for (int i = 0; i < 6; i++) {
        opts.assist = i > 0, opts.vikeys = i == 5;
        keys(tabs[i]);
        targetselect();
        EXPECT_EQ(tx * 100 + ty, cells[i]) << i;
        bool named = std::strstr(message, "そこには鉱夫(友好・撃つと怒る)がいる");
        EXPECT_EQ(named, i == 3) << "the peaceful one, reached after the hostile ones";
    }
    for (int i = 0; i < 3; i++) npc[i].hp = -1;
    keys("\t\x1b");
    targetselect();
    EXPECT_STREQ(message, "射程内に生き物はいない\nそこにはあなたがいる");
    tx = ty = 21;
    for (auto [code, name] :
         {std::pair{TFLOOR, "床"}, {TROUGH, "荒れ地"}, {TROUGH2, "荒れ地"}, {TWATER, "水場"}}) {
        setcell(21, 21, code);
        clearmes();
        targetinfo();
        EXPECT_NE(std::string(message).find(name), std::string::npos) << name;
    }
}

TEST_F(Aim, LookingTakesNoTurnAndShowsTheCursorOnGrey)
{
    overlay();
    keys("\x1b");
    EXPECT_FALSE(look());
    painted p = lastscreen(console.painted);
    EXPECT_EQ(p.glyph(7, 10), '@');
    EXPECT_EQ(p.attr(7, 10), CGREY * 16 + CYELLOW);
    EXPECT_EQ(p.attr(7, 11), CWHITE);
}

TEST_F(Aim, WithoutArrowsAShotCostsATurnAndOpensNoCursor)
{
    arrow = 0;
    EXPECT_TRUE(shoot());
    EXPECT_STREQ(message, "\n矢がもうない");
    EXPECT_EQ(console.screens.size(), 1u) << "nothing drawn";

    arrow = 3;
    keys("\x1b");
    EXPECT_FALSE(shoot());
    EXPECT_EQ(arrow, 3) << "a cancelled aim keeps the arrow";
}

TEST_F(Aim, AShotAtOnesOwnCellHitsThreeTimesInFour)
{
    percent(75);
    keys("\r");
    EXPECT_TRUE(shoot());
    EXPECT_EQ(pc.hp, 30);
    EXPECT_NE(said().find("\n矢はあなたに当たらなかった"), std::string::npos);
    EXPECT_EQ(arrow, 19);
    percent(74);
    keys("\r");
    shoot();
    EXPECT_LT(pc.hp, 30);
    EXPECT_NE(said().find("\nあなたは自分を射撃し"), std::string::npos);

    auto [hits, lo, hi] = volley(2000, [] { return &pc.hp; });
    EXPECT_NEAR(hits, 1500, 80);
    EXPECT_EQ(lo, 3);  // three dice of trpcalc(10, 10, 5) = 5 sides
    EXPECT_EQ(hi, 15);
}

TEST_F(Aim, InTheAssistedViewAnAimAtOneselfIsAskedAboutFirst)
{
    opts.assist = true;
    inv[0] = {POISON, 1};
    keys("\rn" "a\rn\x1b");
    EXPECT_FALSE(shoot());
    EXPECT_FALSE(throwitem());
    EXPECT_EQ(arrow, 20);
    EXPECT_EQ(inv[0].count, 1) << "a no spends nothing";
    EXPECT_NE(all().find("そこにはあなたがいる\n自分を狙っている。本当に？ y/n"), std::string::npos);
    keys("\ry");
    EXPECT_TRUE(shoot());
    EXPECT_EQ(arrow, 19);
}

TEST_F(Aim, AShotHitsByDexterityAndWoundsByDefence)
{
    npcdata& c = target(RAT);
    c.dexcur = 20;  // trpcalc(10, 20, 75) = 39
    percent(39);
    keys("M\r");
    shoot();
    EXPECT_EQ(c.hp, 100);
    EXPECT_NE(said().find("\n矢はねずみに当たらなかった"), std::string::npos);
    percent(38);
    keys("M\r");
    shoot();
    EXPECT_LT(c.hp, 100);

    auto [hits, lo, hi] = volley(2000, [] { return &npc[0].hp; }, "M\r");
    EXPECT_NEAR(hits, 780, 80);
    EXPECT_EQ(lo, 3);
    EXPECT_EQ(hi, 15);

    c.defcur = 100;  // trpcalc(10, 100, 5) = 0: a die without sides wounds nobody
    c.hp = 100;
    arrow = 5;
    percent(0);
    keys("M\r");
    clearmes();
    shoot();
    EXPECT_EQ(c.hp, 100);
    EXPECT_NE(said().find("\nあなたはねずみを射撃し0のダメージを与えた"), std::string::npos);
}

TEST_F(Aim, AShotKillsBelowZeroAndAngersThePeacefulOnce)
{
    npcdata& c = target(MINER);
    c.hp = 3;
    seedwhen([] { return std::rand() % 100 < 75 && dice(3, 5, 0) == 3; });
    keys("M\r");
    shoot();
    EXPECT_EQ(c.hp, 0) << "exactly 0 is still alive";
    EXPECT_EQ(c.attitude, -1);
    EXPECT_EQ(said(), "\nそこには鉱夫がいる\nそこには鉱夫がいる"
                      "\nあなたは鉱夫を射撃し3のダメージを与えた\n鉱夫は怒った");

    seedwhen([] { return std::rand() % 100 < 75 && std::rand() % 5 == 0; });
    keys("M\r");
    clearmes();
    shoot();
    EXPECT_LT(c.hp, 0);
    EXPECT_EQ(count(said(), "怒った"), 0);
    EXPECT_NE(said().find("\nあなたは鉱夫を射撃し"), std::string::npos);
    EXPECT_NE(said().find("のダメージを与えて殺した"), std::string::npos);
    EXPECT_EQ(map[20][21], TFLOOR);
    EXPECT_GT(pc.exp, 0);
    EXPECT_EQ(cellproblems(), "");
}

TEST_F(Aim, AShotSticksInFloorAndWallBreaksAnItemAndPassesTreesSilently)
{
    setcell(20, 21, TTREE);
    setcell(19, 20, TWALL);
    putitem(0, HEALING, 20, 19);
    const struct {
        const char* aim;
        const char* last;
    } shots[] = {{"H\r", "\n地面の体力回復の薬は割れた"},
                 {"K\r", "\n矢は壁に刺さった"},
                 {"P\r", "\nそこには木がある"},  // the cursor's word is the last
                 {"MM\r", "\n矢は床に刺さった"}};
    for (const auto& s : shots) {
        keys(s.aim);
        EXPECT_TRUE(shoot());
        std::string m = said();
        EXPECT_EQ(m.substr(m.rfind('\n')), s.last);
    }
    EXPECT_EQ(arrow, 16);
    EXPECT_EQ(itm[0].taken, 1);
    EXPECT_EQ(map[19][20], TFLOOR);
    EXPECT_EQ(cellproblems(), "");
}

TEST_F(Aim, TheThrowMenuLettersFollowTheBag)
{
    inv[0] = {SHORTSCROLL, 1};
    inv[1] = {POISON, 1};
    keys("a" "x" "\x1b");
    EXPECT_FALSE(throwitem());
    EXPECT_EQ(console.screens[1], "何を投げる?\nb:毒薬 x1\n\nそのアイテムは存在しない\n何かキーを押してください");
    EXPECT_EQ(console.screens.size(), 3u) << "the menu again after the refusal";

    keys("b" "MMMMMM\x1b" "\x1b");
    EXPECT_FALSE(throwitem()) << "a cancelled aim goes back to the menu";
    EXPECT_STREQ(message, "") << "and leaves no words of the cursor behind";
    EXPECT_EQ(inv[1].count, 1);
    EXPECT_NE(screen().find("何を投げる?"), std::string::npos);
}

TEST_F(Aim, TheLastPotionThrownWorksBeforeItLeavesTheBag)
{
    inv[0] = {POISON, 1};
    inv[1] = {HEALING, 2};
    npcdata& c = target(MINER);
    c.hp = 5;
    seedwhen([] { return std::rand() % 100 < 75; });
    keys("a" "M\r");
    EXPECT_TRUE(throwitem());
    EXPECT_NE(said().find("\nあなたは鉱夫に毒薬を投げた\n鉱夫は怒った\n鉱夫は12のダメージを受けて死んだ"),
              std::string::npos);
    EXPECT_LT(c.hp, 0);
    EXPECT_EQ(inv[0].kind, HEALING) << "the bag closed up";
    EXPECT_EQ(inv[0].count, 2);
    EXPECT_EQ(inv[1].kind, -1);
    EXPECT_EQ(cellproblems(), "");
}

TEST_F(Aim, APotionThrownAtOneselfWorksThreeTimesInFour)
{
    inv[0] = {POISON, 3};
    percent(74);
    keys("a\r");
    throwitem();
    EXPECT_EQ(pc.hp, 18);
    EXPECT_NE(said().find("\nあなたはあなたに毒薬を投げた\nあなたは12のダメージを受けた"), std::string::npos);
    percent(75);
    keys("a\r");
    throwitem();
    EXPECT_EQ(pc.hp, 18);
    EXPECT_NE(said().find("\n毒薬はあなたに当たらなかった"), std::string::npos);
    EXPECT_EQ(inv[0].count, 1);
}

TEST_F(Aim, APotionMissesByDexterityAndBreaksOnFloorItemAndWall)
{
    inv[0] = {POISON, 9};
    npcdata& c = target(RAT);
    percent(75);
    keys("a" "M\r");
    throwitem();
    EXPECT_EQ(c.hp, 100);
    EXPECT_NE(said().find("\n毒薬はねずみに当たらなかった"), std::string::npos);

    putitem(0, HEALING, 20, 19);
    setcell(19, 20, TWALL);
    keys("a" "H\r" "a" "K\r" "a" "P\r");
    throwitem();
    EXPECT_NE(said().find("\n毒薬は床に落ちて割れた"), std::string::npos);
    EXPECT_EQ(itm[0].taken, 0) << "an item lying there is not harmed";
    throwitem();
    EXPECT_NE(said().find("\n毒薬は壁に当たって割れた"), std::string::npos);
    throwitem();
    EXPECT_EQ(inv[0].count, 5);
}
