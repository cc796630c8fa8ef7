// The field screen: the window round the player, its colours, the side texts and the
// lines below.

#include "field/screen.h"

#include <cstring>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "core/catalog.h"
#include "core/creatures.h"
#include "core/guide.h"
#include "core/guidepages.h"
#include "core/opts.h"
#include "core/text.h"
#include "field/dungeon.h"
#include "field/occupant.h"
#include "floorkit.h"
#include "testkit.h"

class Screen : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshgame(0);
        openfloor(20, 20);
        tx = ty = 100;
    }
    painted shown()
    {
        overlay();
        draw();
        return lastscreen(console.painted);
    }
};

TEST_F(Screen, AtTheCornerTheWorldOutsideIsWall)
{
    // the player in the top left corner, the map's own edge opened up to tell it apart
    for (int i = 0; i < MAPW; i++) setcell(i, 0, TFLOOR), setcell(0, i, TFLOOR);
    map[20][20] = TFLOOR;
    pc.x = pc.y = 0;
    map[0][0] = TOCCUPIED;
    painted p = shown();
    for (int r = 0; r < 14; r++)
        for (int c = 0; c < 20; c++) {
            bool outside = r < 7 || c < 10;
            SCOPED_TRACE("row " + std::to_string(r) + " cell " + std::to_string(c));
            char want = outside ? '#' : r == 7 && c == 10 ? '@' : '.';
            EXPECT_EQ(p.glyph(r, c), want);
            EXPECT_EQ(p.lines[r][2 * c + 1], ' ');
            EXPECT_EQ(p.attr(r, c), want == '@' ? 14 : 15);
        }
}

TEST_F(Screen, CellsShowInTheirColoursAndTheCursorOnGrey)
{
    setcell(21, 20, TWATER);
    setcell(22, 20, TTREE);
    putnpc(0, 0, 20, 19);   // hostile rat above
    putnpc(1, 10, 19, 20);  // peaceful miner to the left
    putitem(0, 0, 20, 21);  // a potion below
    painted p = shown();
    EXPECT_EQ(p.glyph(7, 11), '~');
    EXPECT_EQ(p.attr(7, 11), 11);
    EXPECT_EQ(p.attr(7, 12), 10);
    EXPECT_EQ(p.glyph(6, 10), 'r');
    EXPECT_EQ(p.attr(6, 10), 12);
    EXPECT_EQ(p.attr(7, 9), 9);
    EXPECT_EQ(p.glyph(8, 10), '!');
    EXPECT_EQ(p.attr(8, 10), itemlist[0].color);
    for (int r = 0; r < 14; r++)
        for (int c = 0; c < 20; c++) EXPECT_LT(p.attr(r, c), 16) << "no grey without a cursor";

    tx = 20, ty = 20;
    p = shown();
    EXPECT_EQ(p.glyph(7, 10), '@');
    EXPECT_EQ(p.attr(7, 10), 7 * 16 + 14);
    int grey = 0;
    for (int r = 0; r < 14; r++)
        for (int c = 0; c < 20; c++) grey += p.attr(r, c) >= 16;
    EXPECT_EQ(grey, 1) << "the cursor's cell alone";
}

TEST_F(Screen, BesideTheWindowTheCalendarTheFloorAndHunger)
{
    year = 2, month = 3, day = 14, hour = 9, min = 4599;
    depth = 7;
    painted p = shown();
    EXPECT_EQ(p.lines[0].substr(40), "\t2年 4月 15日 9時 45分");
    EXPECT_EQ(p.lines[1].substr(40), "\t地下7階");
    EXPECT_EQ(p.lines[2].substr(40), "") << "a full stomach says nothing";
    EXPECT_EQ(p.lines[3].size(), 40u);

    struct {
        int full;
        const char* word;
        int color;
    } const hunger[] = {{0, "\t餓死中", 12},  {49, "\t飢餓", 12},  {50, "\t空腹", 14},
                        {149, "\t空腹", 14}, {150, "\t空腹", 15}, {299, "\t空腹", 15}};
    for (const auto& h : hunger) {
        pc.full = h.full;
        p = shown();
        EXPECT_EQ(p.lines[2].substr(40), h.word) << h.full;
        EXPECT_EQ(p.attrs[2][40], h.color) << h.full;
    }
}

