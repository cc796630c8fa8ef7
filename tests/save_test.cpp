// Saving and loading a game: the save screen, the index, the game file's exact bytes, and a
// game that comes back as it was saved.

#include "home/savefile.h"
#include "home/title.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstring>

#include "core/catalog.h"
#include "core/rules.h"
#include "home/savegame.h"
#include "savekit.h"

namespace {
// A game played for a while: money spent, bags filled, plots sown, goods in the own shop,
// skills trained, spells learned, and effects running that a load must not bring back.
void playedgame()
{
    freshgame(1);
    std::strcpy(pc.name, "ハナコ");
    pc.maxhp = 62, pc.hp = 7, pc.maxmp = 41, pc.mp = 0;
    pc.atk = 21, pc.def = 19, pc.dex = 17, pc.mag = 23;
    pc.atkcur = 30, pc.atkturn = 4, pc.spdcur = 90, pc.spdturn = 2, pc.spdmod = -30;
    pc.eqsword = 6, pc.eqhat = 2;
    pc.lv = 7, pc.exp = 58, pc.full = 1210;
    pc.magic[0] = 4, pc.magic[1] = 0, pc.magic[2] = 11;
    money = 3170;
    year = 2, month = 11, day = 29, hour = 23, min = 5900;
    bagput(inv, maxinv, 1, 4);
    bagput(inv, maxinv, 17, 2);
    inv[2] = {45, 3};  // a wand with its charges
    bagput(mat, maxmat, MEAT, 9);
    equipment[0] = {1, 12};
    skl[2 * SKEQUIP] = 3, skl[2 * SKEQUIP + 1] = 27;
    skl[2 * SKGROW + 1] = -6;
    warehouselv = 4, farmlv = 3, shoplv = 2, townlv = 5;
    warehouseitm[0] = {20, 2};
    warehousemat[0] = {2, 15};
    crp[0] = {0, 2, 10, 3, 8, 1};
    crp[1] = {1, 2, 11, 28, 22, 1};
    itemmyshop[0] = {5, 3, 480};
    equipmyshop[0] = {4, 9, 6000};
    for (int i = 0; i < LISTSIZE; i++) {
        itemnpcshop[i] = {i % NITEM, i + 1};
        equipnpcshop[i] = {i % NEQUIP, 1 + i % 5};
    }
    itemnpcshop[2].kind = -1;  // a wand bought today
}

std::string lines(const std::string& text, int from, int n)
{
    size_t s = 0;
    for (int i = 0; i < from; i++) s = text.find('\n', s) + 1;
    size_t e = s;
    for (int i = 0; i < n; i++) e = text.find('\n', e) + 1;
    return text.substr(s, e - s);
}
}  // namespace

TEST_F(SaveTest, APlayedGameComesBackAsItWasAndSavesToTheSameBytes)
{
    playedgame();
    keys("cy ");
    ASSERT_EQ(run(save), -1);
    EXPECT_NE(screen().find("セーブしました\n何かキーを押してください"), std::string::npos);
    const std::string first = slurp(savepath("save2"));
    std::string index = slurp(savepath("save"));
    std::string sjis = "\x83\x6e\x83\x69\x83\x52";  // ハナコ
    EXPECT_EQ(lines(index, 2, 1), sjis + " 7\n");
    std::string others;
    for (int i = 0; i < 15; i++) others += "nochar 0\n";
    EXPECT_EQ(lines(index, 0, 2) + lines(index, 3, 13), others);

    resetstate();
    for (slot& s : inv) s = {7, 7};  // whatever a load must clear away
    itemnpcshop[20] = {3, 3};
    pc.magic[5] = 2;
    ASSERT_TRUE(loadgame(2));
    EXPECT_EQ(pc.hp, 62);
    EXPECT_EQ(pc.mp, 41);
    EXPECT_EQ(pc.atkcur, 21);
    EXPECT_EQ(pc.spdcur, 60);
    EXPECT_EQ(pc.atkturn + pc.spdturn + pc.spdmod, 0);
    EXPECT_EQ(arrow, 20);
    EXPECT_EQ(inv[3].kind, -1);
    EXPECT_EQ(inv[20].kind, -1) << "beyond what the game holds, every bag entry is empty";
    EXPECT_EQ(itemnpcshop[20].kind, -1) << "town stock beyond townlv is empty";
    EXPECT_EQ(pc.magic[5], -1);

    // put back what a load resets, and the rest must be exactly the game saved
    playedgame();
    pc.hp = 62, pc.mp = 41, pc.atkturn = pc.spdturn = pc.spdmod = 0;
    for (int s = 0; s < NSTAT; s++) *statof(pc, s).cur = *statof(pc, s).base;
    for (int i = townlv; i < LISTSIZE; i++) itemnpcshop[i] = equipnpcshop[i] = {-1, 0};
    const std::string expected = worldbytes();
    ASSERT_TRUE(loadgame(2));
    EXPECT_TRUE(worldbytes() == expected);

    keys("cy ");
    ASSERT_EQ(run(save), -1);
    EXPECT_EQ(slurp(savepath("save2")), first) << "saving a loaded game writes the same bytes";
}

