// The expedition's turn: the key prompt, the loop's own commands, the end of the turn.

#include "field/dungeon.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "core/opts.h"
#include "core/paths.h"
#include "core/rules.h"
#include "field/floor.h"
#include "floorkit.h"
#include "tempdir.h"
#include "testkit.h"

class Field : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        openfield(1);
    }
    // One turn: -1 when it ended normally, else the status the game ended with.
    int turn() { return run(fieldturn); }
    int clock() const { return (day * 24 + hour) * 6000 + min; }
    bool said(const char* text) const { return std::strstr(message, text) != nullptr; }
};

TEST_F(Field, AnyOtherKeyPassesATurnAndLookingDoesNot)
{
    keys("z\r");
    ASSERT_EQ(turn(), -1);
    ASSERT_EQ(turn(), -1);
    EXPECT_EQ(clock(), 200);
    EXPECT_EQ(pc.floorturn, 2);

    // help, the guide from help, the log, declining to quit twice: the same turn goes on
    keys("?a" "??\x1b" "\x10\x1b" "xn" "\x1bn" "z");
    ASSERT_EQ(turn(), -1);
    EXPECT_EQ(clock(), 300);
    EXPECT_TRUE(console.done());
    EXPECT_NE(all().find("本当に終わる？\ny/n\n"), std::string::npos);
    EXPECT_NE(all().find("ガイド  1:家  [2:探索]"), std::string::npos);
    EXPECT_NE(all().find("メッセージ履歴"), std::string::npos);
}

TEST_F(Field, QuitEndsTheGameWithoutAnotherTurn)
{
    keys("xy");
    EXPECT_EQ(turn(), EXITOK);
    keys("\x1by");
    EXPECT_EQ(turn(), EXITOK);
    EXPECT_EQ(clock(), 0);
}

TEST_F(Field, TheEndOfATurnRunsInItsOrder)
{
    setmode(3);
    inv[0] = {19, 2};  // 食糧
    eat[0] = 0, eat[1] = 1;
    rest = 1;
    gathering[0] = 21, gathering[1] = 20, gathering[2] = 1;
    pc.full = 1;          // the meal's 300, then the clock's hunger: exactly 300
    pc.floorturn = 270;   // this turn is the first of the warning
    pc.atkcur = 15, pc.atkturn = 1;
    pc.hp = 25;
    endturn();
    EXPECT_STREQ(message, "\nあなたは休憩を終えた\nあなたは食糧を食べ終えた\n空気が張り詰めている\n腹が減ってきた");
    EXPECT_EQ(inv[0].count, 1);
    EXPECT_EQ(pc.full, 300);
    EXPECT_EQ(gathering[2], 0);
    EXPECT_EQ(pc.floorturn, 271);
    EXPECT_EQ(pc.atkcur, pc.atk);
    EXPECT_STREQ(para, "攻撃:10 防御:10 器用:10 魔力:10 速さ:60") << "composed after the ageing";
    EXPECT_STREQ(status, "Lv:1 HP:25/30 MP:20/20 矢:20 次Lvまで100");
    EXPECT_EQ(clock(), 100);
}

TEST_F(Field, AMealEndsFillingTheStomachUpTo1000)
{
    inv[0] = {19, 1};
    inv[1] = {0, 2};
    eat[0] = 0, eat[1] = 2;
    pc.full = 900;
    endturn();
    EXPECT_EQ(inv[0].kind, 19) << "one step of the meal left";
    endturn();
    EXPECT_EQ(pc.full, 999) << "1000 at most, then the clock's step";
    EXPECT_EQ(inv[0].kind, 0) << "the last one eaten, the bag closed up";
    EXPECT_TRUE(said("\nあなたは食糧を食べ終えた"));
}

TEST_F(Field, RegenerationGivesAnHpEveryThirdTurnAndAnMpEveryFifth)
{
    pc.hp = 20, pc.mp = 10;
    for (int i = 0; i < 15; i++) endturn();
    EXPECT_EQ(pc.hp, 25);
    EXPECT_EQ(pc.mp, 13);
    pc.hp = pc.maxhp + 5;
    for (int i = 0; i < 3; i++) endturn();
    EXPECT_EQ(pc.hp, pc.maxhp + 5) << "no regeneration above the maximum";
}

TEST_F(Field, TheReturnScrollBringsThePlayerHomeWhenItRunsOut)
{
    pc.under = TDOWN;
    tohouse = 1;
    pc.hp = 5;
    keys(">");  // going down on the very turn changes nothing: home all the same
    ASSERT_EQ(turn(), -1);
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(arrow, 40);
    EXPECT_EQ(pc.hp, pc.maxhp);
}

