// Loading a broken game file: every fault is told, and nothing of the game changes.

#include <unistd.h>

#include <cstring>

#include "home/savedisk.h"
#include "home/savefile.h"
#include "savekit.h"

namespace {
// Words of save_easy (counted from 0) that the checks below break.
enum {
    WMODE = 0, WNAME = 1, WLV = 14, WEXP = 15, WWORN2 = 16, WMAGIC = 21,
    WYEAR = 53, WMONTH, WDAY, WHOUR, WMIN, WFULL, WMONEY,
    WINV = 60, WMAT = 124, WEQUIP = 188, WSKILL = 252,
    WWAREHOUSELV = 268, WFARMLV, WTOWNLV, WSHOPLV,
    WWAREITM = 272, WWAREMAT = 278, WCROP = 284, WEQUIPSHOP = 290, WITEMSHOP = 305,
    WTOWNITEM = 320, WTOWNEQUIP = 324, WORDS = 328,
};

class BrokenSave : public SaveTest {
protected:
    std::string good;
    void SetUp() override
    {
        SaveTest::SetUp();
        tidysaves();
        good = fixture("save_easy");
        spit(savepath("save1"), fixture("save_lunatic"));
        freshgame(2);
        std::strcpy(pc.name, "いま");
        money = 777;
    }

    // Loads text from place 'd' and expects a refusal that names the place and changes
    // nothing; the place 'b' still loads afterwards.
    void refused(const std::string& text, const std::string& why)
    {
        SCOPED_TRACE(why);
        spit(savepath("save3"), text);
        const std::string before = worldbytes();
        const size_t screens = console.screens.size();
        keys(" ");
        ASSERT_EQ(run([] { EXPECT_FALSE(loadgame(3)); }), -1);
        EXPECT_TRUE(console.done()) << "the message waits for a key";
        EXPECT_GT(console.screens.size(), screens);
        EXPECT_NE(screen().find("セーブデータdが"), std::string::npos) << screen();
        EXPECT_NE(screen().find("何かキーを押してください"), std::string::npos);
        EXPECT_TRUE(worldbytes() == before) << "a refused load changes nothing";
    }
};
}  // namespace

TEST_F(BrokenSave, TheWordCountOfTheFixtureIsWhatTheseTestsAssume)
{
    EXPECT_EQ(wordcount(good), WORDS);
    EXPECT_EQ(withword(good, WWAREHOUSELV, "?").find("\n?"), good.find("\n3 1 2 5\n"));
}

TEST_F(BrokenSave, AFileCutAnywhereIsRefused)
{
    // the last byte is the blank after the last number, which nothing needs
    for (size_t n = 0; n + 1 < good.size(); n++) refused(good.substr(0, n), "cut at " + std::to_string(n));
    EXPECT_NE(screen().find("ファイルが途中で終わっている"), std::string::npos);
    spit(savepath("save3"), good.substr(0, good.size() - 1));
    EXPECT_TRUE(loadgame(3));
    EXPECT_TRUE(loadgame(1)) << "the other places stay loadable";
    EXPECT_EQ(numnpc, 128);
}

TEST_F(BrokenSave, AnyWordThatIsNoNumberIsRefused)
{
    for (int i = 0; i < WORDS; i++) {
        if (i == WNAME) continue;
        for (const char* junk : {"x", "1x", "--1", "1.5", "99999999999", "-2147483649"})
            refused(withword(good, i, junk), "word " + std::to_string(i) + " " + junk);
    }
    EXPECT_NE(screen().find("数"), std::string::npos) << screen();
    EXPECT_TRUE(loadgame(1));
}

TEST_F(BrokenSave, ValuesOutsideTheirRangesAreRefused)
{
    struct {
        int word;
        const char* value;
    } cases[] = {
        {WMODE, "4"}, {WMODE, "-1"}, {WLV, "0"}, {WEXP, "-1"}, {WWORN2, "-1"},
        {WMAGIC, "12"}, {WMAGIC + 5, "-2"}, {WYEAR, "-1"}, {WMONTH, "12"}, {WDAY, "30"},
        {WHOUR, "24"}, {WMIN, "6000"}, {WMIN, "-1"}, {WFULL, "-1"}, {WMONEY, "-1"},
        {WINV, "53"}, {WINV + 10, "-2"}, {WINV + 1, "-1"}, {WMAT, "28"}, {WMAT + 1, "-5"},
        {WEQUIP, "5"}, {WEQUIP + 3, "-1"}, {WSKILL + 14, "0"},
        {WWAREHOUSELV, "0"}, {WWAREHOUSELV, "33"}, {WFARMLV, "33"}, {WTOWNLV, "0"},
        {WSHOPLV, "-1"}, {WWAREITM, "53"}, {WWAREITM + 1, "-1"}, {WWAREMAT, "28"},
        {WCROP, "2"}, {WCROP + 1, "-1"}, {WCROP + 2, "12"}, {WCROP + 3, "30"},
        {WCROP + 4, "24"}, {WCROP + 5, "0"}, {WEQUIPSHOP, "5"}, {WEQUIPSHOP + 1, "-1"},
        {WEQUIPSHOP + 2, "0"}, {WITEMSHOP, "53"}, {WITEMSHOP + 5, "-9000"},
        {WTOWNITEM, "53"}, {WTOWNITEM + 1, "-1"}, {WTOWNEQUIP, "5"}, {WTOWNEQUIP + 1, "-1"},
        // beyond what play reaches, where the rules' sums would pass the ends of an int
        {WLV - 12, "100000001"}, {WLV - 11, "-100000001"}, {WLV - 9, "2147483647"},
        {WLV - 6, "-2147483648"}, {WLV - 3, "100000001"}, {WLV, "1000001"}, {WEXP, "100000001"},
        {WYEAR, "1000001"}, {WFULL, "100000001"}, {WSKILL, "1000001"}, {WSKILL + 1, "-100000001"},
        {WEQUIP + 1, "100000001"}, {WCROP + 1, "1000001"}, {WCROP + 5, "1000001"},
    };
    for (auto& c : cases)
        refused(withword(good, c.word, c.value), std::to_string(c.word) + "=" + c.value);
    EXPECT_NE(screen().find("範囲の外"), std::string::npos) << screen();

    // the ends of the ranges, and what an empty entry may hold, are accepted
    struct {
        int word;
        const char* value;
    } fine[] = {
        {WMONTH, "11"}, {WDAY, "29"}, {WHOUR, "23"}, {WMIN, "5999"}, {WMIN, "0"},
        {WMONEY, "2147483647"}, {WFULL, "0"}, {WMAGIC, "11"}, {WINV + 1, "0"},
        {WINV + 11, "-7"}, {WTOWNEQUIP + 3, "-1"}, {WCROP + 2, "11"}, {WEQUIPSHOP + 4, "-3"}, {WSKILL + 1, "-999"},
        {WLV - 12, "-40"},  // a level-lowering potion can take max HP below 0
        {WLV - 9, "100000000"}, {WLV, "1000000"}, {WEXP, "100000000"}, {WINV + 1, "2147483647"},
    };
    for (auto& c : fine) {
        spit(savepath("save3"), withword(good, c.word, c.value));
        EXPECT_TRUE(loadgame(3)) << c.word << "=" << c.value;
    }
}

