// The key fuzzer's checks see every kind of broken state, and a fuzzed game's keys play
// again through the built game to the very same screens.

#include <filesystem>
#include <fstream>
#include <functional>

#include "core/catalog.h"
#include "core/paths.h"
#include "core/record.h"
#include "floorkit.h"
#include "keyfuzz.h"
#include "soundness.h"
#include "playdir.h"
#include "savekit.h"
#include "testkit.h"

namespace {
class Soundness : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshgame(1);
        inv[0] = {3, 2};
        inv[1] = {FIRSTWAND, 0};  // a spent wand is kept
        warehouseitm[0] = {5, 1};
        crp[0] = {0, 0, 0, 0, 0, 1};
        pc.magic[0] = 2;
        openfloor(20, 20);
        putnpc(0, 1, 22, 20);
        putitem(0, 3, 10, 10);
        putitem(1, 4, 23, 20);
        putnpc(1, 2, 23, 20);  // standing on an item
        numnpc = 2;
        numitem = 2;
    }
};

struct breakage {
    const char* what;
    std::function<void()> spoil;
    const char* seen;
};

const breakage breakages[] = {
    {"a gap in the bag", [] { inv[0].kind = -1; }, "inv is not closed up"},
    {"an entry beyond the bag", [] { inv[maxinv] = {3, 1}; }, "inv has a used entry beyond"},
    {"an empty stack", [] { inv[0].count = 0; }, "inv has a used entry counting too few"},
    {"an unknown kind", [] { mat[0] = {NMATERIAL, 1}; }, "mat holds an unknown kind"},
    {"equipment of no performance", [] { equipment[0] = {1, 0}; }, "equipment has a used entry counting"},
    {"the warehouse past its level", [] { warehouseitm[1] = {5, 1}; }, "warehouseitm has a used entry beyond"},
    {"a plot past the farm", [] { crp[1] = {1, 0, 0, 0, 0, 1}; }, "crp has a used entry beyond"},
    {"a gap in the own shop", [] { shoplv = 3, itemmyshop[2] = {4, 1, 10}; }, "itemmyshop is not closed up"},
    {"a town stock of no kind", [] { equipnpcshop[4].kind = 9; }, "town stock broken"},
    {"a town piece of no performance", [] { equipnpcshop[4] = {2, 0}; }, "town stock broken"},
    {"a household level of 0", [] { farmlv = 0; }, "farmlv out of 1..32"},
    {"a level past 32", [] { townlv = 33; }, "townlv out of 1..32"},
    {"a thirteenth month", [] { month = 12; }, "calendar out of range"},
    {"an hour of 60 minutes", [] { min = 6000; }, "calendar out of range"},
    {"less than empty", [] { pc.full = -1; }, "full below 0"},
    {"a debt", [] { money = -1; }, "money below 0"},
    {"a gap among the spells", [] { pc.magic[0] = -1, pc.magic[1] = 3; }, "spell list broken"},
    {"a spell learned twice", [] { pc.magic[1] = 2; }, "spell list broken"},
    {"a meal of a potion", [] { eat[0] = 0, eat[1] = 3; }, "a meal of no food"},
    {"a skill unlearned", [] { skl[2 * SKFISH] = 0; }, "skill level below 1"},
    {"a creature on a creature", [] { npc[0].under = TOCCUPIED; }, "a creature stands on a creature's mark"},
    {"a stray creature cell", [] { map[5][5] = TOCCUPIED; }, "cells of 10 for 3"},
    {"a creature on plain floor", [] { map[20][22] = TFLOOR; }, "creature's cell not 10"},
    {"a lost item", [] { map[10][10] = TFLOOR; }, "item lost its 11"},
    {"an item under a creature lost", [] { npc[1].under = TFLOOR; }, "item lost its 11"},
    {"an item off the grid", [] { itm[0].x = MAPW; }, "item off the grid"},
    {"a creature off the grid", [] { npc[0].y = -1; }, "creature off the grid"},
};
}  // namespace

