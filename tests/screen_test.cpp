// The field screen: the window round the player, its colours, the side texts and the
// lines below.

#include "field/screen.h"

#include <cstring>

#include "core/catalog.h"
#include "field/dungeon.h"
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
