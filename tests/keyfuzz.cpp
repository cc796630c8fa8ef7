#include "keyfuzz.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string_view>

#include "core/catalog.h"
#include "core/console.h"
#include "core/gameend.h"
#include "core/lineinput.h"
#include "core/paths.h"
#include "core/record.h"
#include "core/state.h"
#include "core/text.h"
#include "home/home.h"
#include "home/savefile.h"
#include "home/savegame.h"
#include "home/title.h"
#include "soundness.h"

namespace {
fuzzgame* playing = nullptr;

// A fault the checks found; thrown out of the console so the game stops where it broke.
struct unsound {
    std::string what;
};

// The fuzzer's own draws, apart from the game's rand() so that a replay (which has only the
// keys) draws exactly what the game drew.
struct keyrandom {
    unsigned long long state;
    explicit keyrandom(unsigned seed) : state(seed * 0x9E3779B97F4A7C15ULL + 1) {}
    unsigned next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<unsigned>(state >> 32);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<unsigned>(n)); }
    bool chance(int percent) { return below(100) < percent; }
};

// One choice of a weighted table: how often, and what it adds to the input.
struct choice {
    int weight;
    void (*make)(keyrandom&, std::string&);
};

template <size_t N>
void pick(keyrandom& r, const choice (&table)[N], std::string& out)
{
    int total = 0;
    for (const choice& c : table) total += c.weight;
    int w = r.below(total);
    for (const choice& c : table) {
        if (w < c.weight) return c.make(r, out);
        w -= c.weight;
    }
}

void anybyte(keyrandom& r, std::string& o) { o += static_cast<char>(r.below(256)); }
void lower(keyrandom& r, std::string& o) { o += static_cast<char>('a' + r.below(26)); }
void upper(keyrandom& r, std::string& o) { o += static_cast<char>('A' + r.below(26)); }
void digit(keyrandom& r, std::string& o) { o += static_cast<char>('0' + r.below(10)); }
void esc(keyrandom&, std::string& o) { o += '\x1b'; }
void enter(keyrandom& r, std::string& o) { o += r.chance(80) ? '\n' : '\r'; }
void space(keyrandom&, std::string& o) { o += ' '; }
void arrow(keyrandom& r, std::string& o)
{
    static const char codes[] = {KEYUP, KEYLEFT, KEYRIGHT, KEYDOWN};
    o += static_cast<char>(KEYPREFIX);
    o += codes[r.below(4)];
}
void extended(keyrandom& r, std::string& o)
{
    static const char codes[] = {71, 73, 79, 81, 82, 83, 59, 68};
    o += static_cast<char>(r.chance(70) ? KEYPREFIX : 0);
    o += codes[r.below(8)];
}
void fieldkey(keyrandom& r, std::string& o)
{
    static const char keys[] = "><grdwFCDTftm*?&\x10";  // \x10: Ctrl-P, the log
    o += keys[r.below(sizeof keys - 1)];
}

constexpr choice homekeys[] = {{50, lower}, {5, upper}, {8, esc},   {6, enter},   {5, digit},
                               {3, space},  {8, anybyte}, {6, arrow}, {2, extended}, {3, fieldkey}};
constexpr choice floorkeys[] = {{45, arrow}, {15, fieldkey}, {14, lower}, {2, upper},
                                {5, enter},  {2, esc},       {3, digit}, {2, space},
                                {5, anybyte}, {1, extended}};

// Words for the word prompts: numbers most of all, and everything else a player might type.
const char* const oddwords[] = {"0",  "-1", "2147483647", "2147483648", "99999999999", "&",
                                "１", "1x", "勇者",       "ああああああああ", "+5", "007"};

void number(keyrandom& r, std::string& o)
{
    o += std::to_string(r.chance(70) ? r.below(21) : r.below(100000));
}
void oddword(keyrandom& r, std::string& o) { o += oddwords[r.below(static_cast<int>(std::size(oddwords)))]; }
void letters(keyrandom& r, std::string& o)
{
    for (int n = 1 + r.below(20); n > 0; n--) lower(r, o);
}
void bytes(keyrandom& r, std::string& o)
{
    for (int n = 1 + r.below(8); n > 0; n--) anybyte(r, o);
}