TEST_F(Soundness, EveryBrokenRuleIsSeenAndASoundGameHasNone)
{
    EXPECT_EQ(stateproblems(), "");
    for (const breakage& b : breakages) {
        SCOPED_TRACE(b.what);
        SetUp();
        b.spoil();
        EXPECT_NE(stateproblems().find(b.seen), std::string::npos) << stateproblems();
    }
}

namespace {
class KeyFuzz : public ::testing::Test {
protected:
    PlayDir games;
    std::string oldmaps = mapfolder(), olddata = datafolder();
    void SetUp() override
    {
        loadgamemaps();
        setfolders(KURASHI_SOURCE_DIR, games.path);
    }
    void TearDown() override { setfolders(oldmaps, olddata); }
};

// Plays a fuzzed game's recording through the built game in a folder of its own, holding
// the household the game loads.
int replayfuzzed(const fuzzgame& g, std::string& out)
{
    PlayDir dir;
    std::ofstream(dir / "case.rec", std::ios::binary) << g.recording;
    if (!g.savedgame.empty()) {
        std::filesystem::create_directory(dir / "save");
        std::ofstream(dir / "save/save0", std::ios::binary) << g.savedgame;
        std::ofstream(dir / "save/save", std::ios::binary) << g.savedindex;
    }
    return replaybinary(dir / "case.rec", dir.path, out);
}
}  // namespace

TEST_F(KeyFuzz, AFuzzedGameReplaysThroughTheGameToTheSameScreens)
{
    fuzzsettings s;
    s.keys = 1500;
    s.keepscreens = true;
    bool seasoned = false, fresh = false;
    for (unsigned seed = 1; seed < 40 && !(seasoned && fresh); seed++) {
        fuzzgame g = fuzzone(seed, s);
        ASSERT_EQ(g.problem, "") << "seed " << seed;
        (g.savedgame.empty() ? fresh : seasoned) = true;
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::string out;
        EXPECT_EQ(replayfuzzed(g, out), g.status);
        ASSERT_EQ(out.size(), g.screens.size());
        EXPECT_TRUE(out == g.screens);
    }
    EXPECT_TRUE(seasoned && fresh) << "games of both openings were played";
}

TEST_F(KeyFuzz, AFindingStopsTheGameAndItsKeysFindItAgain)
{
    fuzzsettings s;
    s.stucklimit = 30;  // strict enough that a game soon trips over it
    fuzzgame found;
    for (unsigned seed = 1; seed < 100 && found.problem.empty(); seed++) found = fuzzone(seed, s);
    ASSERT_NE(found.problem, "");
    EXPECT_EQ(found.status, -1) << "the game stopped at the finding";
    fuzzgame again = replaychecked(found.recording, found, s);
    EXPECT_EQ(again.problem, found.problem);
    EXPECT_EQ(again.keys, found.keys);
    EXPECT_EQ(again.lastscreen, found.lastscreen);
}

// The assisted view plays no differently: the same keys make the same game, draw for draw.
TEST_F(KeyFuzz, TheAssistedViewChangesNoRuleAndNoDraw)
{
    fuzzsettings s, a;
    s.keys = 1500, s.keepscreens = a.keepscreens = a.passmore = true;
    int shown = 0;
    for (unsigned seed = 1; seed <= 6; seed++) {
        fuzzgame g = fuzzone(seed, s);
        std::string keys = g.recording.substr(g.recording.find('\n') + 1);
        std::replace(keys.begin(), keys.end(), '\t', 'z');  // Tab aims in the assisted view
        fuzzgame off = replaychecked(replayheader(seed, {}) + keys, g, s);
        std::string plain = worldbytes() + std::to_string(std::rand());
        fuzzgame on = replaychecked(replayheader(seed, {true, false, JA}) + keys, g, a);
        std::string assisted = worldbytes() + std::to_string(std::rand());
        EXPECT_TRUE(on.problem.empty() && on.status == off.status && assisted == plain) << seed;
        shown += on.screens != off.screens;
    }
    EXPECT_GT(shown, 0) << "the assisted view showed nothing of its own";
}