TEST_F(BrokenSave, NamesMissingFilesAndWhatFollowsTheLastNumber)
{
    refused(withword(good, WNAME, "\x83"), "a cut Shift-JIS character");
    refused(withword(good, WNAME, "\xff\xfe"), "no Shift-JIS");
    refused(withword(good, WNAME, "ABCDEFGHIJKLMNOP"), "16 bytes");
    refused(withword(good, WNAME, "a\x1b[2J"), "a control character");
    EXPECT_NE(screen().find("名前が読めない"), std::string::npos);
    spit(savepath("save3"), withword(good, WNAME, "ABCDEFGHIJKLMNO"));
    EXPECT_TRUE(loadgame(3)) << "15 bytes is the limit";

    unlink(savepath("save3").c_str());
    {
        const std::string before = worldbytes();
        keys(" ");
        EXPECT_FALSE(loadgame(3));
        EXPECT_NE(screen().find("セーブデータdが見つからない"), std::string::npos);
        EXPECT_TRUE(worldbytes() == before);
    }
    spit(savepath("save3"), good + "\r\n\x83 rubbish 1 2 3");
    EXPECT_TRUE(loadgame(3)) << "whatever follows the last number is left alone";
    std::string crlf;
    for (char c : good) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    spit(savepath("save3"), crlf);
    EXPECT_TRUE(loadgame(3)) << "line ends of another system";
    EXPECT_EQ(money, 23456);
}

TEST_F(BrokenSave, GapsInTheListsAreClosedUp)
{
    // a spell after the end mark, a bag entry after an empty one, a sown plot after an
    // empty one: the game lists only up to the first empty entry, so nothing may hide there
    std::string t = withword(good, WMAGIC + 1, "-1");
    t = withword(t, WMAGIC + 3, "9");
    t = withword(t, WINV + 2, "-1");
    t = withword(t, WITEMSHOP, "-1");
    spit(savepath("save3"), t);
    ASSERT_TRUE(loadgame(3));
    EXPECT_EQ(pc.magic[0], 2);
    EXPECT_EQ(pc.magic[1], 9);
    EXPECT_EQ(pc.magic[2], -1);
    EXPECT_EQ(inv[1].kind, 44);
    EXPECT_EQ(inv[2].kind, 20);
    EXPECT_EQ(inv[3].kind, -1);
    EXPECT_EQ(itemmyshop[0].kind, 43);
    EXPECT_EQ(itemmyshop[0].price, 9000);
    EXPECT_EQ(itemmyshop[1].kind, -1);
    // the town stock keeps its gaps: a bought wand leaves one
    EXPECT_EQ(itemnpcshop[0].kind, 3);
    EXPECT_EQ(itemnpcshop[1].kind, -1);
}

TEST_F(BrokenSave, AGameFileFromElsewhereTakesAPlaceOnlyWhenItLoads)
{
    const std::string index = slurp(savepath("save"));
    std::string message;
    EXPECT_FALSE(putgame(3, withword(good, WMONTH, "12"), message));
    EXPECT_EQ(message,
              "セーブデータdが壊れている\n(" + savepath("save3") + " 4行目: 範囲の外の値「12」)\n");
    EXPECT_FALSE(putgame(3, std::string(SAVEFILECAP + 1, '0'), message));
    EXPECT_NE(message.find("セーブデータdが読めない"), std::string::npos) << message;
    EXPECT_FALSE(exists(savepath("save3")));
    EXPECT_EQ(slurp(savepath("save")), index) << "a refused file takes no place";

    ASSERT_TRUE(putgame(3, good, message));
    EXPECT_EQ(message, "d:ソラ(Lv.4)\n");
    EXPECT_EQ(slurp(savepath("save3")), good) << "kept as it stands";
    indexentry list[16];
    readindex(list);
    EXPECT_STREQ(list[3].name, "ソラ");
    EXPECT_EQ(list[3].lv, 4);
    EXPECT_STREQ(list[1].name, "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿ") << "the other places stay";
    EXPECT_TRUE(loadgame(3));
}