constexpr choice words[] = {{55, number}, {15, oddword}, {15, letters}, {15, bytes}, {3, esc}};

// A line for a word prompt: perhaps blank lines or blanks first, a word, perhaps more.
void wordline(keyrandom& r, std::string& o)
{
    if (r.chance(5)) o += r.chance(50) ? "\n" : "  \n";
    if (r.chance(10)) o += ' ';
    pick(r, words, o);
    if (r.chance(5)) o += " 3";
    o += r.chance(90) ? '\n' : '\r';
}

// ---------------------------------------------------------------- seasoned households

// Distinct kinds for the first n entries of a list, the rest empty.
template <class T>
void fillkinds(keyrandom& r, T* list, int n, int kinds)
{
    for (int i = 0; i < LISTSIZE; i++) list[i].kind = -1;
    for (int i = 0; i < n; i++) {
        int k;
        do k = r.below(kinds);
        while (std::any_of(list, list + i, [k](const T& e) { return e.kind == k; }));
        list[i].kind = k;
    }
}

void fillslots(keyrandom& r, slot* list, int cap, int kinds, int most)
{
    fillkinds(r, list, r.below(std::min(cap, kinds) + 1), kinds);
    for (int i = 0; i < cap && list[i].kind != -1; i++) list[i].count = 1 + r.below(most);
}

void fillstores(keyrandom& r, savedgame& g, int bag)
{
    fillslots(r, g.inv, bag, NITEM, 20);
    for (slot& s : g.inv)
        if (s.kind != -1 && iswand(s.kind)) s.count = r.below(10);  // a spent wand is kept
    fillslots(r, g.mat, bag, NMATERIAL, 20);
    fillslots(r, g.equipment, bag, NEQUIP, 32);
    fillslots(r, g.warehouseitm, g.warehouselv, NITEM, 50);
    fillslots(r, g.warehousemat, g.warehouselv, NMATERIAL, 50);
    fillslots(r, g.itemnpcshop, g.townlv, NITEM, 10);
    for (slot& s : g.equipnpcshop) s = {r.below(NEQUIP), 1 + r.below(g.townlv)};
    fillkinds(r, g.itemmyshop, r.below(std::min(g.shoplv, NITEM) + 1), NITEM);
    fillkinds(r, g.equipmyshop, r.below(std::min(g.shoplv, NEQUIP) + 1), NEQUIP);
    for (shopentry* shop : {g.itemmyshop, g.equipmyshop})
        for (int i = 0; i < LISTSIZE; i++) shop[i].count = 1 + r.below(10), shop[i].price = 1 + r.below(20000);
    for (int i = 0; i < LISTSIZE; i++)
        g.crp[i] = i < r.below(g.farmlv + 1) ? cropdata{r.below(2), g.year, r.below(12), r.below(30), r.below(24), 1 + r.below(5)}
                                             : cropdata{-1, 0, 0, 0, 0, 0};
}

// A household far into its life, drawn from the fuzzer's own numbers: strong enough to
// go deep, rich enough to use every screen of the town.
savedgame veteran(keyrandom& r)
{
    savedgame g{};
    g.mode = r.below(4);
    std::strcpy(g.name, r.chance(50) ? "fuzz" : "古参");
    g.maxhp = 50 + r.below(950);
    g.maxmp = 20 + r.below(500);
    for (int& b : g.base) b = 10 + r.below(150);
    g.base[SPD] = 40 + r.below(100);
    for (int& w : g.worn) w = r.below(20);
    g.lv = 1 + r.below(40);
    g.exp = r.below(100);
    for (int& m : g.magic) m = -1;
    for (int i = 0, n = r.below(NMAGIC + 1); i < n; i++) g.magic[i] = i;
    g.year = r.below(3), g.month = r.below(12), g.day = r.below(30), g.hour = r.below(24);
    g.min = r.below(6000);
    g.full = r.below(1001);
    g.money = r.chance(20) ? 2000000000 : r.below(2000000);
    for (int s = 0; s < 8; s++) g.skl[2 * s] = 1 + r.below(30), g.skl[2 * s + 1] = r.below(200);
    g.warehouselv = 1 + r.below(LISTSIZE), g.farmlv = 1 + r.below(LISTSIZE);
    g.townlv = 1 + r.below(LISTSIZE), g.shoplv = 1 + r.below(LISTSIZE);
    fillstores(r, g, LISTSIZE >> g.mode);
    return g;
}