TEST_F(Field, TheStairsGoDownAndUp)
{
    pc.hp = pc.maxhp = 1000;  // whatever the creatures of the new floors do
    keys("><");
    turn();
    EXPECT_TRUE(said("\nそこには下り階段がない"));
    turn();
    EXPECT_TRUE(said("\nそこには上り階段がない"));
    EXPECT_EQ(depth, 1);

    pc.under = TDOWN;
    keys(">");
    turn();
    EXPECT_EQ(depth, 2);
    EXPECT_EQ(arrow, 40);
    EXPECT_EQ(pc.floorturn, 1) << "a new floor, and one turn on it";
    EXPECT_TRUE(said("\nあなたは階段を降りた"));

    pc.under = TUP;
    keys("<");
    turn();
    EXPECT_EQ(depth, 1);
    EXPECT_TRUE(said("\nあなたは階段を上った"));
}

TEST_F(Field, StairsUpFromTheFirstFloorEndTheExpeditionHealed)
{
    // a hostile rat next to the stairs, far too strong to miss
    putnpc(0, 0, 21, 20);
    npc[0].atk = npc[0].dex = 200;
    pc.under = TUP;
    pc.hp = 4, pc.mp = 1;
    pc.defcur = 3, pc.defturn = 9;
    keys("<");
    ASSERT_EQ(turn(), -1);
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(pc.hp, pc.maxhp) << "the creatures of the floor left behind cannot reach home";
    EXPECT_EQ(pc.mp, pc.maxmp);
    EXPECT_EQ(pc.defcur, pc.def);
    EXPECT_EQ(pc.defturn, 0);
}

TEST_F(Field, AnExpeditionRunsUntilTheStairsLeadHome)
{
    codes m;
    for (int y = 0; y < MAPH; y++)
        for (int x = 0; x < MAPW; x++)
            m[y][x] = onmap(x - 1, y - 1) && onmap(x + 1, y + 1) ? TUP : TWALL;
    storeall(m);
    depth = 0;
    pc.hp = pc.maxhp = 1000;
    keys("z<");
    EXPECT_EQ(run(dungeon), -1);
    EXPECT_EQ(depth, 0);
    EXPECT_TRUE(console.done());
}

TEST_F(Field, RestingAsksForTurnsAndRunsWithoutScreenOrKeys)
{
    keys("r0\n");
    turn();
    EXPECT_EQ(rest, 0);
    EXPECT_FALSE(said("休憩を終えた"));
    EXPECT_EQ(clock(), 100);

    keys("rabc\n3\n");
    turn();
    EXPECT_EQ(rest, 2);
    std::string prompt = "何ターン休憩する？\n(&で全回復するまで)\n";
    EXPECT_NE(screen().find(prompt + "abc\n" + prompt + "3\n"), std::string::npos)
        << "asked again on the same screen";
    size_t screens = console.screens.size();
    ASSERT_EQ(turn(), -1);
    ASSERT_EQ(turn(), -1);
    EXPECT_TRUE(said("\nあなたは休憩を終えた"));
    EXPECT_EQ(console.screens.size(), screens) << "nothing drawn while resting";
    EXPECT_EQ(clock(), 400);

    keys("r\x1b\n");
    turn();
    EXPECT_EQ(rest, 0) << "Escape leaves the prompt";
    EXPECT_EQ(clock(), 500) << "the turn still passes";
}

TEST_F(Field, RestingUntilHealedCountsTheSlowerBar)
{
    keys("r&\n");
    turn();
    EXPECT_EQ(rest, 0) << "nothing to heal: one turn";
    EXPECT_FALSE(said("休憩を終えた"));

    pc.hp = pc.maxhp - 10, pc.mp = pc.maxmp - 1;
    keys("r&\n");
    turn();
    EXPECT_EQ(rest, 29) << "3 x 10 beats 5 x 1, and this turn was the first";

    rest = 0;
    pc.hp = pc.maxhp + 12;  // a potion lifts hp above the maximum,
    pc.mp = pc.maxmp + 2;   // losing a level leaves mp above it
    keys("r&\n");
    turn();
    EXPECT_EQ(rest, 0);
}

TEST_F(Field, TheRestCountIsBounded)
{
    keys("r12345678901234567890\n7\n");
    turn();
    EXPECT_EQ(rest, 6) << "a count too long for a number is asked again";
}

