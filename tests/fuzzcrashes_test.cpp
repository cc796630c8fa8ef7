// Every input the fuzzers ever broke a reader or a loaded game with (fuzz/crashes/<target>/)
// goes through the same checks again, so a fault once mended stays mended.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/paths.h"
#include "floorkit.h"
#include "home/savegame.h"
#include "playdir.h"
#include "readercheck.h"
#include "testkit.h"

namespace {
// The files found for one fuzz target, with their text.
std::vector<std::pair<std::string, std::string>> crashes(const std::string& target)
{
    std::vector<std::pair<std::string, std::string>> found;
    std::filesystem::path dir = std::filesystem::path(KURASHI_SOURCE_DIR) / "fuzz/crashes" / target;
    if (!std::filesystem::is_directory(dir)) return found;  // none found for this reader yet
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        if (!e.is_regular_file() || e.path().filename() == "README") continue;
        std::ifstream f(e.path(), std::ios::binary);
        found.emplace_back(e.path().string(), std::string((std::istreambuf_iterator<char>(f)), {}));
    }
    return found;
}

// The game of the globals written as a game file and read back into back.
testing::AssertionResult writtenandread(savedgame& back)
{
    savedgame g;
    capturegame(g);
    std::string text;
    loaderror err;
    if (!writegame(g, text)) return testing::AssertionFailure() << "the game cannot be written";
    if (!readgame(text, back, err)) return testing::AssertionFailure() << err.what;
    return testing::AssertionSuccess();
}
}  // namespace

TEST(FuzzCrashes, EveryGameFileOnceFoundIsReadSoundly)
{
    for (const auto& [path, text] : crashes("gamefile")) EXPECT_EQ(gamefileproblem(text), "") << path;
}

TEST(FuzzCrashes, EveryGameFileOnceFoundPlaysSoundly)
{
    PlayDir games;
    const std::string oldmaps = mapfolder(), olddata = datafolder();
    loadgamemaps();
    setfolders(KURASHI_SOURCE_DIR, games.path);
    for (const auto& [path, text] : crashes("playfile")) EXPECT_EQ(playfileproblem(text), "") << path;
    setfolders(oldmaps, olddata);
}

TEST(FuzzCrashes, EveryIndexOnceFoundIsReadSoundly)
{
    for (const auto& [path, text] : crashes("index")) EXPECT_EQ(indexproblem(text), "") << path;
}

TEST(FuzzCrashes, EveryMapOnceFoundIsReadSoundly)
{
    for (const auto& [path, text] : crashes("map")) EXPECT_EQ(mapproblem(path.c_str()), "") << path;
}

// ---------------------------------------------------------------- what the fuzzers found

class FuzzFound : public GameTest {};

TEST_F(FuzzFound, AStackOfNoneInAGameFileIsNoEntryButASpentWandAndASoldOutStockAreKept)
{
    freshgame(0);
    inv[0] = {3, 0};
    inv[1] = {FIRSTWAND, 0};
    inv[2] = {5, 2};
    mat[0] = {1, 0};
    equipment[0] = {2, 0};
    warehouseitm[0] = {FIRSTWAND + 1, 0};
    warehousemat[0] = {4, 0};
    itemmyshop[0] = {6, 0, 100};
    itemnpcshop[0] = {3, 0};    // sold out, and kept in its place
    equipnpcshop[0] = {2, 0};  // a piece of no performance
    savedgame back;
    ASSERT_TRUE(writtenandread(back));
    EXPECT_EQ(back.inv[0].kind, FIRSTWAND);
    EXPECT_EQ(back.inv[0].count, 0);
    EXPECT_EQ(back.inv[1].kind, 5);
    EXPECT_EQ(back.inv[2].kind, -1);
    EXPECT_EQ(back.mat[0].kind, -1);
    EXPECT_EQ(back.equipment[0].kind, -1);
    EXPECT_EQ(back.warehouseitm[0].kind, FIRSTWAND + 1);
    EXPECT_EQ(back.warehousemat[0].kind, -1);
    EXPECT_EQ(back.itemmyshop[0].kind, -1);
    EXPECT_EQ(back.itemnpcshop[0].kind, 3);
    EXPECT_EQ(back.equipnpcshop[0].kind, -1);
}

TEST_F(FuzzFound, ASpellNamedTwiceInAGameFileIsLearnedOnce)
{
    freshgame(1);
    const int spells[] = {3, 0, 3, -1, 0, 5};
    std::copy(std::begin(spells), std::end(spells), pc.magic);
    savedgame back;
    ASSERT_TRUE(writtenandread(back));
    const int learned[] = {3, 0, 5, -1};
    for (int i = 0; i < 4; i++) EXPECT_EQ(back.magic[i], learned[i]) << i;
}