TEST_F(Screen, BelowTheStatusLinesTheStatChangesAndMessages)
{
    std::strcpy(para, "攻撃:16 防御:4 器用:10 魔力:10 速さ:60");
    std::strcpy(status, "Lv:1 HP:30/30 MP:20/20 矢:20 次Lvまで100");
    pc.atkcur = 16, pc.atkturn = 10;
    pc.defcur = 4, pc.defturn = 3;
    pc.magturn = 2;  // a change that left the stat as it was
    for (int i = 1; i <= 9; i++) addmes("\nmessage%d", i);
    painted p = shown();
    ASSERT_EQ(p.lines.size(), 14u + 3 + 8);
    EXPECT_EQ(p.lines[14], para);
    EXPECT_EQ(p.lines[15], status);
    EXPECT_EQ(p.attrs[14][0], 15);
    std::string up = "攻撃力UP:10 ", down = "防御力DOWN:3 ", same = "魔力DOWN:2 ";
    EXPECT_EQ(p.lines[16], up + down + same);
    EXPECT_EQ(p.attrs[16][0], 14);
    EXPECT_EQ(p.attrs[16][up.size()], 13);
    EXPECT_EQ(p.attrs[16][up.size() + down.size()], 13);
    EXPECT_EQ(p.lines[17], "message2") << "the newest eight messages";
    EXPECT_EQ(p.lines[24], "message9");
    EXPECT_EQ(p.attrs[24][0], 15);
}

TEST_F(Screen, TheAssistedViewTellsGroundsApartInTheirColoursAndShowsTheAimsKeys)
{
    opts.assist = true;
    setcell(21, 20, TROUGH), setcell(22, 20, TROUGH2), setcell(23, 20, TWATER);
    putitem(0, VEGETABLESEED, 24, 20);
    painted p = shown();
    EXPECT_EQ(p.lines[7].substr(22, 8), ": = ~ \" ");
    EXPECT_TRUE(p.attr(7, 11) == 10 && p.attr(7, 12) == 13 && p.attr(7, 14) == 10) << "colours";
    EXPECT_EQ(p.lines[5].size(), 40u) << "the aim's keys only while aiming";
    drawaim();
    p = lastscreen(console.painted);
    EXPECT_EQ(p.lines[5].substr(40) + p.lines[6].substr(40),
              "\t方向キー:動かす Tab:生き物へ\tEnter/t:決定 Esc/q:やめる");

    std::strcpy(status, "Lv:1 HP:10/30 MP:20/20 矢:20 次Lvまで100");
    for (int hp : {11, 10}) {
        pc.hp = hp;  // a third of the maximum, and not above, is low
        p = shown();
        EXPECT_EQ(p.lines[4].substr(40), hp == 10 ? "\tHPが残りわずか" : "") << hp;
        EXPECT_EQ(p.attrs[15][8], hp == 10 ? 12 : 15) << "the hit points in the warning colour";
        EXPECT_EQ(p.attrs[15][13], 15) << "and only they";
    }
}

TEST_F(Screen, InTheAssistedViewATurnsMessagesBeyondEightWaitForAKeyThatIsNoCommand)
{
    opts.assist = true;
    for (int i = 1; i <= 8; i++) addmes("\nm%d", i);
    keys("z");
    EXPECT_EQ(keyprompt(), 'z') << "eight fit on the screen";
    for (int i = 1; i <= 17; i++) addmes("\nm%d", i);
    keys(" \xe0Pz");  // any key turns the page, an arrow too
    EXPECT_EQ(keyprompt(), 'z');
    EXPECT_NE(all().find("\nm1\nm2\nm3\nm4\nm5\nm6\nm7\n-- 続き --\f"), std::string::npos);
    EXPECT_NE(all().find("\nm8\nm9\nm10\nm11\nm12\nm13\nm14\n-- 続き --\f"), std::string::npos);
    EXPECT_EQ(screen().substr(screen().find("\nm15")), "\nm15\nm16\nm17");
}