TEST_F(Field, TheFloorWarnsForItsLast29TurnsThenThePlayerFalls)
{
    setmode(3);
    pc.floorturn = 269;
    keys("z");
    turn();
    EXPECT_FALSE(said("空気が張り詰めている"));
    rest = gathering[2] = 10;
    inv[0] = {19, 1};
    eat[0] = 0, eat[1] = 10;
    turn();  // busy: no key
    EXPECT_TRUE(said("\n空気が張り詰めている"));
    EXPECT_EQ(pc.floorturn, 271);
    EXPECT_EQ(rest + gathering[2] + eat[1], 0) << "the warning breaks off all that runs";

    pc.floorturn = 298;
    pc.hp = pc.maxhp = 150;
    keys("zz");
    turn();
    EXPECT_TRUE(said("\n空気が張り詰めている"));
    turn();
    EXPECT_STREQ(message, "\nあなたは下の階に落ちた");
    EXPECT_EQ(depth, 2);
    EXPECT_EQ(pc.floorturn, 0);
    EXPECT_EQ(pc.hp, 50);
    EXPECT_EQ(arrow, 20) << "falling brings no arrows";
}

// The count beside the window, turn by turn, agrees with the turn the fall comes.
TEST_F(Field, TheAssistedViewCountsTheTurnsLeftBeforeTheFall)
{
    opts.assist = true;
    pc.hp = pc.maxhp = 1000;
    pc.floorturn = stayfloor - 35;
    std::vector<int> counts;  // what the screen of each turn showed, 0 for nothing
    const char* const shown = "落下まであと";
    keys(std::string(40, 'z'));
    while (depth == 1 && counts.size() < 40) {
        turn();
        size_t at = screen().find(shown);
        counts.push_back(at == std::string::npos ? 0 : std::atoi(&screen()[at + std::strlen(shown)]));
    }
    int fall = static_cast<int>(counts.size()) - 1;  // the turn the player fell in
    EXPECT_EQ(fall + 1 - std::count(counts.begin(), counts.end(), 0), 29) << "from the warning on";
    for (int k = 0; k <= fall; k++) EXPECT_TRUE(!counts[k] || k + counts[k] - 1 == fall) << k;
}

TEST_F(Field, TheFallCanKill)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("kurashi-fall-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string maps = mapfolder(), data = datafolder();
    setfolders(maps, dir.string());  // the death record goes here
    setmode(3);
    pc.floorturn = 299;
    pc.hp = 99;
    keys("z ");
    EXPECT_EQ(turn(), EXITOK);
    setfolders(maps, data);
    fs::remove_all(dir);
}

// In the assisted view a step onto rough ground beside a hostile creature is asked about.
TEST_F(Field, ARoughStepBesideAnEnemyIsAskedAbout)
{
    for (npcdata& n : npc) n.hp = -1;
    opts.vikeys = true;
    setcell(21, 20, TROUGH);
    putnpc(0, 10, 19, 19);  // a peaceful miner counts for nothing
    for (bool assist : {false, true}) {
        opts.assist = assist;
        keys("l");
        turn();
        EXPECT_EQ(pc.x, 21) << assist;
        pc.x = 20, pc.under = TFLOOR, map[20][21] = TROUGH, map[20][20] = TOCCUPIED;
    }
    putnpc(1, 1, 22, 21);  // a dog beside the rough ground
    keys("ln" "z" "ly");
    turn();
    EXPECT_EQ(pc.x, 20) << "a no takes no time";
    EXPECT_EQ(pc.floorturn, 3);
    EXPECT_NE(all().find("荒れ地で遅くなる。敵が隣にいる。進む？ y/n"), std::string::npos);
    turn();
    EXPECT_EQ(pc.x, 21);
}

