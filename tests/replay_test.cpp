// Committed recordings of real play, replayed through the built game: their screens must
// not change without a reason. And the seed catalogue: what a new game of each of the
// first seeds holds, so that a change in the order of random draws shows at once.
// After a change made on purpose: KURASHI_REGENERATE=1 ctest --test-dir build -R 'Replays|SeedCatalogue'

#include <locale.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <climits>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "core/catalog.h"
#include "core/creatures.h"
#include "core/paths.h"
#include "expected.h"
#include "floorkit.h"
#include "home/home.h"
#include "home/title.h"
#include "playdir.h"
#include "savekit.h"
#include "testkit.h"

namespace {
std::vector<std::filesystem::path> recordings()
{
    std::vector<std::filesystem::path> found;
    for (const auto& e : std::filesystem::directory_iterator(std::string(KURASHI_SOURCE_DIR) + "/tests/replays"))
        if (e.path().extension() == ".rec") found.push_back(e.path());
    std::sort(found.begin(), found.end());
    return found;
}
}  // namespace

// The recordings play in the order of their names in one folder, so that a later one can
// load what an earlier one saved.
TEST(Replays, EveryCommittedRecordingShowsItsCommittedScreens)
{
    std::vector<std::filesystem::path> recs = recordings();
    ASSERT_GE(recs.size(), 4u);
    PlayDir dir;
    for (const auto& rec : recs) {
        SCOPED_TRACE(rec.filename().string());
        std::string out;
        int status = replaybinary(rec.string(), dir.path, out);
        out += "\f[exit status " + std::to_string(status) + "]\n";
        expectcommitted("tests/replays/" + rec.stem().string() + ".out", out, '\f');
    }
    // the one death among them left its report
    std::vector<std::filesystem::path> reports;
    for (const auto& e : std::filesystem::directory_iterator(dir / "morgue")) reports.push_back(e.path());
    ASSERT_EQ(reports.size(), 1u);
    std::ifstream f(reports[0]);
    expectcommitted("tests/replays/04-death.report", std::string(std::istreambuf_iterator<char>(f), {}), '\n');
}

// ---------------------------------------------------------------- the game in English

namespace {
// The first fault of a replay's screens: a line over 80 columns, a screen over 25 rows, and
// with the recordings' keys, a Japanese character (kana, kanji, full-width forms) outside
// what the player typed (the runs of bytes beyond ASCII among the keys); "" when none.
std::string screenfault(const std::string& out, const std::string* keys = nullptr)
{
    std::vector<std::string> typed(1);
    for (char c : keys ? *keys : "")
        if (c & 0x80) typed.back() += c;
        else typed.emplace_back();
    locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr), before = uselocale(utf8);
    auto wide = [w = std::wstring()](const std::string& s) mutable {
        w.assign(s.size() + 1, 0);
        return w.substr(0, std::min(std::mbstowcs(w.data(), s.c_str(), w.size()), s.size()));
    };
    std::istringstream screens(out);
    std::string screen, line, fault;
    char mb[MB_LEN_MAX];
    for (int n = 1; fault.empty() && std::getline(screens, screen, '\f'); n++) {
        std::istringstream lines(screen);
        for (int row = 1, cols = 0; fault.empty() && std::getline(lines, line); row++, cols = 0) {
            for (wchar_t c : wide(line)) cols = c == '\t' ? (cols / 8 + 1) * 8 : cols + std::max(0, wcwidth(c));
            std::string bare = line;
            for (const std::string& w : typed)
                for (size_t at; !w.empty() && (at = bare.find(w)) != std::string::npos;) bare.replace(at, w.size(), "_");
            for (wchar_t c : keys ? wide(bare) : L"")
                if (fault.empty() && ((c >= 0x3000 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF)))
                    fault = "the Japanese " + std::string(mb, std::max(0, std::wctomb(mb, c)));
            if (fault.empty() && cols > 80) fault = std::to_string(cols) + " columns";
            if (fault.empty() && row > 25) fault = "a row too many";
            if (!fault.empty()) fault += " in line " + std::to_string(row) + " of screen " + std::to_string(n) + ": " + line;
        }
    }
    uselocale(before), freelocale(utf8);
    return fault;
}
}  // namespace