// ---------------------------------------------------------------- the guide

namespace {
class Guide : public GameTest {
protected:
    // Every row of a page, as the guide prints it.
    std::vector<std::string> rows(void (*write)(pagelines&))
    {
        pagelines all;
        write(all);
        std::vector<std::string> out;
        for (int r = 0; r < all.count(); r++) {
            cls();
            pagelines w(r);
            write(w);
            out.push_back(screen());
        }
        return out;
    }
};
}  // namespace

TEST_F(Guide, EveryScreenOfEveryPageFitsTheTerminal)
{
    setnpclist();
    setmode(0);
    std::string k;
    for (int p = 0; p < NGUIDEPAGE; p++) k += "QQQM";  // down to its end, then the next page
    keys(k + "\x1b");
    guide(GUIDEHOME);
    EXPECT_TRUE(console.done());
    ASSERT_EQ(console.screens.size(), 1u + 4 * NGUIDEPAGE + 1);
    EXPECT_NE(console.screens[4 * 7 + 1].find("[8:生き物]"), std::string::npos);
    for (const std::string& s : console.screens) {
        size_t from = 0;
        int n = 0;
        for (size_t to; from <= s.size(); from = to + 1, n++) {
            to = std::min(s.find('\n', from), s.size());
            EXPECT_LE(textwidth(std::string_view(s).substr(from, to - from)), PAGECOLS) << s;
        }
        EXPECT_LE(n, 25) << s;
    }
    // a key line (its key in light cyan) keeps a blank column before the time it takes
    for (size_t end = 0; end != std::string::npos;) {
        painted p = lastscreen(console.painted.substr(0, end = console.painted.find('\f', end + 1)));
        for (size_t r = 0; r < p.lines.size(); r++)
            EXPECT_TRUE(p.attrs[r].size() < 2 || p.attrs[r][0] != CWHITE || p.attrs[r][1] != CLIGHTCYAN ||
                        (p.lines[r] + " ")[widthcut(p.lines[r], 64)] == ' ') << p.lines[r];
    }
}

// A text wider than the page goes on at a blank, under the line's first text; a key's
// text, before its time; a line break ends the line.
TEST_F(Guide, ALongLineGoesOnInTheNextRows)
{
    std::vector<std::string> r = rows([](pagelines& w) {
        w.line("  %s", std::string(60, 'a').append(" bbbb ").append(30, 'c').c_str());
        keyline(w, "k", (std::string(48, 'd') + " ee ff").c_str(), "1");
        w.line("g\nh");
    });
    EXPECT_EQ(r, (std::vector<std::string>{"  " + std::string(60, 'a') + " bbbb", "  " + std::string(30, 'c'),
                                            " k         " + std::string(48, 'd') + " ee   1", std::string(13, ' ') + "ff",
                                            "g", "h"}));
}

TEST_F(Guide, TheLegendAndTheModesSayWhatTheRulesDo)
{
    std::vector<std::string> legendrows = rows(legend);
    for (int code = TFLOOR; code <= TWATER; code++) {
        const std::string& r = legendrows[1 + code];
        EXPECT_EQ(r.substr(0, 3), std::string("  ") + static_cast<char>(chip[code].glyph)) << r;
        EXPECT_EQ(r.find("歩ける") != std::string::npos, walkable(code)) << r;
    }
    std::vector<std::string> survivalrows = rows(survival);
    const char* const titles[] = {"Easy", "Normal", "Hard", "Extra"};
    for (int m = 0; m < 4; m++) {
        setmode(m);
        int v[5] = {};
        for (const std::string& r : survivalrows)
            if (r.rfind(std::string("  ") + titles[m] + " ", 0) == 0)
                std::sscanf(r.c_str() + 2 + std::strlen(titles[m]), "%d %d %d %d %d", &v[0], &v[1], &v[2], &v[3], &v[4]);
        EXPECT_EQ(std::vector<int>(v, v + 5), (std::vector<int>{numnpc, numitem, maxinv, excite - 1, stayfloor}));
    }
}