// Every way to die in the field leaves a report in morgue/ that names it.
TEST_F(Field, EveryDeathLeavesAReportOfItsCause)
{
    TempDir dir;
    std::string maps = mapfolder(), data = datafolder();
    setfolders(maps, dir.path);
    const struct {
        int kind, depth;  // the creature beside the player (-1: none, wait for the fall)
        const char* cause;
    } deaths[] = {{1, 1, "死因: 犬に殴られた\n場所: 鉱山 地下1階"},
                  {4, 9, "死因: 黒魔術師の魔法の矢を受けた\n場所: 鉱山 地下9階"},
                  {5, 1, "死因: 酔っぱらいに毒薬を投げつけられた"},
                  {-1, 1, "死因: 下の階に落ちた\n場所: 鉱山 地下2階 (この階の0ターン目)"}};
    std::set<std::string> seen;
    for (const auto& d : deaths) {
        openfloor();
        depth = d.depth;
        pc.floorturn = d.kind < 0 ? stayfloor - 1 : 0;
        if (d.kind >= 0) putnpc(0, d.kind, 23, 20);
        npc[0].dex = npc[0].dexcur = 1000;  // its blows and throws always land
        int end = -1;
        for (int t = 0; t < 2000 && end < 0; t++) {
            pc.hp = 0, pc.floorturn %= stayfloor;  // any hurt kills, and no fall comes first
            keys("z ");  // a turn, and the death screen's key
            end = turn();
        }
        ASSERT_EQ(end, EXITOK) << d.cause;
        for (const auto& f : std::filesystem::directory_iterator(dir / "morgue")) {
            if (!seen.insert(f.path().filename()).second) continue;
            std::ifstream in(f.path());
            std::string report((std::istreambuf_iterator<char>(in)), {});
            EXPECT_NE(report.find(d.cause), std::string::npos) << report;
        }
    }
    EXPECT_EQ(seen.size(), 4u);
    setfolders(maps, data);
}

class Pickup : public Field {
protected:
    void itemhere(int kind)
    {
        map[pc.y][pc.x] = TFLOOR;
        putitem(0, kind, pc.x, pc.y);
        pc.under = TITEM;
        map[pc.y][pc.x] = TOCCUPIED;
    }
};

TEST_F(Pickup, NothingThereGrabsTheAir)
{
    keys("g");
    turn();
    EXPECT_TRUE(said("\nあなたは空気をつかんだ"));
    EXPECT_EQ(clock(), 100);
}

TEST_F(Pickup, ItemsOfAKindStack)
{
    inv[0] = {3, 1};
    inv[1] = {0, 1};
    itemhere(0);
    keys("g");
    turn();
    EXPECT_EQ(inv[1].count, 2);
    EXPECT_EQ(inv[2].kind, -1);
    EXPECT_EQ(itm[0].taken, 1);
    EXPECT_EQ(pc.under, TFLOOR);
    EXPECT_TRUE(said("\nあなたは体力回復の薬を拾った"));
}

TEST_F(Pickup, AWandTakesASlotOfItsOwnWithChargesByDepth)
{
    depth = 3;
    inv[0] = {40, 3};
    itemhere(40);
    std::srand(5);
    int charges = dice(2, trpcalc(3, 5 + 1, 5) + 1, 0);
    std::srand(5);
    keys("g");
    turn();
    EXPECT_EQ(inv[0].count, 3);
    EXPECT_EQ(inv[1].kind, 40);
    EXPECT_EQ(inv[1].count, charges);
    std::string picked = "\nあなたは軽傷治癒の杖(残り" + std::to_string(charges) + "回)を拾った";
    EXPECT_TRUE(said(picked.c_str()));
}

TEST_F(Pickup, AFullBagLeavesTheItemWhereItLies)
{
    for (int i = 0; i < maxinv; i++) inv[i] = {40, 1};
    itemhere(0);
    keys("g");
    turn();
    EXPECT_TRUE(said("\n鞄にこれ以上入らない"));
    EXPECT_EQ(itm[0].taken, 0);
    EXPECT_EQ(pc.under, TITEM);

    for (int i = 0; i < maxinv; i++) inv[i] = {0, 1};
    itm[0] = itemlist[41];
    itm[0].x = pc.x, itm[0].y = pc.y;
    keys("g");
    turn();
    EXPECT_TRUE(said("\n鞄にこれ以上入らない")) << "a wand never stacks";
    EXPECT_EQ(itm[0].taken, 0);
}

TEST_F(Field, TheOverlayLaysItemsThenCreaturesThenThePlayer)
{
    putitem(0, 0, 22, 20);
    putnpc(0, 0, 22, 20);   // a rat standing on the potion
    putnpc(1, 10, 23, 20);  // a peaceful miner
    overlay();
    EXPECT_EQ(mi[20][22].glyph, 'r');
    EXPECT_EQ(mi[20][22].color, 12);
    EXPECT_EQ(mi[20][23].color, 9);
    EXPECT_EQ(mi[20][20].glyph, '@');
    EXPECT_EQ(mi[20][20].color, 14);

    setcell(22, 20, TITEM);  // the rat steps off, its cell shows the terrain again
    npc[0].x = 24;
    overlay();
    EXPECT_EQ(mi[20][22].glyph, '!');
    EXPECT_EQ(mi[20][22].color, itemlist[0].color);
}