// Every recording played again in English: the same game (screens, exit and files, so the
// same draws), on English screens within 80 columns and 25 rows. The folders change hands
// after every recording, so that each language loads what the other saved.
TEST(Replays, InEnglishTheSameGameAndFilesOnEnglishScreens)
{
    PlayDir one, two;
    std::string ja = one.path, en = two.path, keys;
    for (const auto& rec : recordings()) {
        SCOPED_TRACE(rec.filename().string());
        std::string out, english;
        int status = replaybinary(rec.string(), ja, out);
        EXPECT_EQ(replaybinary(rec.string(), en, english, "--lang en"), status);
        EXPECT_EQ(std::count(english.begin(), english.end(), '\f'), std::count(out.begin(), out.end(), '\f'));
        // the saves, the index and dead.txt; the death report is the only file in the language
        EXPECT_EQ(std::system(("diff -rq -x map -x morgue '" + ja + "' '" + en + "' >&2").c_str()), 0);
        EXPECT_EQ(screenfault(out), "");
        EXPECT_EQ(screenfault(english, &(keys += slurp(rec.string()))), "");
        std::swap(ja, en);
    }
}

// ---------------------------------------------------------------- the seed catalogue

namespace {
constexpr unsigned CATALOGUESEEDS = 20;
const char* const grounds[] = {"mine", "forest", "waterside"};

std::string say(const char* f, ...) __attribute__((format(printf, 1, 2)));
std::string say(const char* f, ...)
{
    char b[512];
    va_list ap;
    va_start(ap, f);
    std::vsnprintf(b, sizeof b, f, ap);
    va_end(ap);
    return b;
}

// A new normal game of the seed, straight out to ground g: its first floor is built and the
// game waits for the first key there.
void newgameto(unsigned seed, int g, ScriptConsole& console)
{
    resetstate();
    std::srand(seed);
    console = ScriptConsole(std::string("acat\nbc") + static_cast<char>('a' + g));
    setconsole(&console);
    run([] {
        begin();
        homeloop();
    });
}

std::string household()
{
    std::string s = say("  hp %d mp %d atk %d def %d dex %d mag %d\n  town:", pc.maxhp, pc.maxmp,
                           pc.atk, pc.def, pc.dex, pc.mag);
    for (const slot& e : itemnpcshop) s += say(" %s x%d", itemlist[e.kind].name, e.count);
    s += "\n  equipment:";
    for (const slot& e : equipnpcshop) s += say(" %s%d", equiplist[e.kind], e.count);
    return s + "\n";
}

std::string firstfloor(int g)
{
    std::string s = say("  %s: player (%d,%d)\n    items:", grounds[g], pc.x, pc.y);
    for (int i = 0; i < numitem; i++) s += say(" %s(%d,%d)", itm[i].name, itm[i].x, itm[i].y);
    s += "\n    creatures:";
    for (int i = 0; i < numnpc; i++)
        if (npc[i].hp >= 0) s += say(" %s(%d,%d)", npc[i].name, npc[i].x, npc[i].y);
    return s + "\n";
}
}  // namespace

TEST(SeedCatalogue, TheFirstSeedsHoldWhatTheyHeld)
{
    loadgamemaps();
    ScriptConsole console;
    std::string text;
    for (unsigned seed = 1; seed <= CATALOGUESEEDS; seed++) {
        text += say("seed %u\n", seed);
        for (int g = 0; g < 3; g++) {
            newgameto(seed, g, console);
            ASSERT_EQ(depth, 1) << "the game stands on the first floor of " << grounds[g];
            if (g == 0) text += household();
            text += firstfloor(g);
        }
    }
    setconsole(nullptr);
    expectcommitted("tests/replays/seeds.txt", text, '\n');
}

// ---------------------------------------------------------------- where a replay saves

namespace {
// Runs the built game in dir, with TMPDIR set to tmp: the exit status.
int replayin(const std::string& dir, const std::string& tmp, const std::string& rec)
{
    std::string cmd = "cd '" + dir + "' && TMPDIR='" + tmp + "' '" + KURASHI_BINARY + "' --replay '" +
                      rec + "' > /dev/null 2> '" + dir + "/err'";
    int rc = std::system(cmd.c_str());
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}
}  // namespace

TEST(Replays, AReplaySavesInAFolderOfItsOwnOrDoesNotStart)
{
    // 02-save saves a game; started from a game's own folder, nothing of it lands there
    std::string rec = std::string(KURASHI_SOURCE_DIR) + "/tests/replays/02-save.rec";
    PlayDir home;
    TempDir tmp;
    EXPECT_EQ(replayin(home.path, tmp.path, rec), 0);
    EXPECT_FALSE(std::filesystem::exists(home / "save"));
    EXPECT_TRUE(std::filesystem::is_empty(tmp.path)) << "the replay's folder is removed";

    EXPECT_EQ(replayin(home.path, tmp / "missing", rec), 1);
    EXPECT_FALSE(std::filesystem::exists(home / "save"));
    std::ifstream err(home / "err");
    std::string told((std::istreambuf_iterator<char>(err)), {});
    EXPECT_NE(told.find("no temporary folder"), std::string::npos) << told;
}