TEST_F(Guide, TheCataloguesHoldEveryEntryAndWhereTheCreaturesLive)
{
    std::vector<std::string> items = rows(itemcatalog);
    for (const itemdata& it : itemlist) {
        char line[LINESIZE];
        std::snprintf(line, sizeof line, "%c %s ", it.glyph, it.name);
        auto r = std::find_if(items.begin(), items.end(),
                              [&](const std::string& s) { return s.find(line) != std::string::npos; });
        ASSERT_NE(r, items.end()) << it.name;
        std::snprintf(line, sizeof line, "%d円  %s", it.price, it.desc);
        EXPECT_NE(r->find(line), std::string::npos) << *r;
    }
    opts.assist = true, items = rows(itemcatalog);  // the seeds as the assisted field shows them
    EXPECT_EQ(std::count_if(items.begin(), items.end(), [](const std::string& s) { return s.find("\" ") == 2; }), 2);
    setnpclist();
    std::vector<std::string> creatures = rows(creaturecatalog);
    const char* const grounds[] = {"鉱山", "森", "水場"};
    for (const npcdata& c : npclist) {
        auto r = std::find_if(creatures.begin(), creatures.end(),
                              [&](const std::string& s) { return s.find(c.name) != std::string::npos; });
        ASSERT_NE(r, creatures.end()) << c.name;
        for (int g = 0; g < 3; g++) {
            const npcdata* p = population(g);
            bool lives = std::any_of(p, p + 16, [&](const npcdata& n) { return n.rare && !std::strcmp(n.name, c.name); });
            EXPECT_EQ(r->find(grounds[g]) != std::string::npos, lives) << c.name << " " << grounds[g];
        }
    }
}

// The English of the catalogues, from the catalogue and the parts still to be merged into
// it: every name has one, and no two things share an English name.
TEST(Catalogues, EveryNameHasAnEnglishNameOfItsOwn)
{
    std::map<std::string, std::string> english;
    std::vector<std::filesystem::path> files = {std::string(KURASHI_SOURCE_DIR) + "/po/en.po"};
    std::filesystem::path parts = std::string(KURASHI_SOURCE_DIR) + "/po/parts";
    if (std::filesystem::is_directory(parts))
        for (const auto& e : std::filesystem::directory_iterator(parts)) files.push_back(e.path());
    for (const auto& file : files) {
        std::ifstream in(file);
        std::string line, id;
        for (bool ctx = false; std::getline(in, line);) {
            if (line.rfind("msgctxt ", 0) == 0) ctx = true;
            if (line.rfind("msgid \"", 0) == 0) id = line.substr(7, line.size() - 8);
            if (line.rfind("msgstr \"", 0) == 0 && !ctx) english[id] = line.substr(8, line.size() - 9);
            if (line.empty()) ctx = false;
        }
    }
    std::vector<const char*> names;
    for (const itemdata& it : itemlist) names.push_back(it.name);
    for (const magicdata& m : magiclist) names.push_back(m.name);
    for (const materialdata& m : materiallist) names.push_back(m.name);
    for (const char* e : equiplist) names.push_back(e);
    for (const npcdata& c : npclist) names.push_back(c.name);
    std::set<std::string> seen;
    for (const char* n : names) {
        const std::string& en = english[n];
        EXPECT_FALSE(en.empty()) << n;
        EXPECT_TRUE(en.empty() || seen.insert(en).second) << n << " shares " << en;
    }
}