// The save/ files of a household in place a, and the keys that load it from the title.
void seasoned(keyrandom& r, fuzzgame& game)
{
    savedgame g = veteran(r);
    writegame(g, game.savedgame);
    game.savedindex = std::string(g.name) + " " + std::to_string(g.lv) + "\n";
    for (int i = 1; i < 16; i++) game.savedindex += "nochar 0\n";
    std::string sjis;
    if (tosjis(game.savedindex, sjis)) game.savedindex = sjis;
}

// ---------------------------------------------------------------- the console

// The console of a fuzzed game: it reads its bytes as the plain console reads stdin, so the
// bytes it hands out replay through the plain console exactly; before each key it checks
// the state.
class FuzzConsole : public Console {
public:
    FuzzConsole(fuzzgame& g, const fuzzsettings& s, keyrandom* r, std::string_view given)
        : game(g), settings(s), rnd(r), given(given) {}

    bool checking = false;  // a game is set up: its state can be checked

    int getkey() override
    {
        if (settings.passmore && showing("-- 続き --")) return ' ';
        // the assisted view's questions, answered as the written game goes on unasked
        if (settings.passmore && (showing("本当に？ y/n") || showing("進む？ y/n"))) return 'y';
        before();
        for (;;) {
            int c = nextbyte(false);
            if (c < 0) gameend(EXITINPUT);
            bool skip = c == '\n' && lastcr;
            lastcr = c == '\r';
            if (skip) continue;
            return c == '\n' || c == '\r' ? KEYENTER : c;
        }
    }
    std::string readword(size_t maxbytes, bool leavable) override
    {
        before();
        bool ended;
        std::string word = wholechars(
            wordofline([this] { return nextbyte(true); }, maxbytes, leavable, lastcr, ended));
        if (ended) gameend(EXITINPUT);
        write(word);
        write("\n");
        return word;
    }
    void clear() override
    {
        screen.clear();
        if (settings.keepscreens) game.screens += '\f';
    }
    void color(int) override {}
    void write(std::string_view text) override
    {
        screen.append(text);
        if (settings.keepscreens) game.screens.append(text);
    }

    std::string screen;

private:
    void before()
    {
        if (rnd && game.keys >= settings.keys) gameend(EXITINPUT);
        game.keys++;
        checkstuck();
        if (!checking) return;
        std::string p = stateproblems();
        if (p.empty() && depth == 0) p = unsaveable();
        if (!p.empty()) throw unsound{p};
    }

    // Every screen can be left: a screen that random keys cannot change is a trap.
    void checkstuck()
    {
        size_t h = std::hash<std::string>{}(screen);
        same = h == lasthash ? same + 1 : 0;
        lasthash = h;
        if (same >= settings.stucklimit) throw unsound{"the game is stuck on one screen"};
    }

    // A game at home can always be saved and loaded back.
    static std::string unsaveable()
    {
        savedgame g, back;
        capturegame(g);
        std::string text;
        loaderror err;
        if (!writegame(g, text)) return "the game cannot be written";
        if (!readgame(text, back, err))
            return "the saved game does not load: line " + std::to_string(err.line) + ": " + err.what;
        return "";
    }