TEST_F(SaveTest, HandWrittenFilesLoadAndSaveUnchanged)
{
    struct {
        const char* file;
        const char* name;
        int bag, levels[4];
    } cases[] = {
        {"save_easy", "ソラ", 32, {3, 1, 2, 5}},
        {"save_lunatic", "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿ", 4, {1, 2, 32, 1}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.file);
        tidysaves();
        const std::string text = fixture(c.file);
        spit(savepath("save5"), text);
        ASSERT_TRUE(loadgame(5));
        EXPECT_STREQ(pc.name, c.name);
        EXPECT_EQ(maxinv, c.bag);
        EXPECT_EQ(maxequip, c.bag);
        EXPECT_EQ(warehouselv, c.levels[0]);
        EXPECT_EQ(farmlv, c.levels[1]);
        EXPECT_EQ(townlv, c.levels[2]);
        EXPECT_EQ(shoplv, c.levels[3]);
        EXPECT_EQ(pc.hp, pc.maxhp);
        keys("fy ");
        ASSERT_EQ(run(save), -1);
        EXPECT_EQ(slurp(savepath("save5")), text);
    }
    // the easy file in detail: the second copy of the worn values, a sown plot, a gap left
    // in the town stock by a bought wand, an emptied bag entry that kept its count
    tidysaves();
    spit(savepath("save0"), fixture("save_easy"));
    ASSERT_TRUE(loadgame(0));
    EXPECT_EQ(numnpc, 16);
    EXPECT_EQ(pc.eqsword, 3);
    EXPECT_EQ(pc.eqshoes, 1);
    EXPECT_EQ(pc.lv, 4);
    EXPECT_EQ(pc.magic[1], 7);
    EXPECT_EQ(pc.magic[2], -1);
    EXPECT_EQ(money, 23456);
    EXPECT_EQ(min, 4200);
    EXPECT_EQ(inv[2].kind, 44);
    EXPECT_EQ(inv[4].count, -2);
    EXPECT_EQ(crp[0].kind, 1);
    EXPECT_EQ(crp[0].sowhour, 9);
    EXPECT_EQ(crp[1].kind, -1);
    EXPECT_EQ(itemmyshop[1].price, 9000);
    EXPECT_EQ(itemnpcshop[1].kind, -1);
    EXPECT_EQ(itemnpcshop[1].count, 6);
    EXPECT_EQ(skl[2 * SKMINE + 1], -4);
}

TEST_F(SaveTest, TheSaveListAndItsQuestions)
{
    freshgame(0);
    tidysaves();
    std::string index;
    for (int i = 0; i < 16; i++)
        index += i == 1 ? "\x83\x5c\x83\x89 12\n" : i == 3 ? "free -1\n" : "nochar 0\n";
    spit(savepath("save"), index);

    // Esc leaves at once; a key beyond 'p' and a "no" show the list again
    keys("q" "bn" "\x1b");
    ASSERT_EQ(run(save), -1);
    EXPECT_TRUE(console.done());
    EXPECT_EQ(slurp(savepath("save")), index);
    EXPECT_FALSE(exists(savepath("save1")));
    EXPECT_FALSE(exists(savepath("save3")));
    const std::string& list = screen();
    EXPECT_EQ(list.find("どこにセーブしますか\n"), 0u);
    EXPECT_NE(list.find("a:セーブデータがありません\nb:ソラ(Lv.12)\nc:セーブデータがありません\n"
                        "d:free(Lv.-1)\n"),
              std::string::npos);
    EXPECT_NE(list.find("p:セーブデータがありません\n"), std::string::npos);
    EXPECT_NE(all().find("データを上書きしますか？\ny/n"), std::string::npos);

    // a place of level -1 is written without a question
    keys("d ");
    ASSERT_EQ(run(save), -1);
    EXPECT_TRUE(console.done());
    EXPECT_EQ(screen().find("データを上書きしますか"), std::string::npos);
    EXPECT_TRUE(exists(savepath("save3")));
    std::string now = slurp(savepath("save"));
    EXPECT_EQ(lines(now, 3, 1), "\x83\x65\x83\x58\x83\x67 1\n");
    EXPECT_EQ(lines(now, 0, 3) + lines(now, 4, 12), lines(index, 0, 3) + lines(index, 4, 12));
}