    int nextbyte(bool word)
    {
        if (pos == given.size() && rnd) {
            pending.clear();
            generate(word);
            given = pending;
            pos = 0;
        }
        if (pos == given.size()) return -1;
        char c = given[pos++];
        game.recording += c;
        return static_cast<unsigned char>(c);
    }

    bool showing(const char* text) const { return screen.find(text) != std::string::npos; }

    // The next keys, weighted by where the game stands, so that games last and go deep:
    // a quit is mostly declined, and a player low on hit points often rests.
    void generate(bool word)
    {
        keyrandom& r = *rnd;
        bool field = checking && depth >= 1;
        if (word && showing("休憩する") && r.chance(70)) {
            pending = r.chance(50) ? "&\n" : std::to_string(r.below(1000)) + "\n";
        } else if (word) {
            wordline(r, pending);
        } else if (field && pc.hp < pc.maxhp / 3 && r.chance(30)) {
            pending = "r";
        } else if (field) {
            pick(r, floorkeys, pending);
        } else {
            pick(r, homekeys, pending);
        }
        if (pending == "y" && showing("本当に終わる") && r.chance(90)) pending = "n";
    }

    fuzzgame& game;
    const fuzzsettings& settings;
    keyrandom* rnd;
    std::string_view given;  // bytes not yet read: a recording's, or the last generated
    std::string pending;
    size_t pos = 0;
    bool lastcr = false;
    size_t lasthash = 0;
    int same = 0;
};

void spit(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// What main does before the title, in a data folder emptied of earlier games' saves and
// given the household this game loads, if any.
void setupgame(const fuzzgame& g)
{
    std::error_code ignored;
    std::filesystem::remove_all(datapath("save"), ignored);
    if (!g.savedgame.empty()) {
        std::filesystem::create_directory(datapath("save"), ignored);
        spit(datapath("save/save0"), g.savedgame);
        spit(datapath("save/save"), g.savedindex);
    }
    resetstate();
    std::srand(g.seed);
    tidysaves();
}

fuzzgame play(fuzzgame g, const fuzzsettings& s, keyrandom* r, std::string_view given,
               const optdata& o)
{
    g.recording = replayheader(g.seed, o);
    FuzzConsole c(g, s, r, given);
    playing = &g;
    setconsole(&c);
    setupgame(g);
    opts = o;
    try {
        begin();
        c.checking = true;
        homeloop();
    } catch (const GameEnd& e) {
        g.status = e.status;
    } catch (const unsound& u) {
        g.problem = u.what;  // found before the next key was read: the recording ends here
    }
    g.lastscreen = c.screen;
    setconsole(nullptr);
    playing = nullptr;
    return g;
}
}  // namespace

fuzzgame fuzzone(unsigned seed, const fuzzsettings& s)
{
    keyrandom r(seed);
    fuzzgame g;
    g.seed = seed;
    // half the games load a seasoned household ('b', place 'a'), half start anew
    std::string_view opening;
    if (r.chance(50)) {
        seasoned(r, g);
        opening = "ba";
    }
    return play(g, s, &r, opening, {});
}

fuzzgame fuzzloaded(unsigned seed, const std::string& text, const fuzzsettings& s)
{
    keyrandom r(seed);
    fuzzgame g;
    g.seed = seed;
    g.savedgame = text;
    g.savedindex = "file 1\n";  // the index takes the name the file holds
    for (int i = 1; i < 16; i++) g.savedindex += "nochar 0\n";
    return play(g, s, &r, "ba", {});
}

fuzzgame replaychecked(const std::string& recording, const fuzzgame& start, const fuzzsettings& s)
{
    size_t end = recording.find('\n');
    fuzzgame g;
    g.savedgame = start.savedgame;
    g.savedindex = start.savedindex;
    optdata o;
    if (end == std::string::npos || !parsereplayheader(recording.substr(0, end + 1), g.seed, o)) {
        g.problem = "no recording";
        return g;
    }
    return play(g, s, nullptr, std::string_view(recording).substr(end + 1), o);
}

const fuzzgame* currentfuzzgame() { return playing; }