TEST_F(SaveTest, TheIndexIsMadeWhenMissingAndOddLinesAreEmptyPlaces)
{
    indexentry list[16];
    readindex(list);
    std::string made;
    for (int i = 0; i < 16; i++) made += "nochar 0\n";
    EXPECT_EQ(slurp(savepath("save")), made);
    for (auto& e : list) EXPECT_EQ(e.lv, 0);

    spit(savepath("save"),
         "Taro 3\r\n"               // a line end of another system
         "  Jiro   -1\n"            // blanks around the words
         "Saburo\n"                 // no level
         "Shiro 4 5\n"              // a word too many
         "Goro x\n"                 // a level that is no number
         "\x83 2\n"                 // a cut Shift-JIS character
         "ABCDEFGHIJKLMNOP 2\n"     // 16 bytes
         "Es\x1b[2J 2\n"            // a control character would reach the terminal
         "\n"                       // nothing
         "Roku 99999999999\n"       // a level too large
         "Nana -2\n"                // below -1
         "\x83\x6e\x83\x69 5");     // the last line without a line end
    readindex(list);
    EXPECT_STREQ(list[0].name, "Taro");
    EXPECT_EQ(list[0].lv, 3);
    EXPECT_STREQ(list[1].name, "Jiro");
    EXPECT_EQ(list[1].lv, -1);
    for (int i = 2; i <= 10; i++) {
        EXPECT_STREQ(list[i].name, "nochar") << i;
        EXPECT_EQ(list[i].lv, 0) << i;
    }
    EXPECT_STREQ(list[11].name, "ハナ");
    EXPECT_EQ(list[11].lv, 5);
    for (int i = 12; i < 16; i++) EXPECT_EQ(list[i].lv, 0) << "lines the index lacks";
}

TEST_F(SaveTest, TheTitleLoadsASavedGameAndPassesOverABrokenOne)
{
    playedgame();
    keys("by ");
    ASSERT_EQ(run(save), -1);
    const std::string saved = slurp(savepath("save1"));
    std::string index = slurp(savepath("save"));
    spit(savepath("save"), lines(index, 0, 2) + "Kowai 3\n" + lines(index, 3, 13));
    spit(savepath("save2"), saved.substr(0, 100));

    resetstate();
    keys("b" "c" " " "b");
    ASSERT_EQ(run(begin), -1);
    EXPECT_TRUE(console.done());
    EXPECT_NE(all().find("セーブデータcが壊れている"), std::string::npos);
    EXPECT_STREQ(pc.name, "ハナコ");
    EXPECT_EQ(money, 3170);
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(pc.hp, pc.maxhp);
    keys("by ");
    ASSERT_EQ(run(save), -1);
    EXPECT_EQ(slurp(savepath("save1")), saved);
}

// Another game on the same folder saves while this one is at the save screen.
TEST_F(SaveTest, AnotherGamesSaveIsOverwrittenOnlyAfterTheQuestion)
{
    playedgame();
    keys("by ");
    ASSERT_EQ(run(save), -1);
    const std::string mine = slurp(savepath("save1"));
    savedgame g;
    capturegame(g);
    std::strcpy(g.name, "タロウ");
    std::string theirs, told = "c:のデータは、ほかのゲームがセーブしたものに変わっている\nデータを上書きしますか？\ny/n";
    ASSERT_TRUE(writegame(g, theirs));
    MeddledConsole other;
    setconsole(&other);
    other.meddle = [&] { spit(savepath("save2"), theirs); };

    // the other game saves into c between this one's question and its answer: the list
    // comes back as the places now are, the question with it; a "no" keeps their game
    other.feed("cy" "n" "\x1b");
    other.at = 1;
    ASSERT_EQ(run(save), -1);
    ASSERT_EQ(other.screens.size(), 4u);
    EXPECT_NE(other.screens[2].find("c:タロウ(Lv.7)\n"), std::string::npos);
    EXPECT_NE(other.screens[2].find(told), std::string::npos) << other.screens[2];
    EXPECT_EQ(slurp(savepath("save2")), theirs);

    // their save into the place this game saved in is told before the usual question
    spit(savepath("save1"), theirs);
    other.feed("by ");
    ASSERT_EQ(run(save), -1);
    EXPECT_NE(other.all().find(told.replace(0, 1, "b")), std::string::npos);
    EXPECT_EQ(slurp(savepath("save1")), mine);

    // a game that keeps the lock holds this one up for a moment only, and is not saved over
    int held = open(savepath("lock").c_str(), O_RDWR);
    other.meddle = [&] { flock(held, LOCK_EX); };
    other.feed("cy ");
    other.at = 1;
    ASSERT_EQ(run(save), -1);
    EXPECT_NE(other.screen().find("セーブできなかった\n(ほかのゲームがセーブを終えない"), std::string::npos);
    EXPECT_EQ(slurp(savepath("save2")), theirs);
    close(held);

    // where no lock can be had, the game saves as if it were alone
    ASSERT_EQ(unlink(savepath("lock").c_str()) + symlink("elsewhere", savepath("lock").c_str()), 0);
    other.feed("cy ");
    ASSERT_EQ(run(save), -1);
    EXPECT_EQ(slurp(savepath("save2")), mine);
}
