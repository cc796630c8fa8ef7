// The title with a new game, the home menu and its own screens, and death at home.

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <vector>
#include <fstream>
#include <iterator>
#include <sstream>

#include "core/clock.h"
#include "core/msglog.h"
#include "core/opts.h"
#include "core/paths.h"
#include "core/rules.h"
#include "core/text.h"
#include "home/home.h"
#include "home/title.h"
#include "savekit.h"
#include "tempdir.h"
#include "testkit.h"

namespace {
constexpr int POTION = 0;
constexpr int FOOD = 19;  // 食糧

class Title : public GameTest {
protected:
    TempDir dir;  // a save list that may be read stays out of the source tree
    void SetUp() override
    {
        GameTest::SetUp();
        setfolders(dir.path, dir.path);
    }
    void TearDown() override
    {
        setfolders(".", ".");
        GameTest::TearDown();
    }
};

class Home : public Title {
protected:
    void SetUp() override
    {
        Title::SetUp();
        freshgame(1);
    }
    // Passes of the home loop with these keys: the exit status, or -1 when they returned.
    int passes(const std::string& k, int n = 1)
    {
        keys(k);
        return run([n] {
            for (int i = 0; i < n; i++) homepass();
        });
    }
    bool shows(const std::string& text) const { return all().find(text) != std::string::npos; }
};

std::string readfile(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}
}  // namespace

TEST_F(Title, NewGameRollsItsValuesInOrder)
{
    keys("z" "a" "hero\n" "x");
    EXPECT_EQ(run(begin), -1);
    EXPECT_EQ(console.screens.size(), 5u) << "the title twice, the name, the difficulty";
    EXPECT_EQ(console.screens[1], "ようこそ\n\n\na:はじめから\nb:つづきから\n");
    EXPECT_STREQ(pc.name, "hero");
    EXPECT_EQ(numnpc, 32) << "any key but a, c, d is normal";
    EXPECT_EQ(maxinv, 16);
    EXPECT_EQ(money, 10000);
    EXPECT_EQ(pc.lv, 1);
    EXPECT_EQ(pc.full, 1000);
    EXPECT_EQ(warehouselv + shoplv + farmlv + townlv, 4);
    EXPECT_EQ(year + month + day + hour + min + depth, 0);
    EXPECT_EQ(pc.hp, pc.maxhp);
    EXPECT_EQ(pc.atkcur, pc.atk);
    EXPECT_EQ(pc.magic[31], -1);
    EXPECT_EQ(inv[0].kind, -1);
    EXPECT_EQ(crp[31].kind, -1);
    EXPECT_EQ(skl[2 * SKTRADE], 1);
    EXPECT_EQ(skl[2 * SKTRADE + 1], 10);

    // the draws: four base values, hit points, magic points, then the town stock
    slot stock[LISTSIZE];
    std::memcpy(stock, itemnpcshop, sizeof stock);
    std::srand(1);
    for (int v : {pc.atk, pc.def, pc.dex, pc.mag}) EXPECT_EQ(v, dice(3, 5, 5));
    EXPECT_EQ(pc.maxhp, dice(4, 10, 10));
    EXPECT_EQ(pc.maxmp, dice(4, 5, 10));
    tonpcshop();
    EXPECT_EQ(std::memcmp(stock, itemnpcshop, sizeof stock), 0);

    char want[LINESIZE];
    std::snprintf(want, sizeof want, "攻撃:%d 防御:%d 器用:%d 魔力:%d 速さ:60", pc.atk, pc.def,
                  pc.dex, pc.mag);
    EXPECT_STREQ(para, want);
    std::snprintf(want, sizeof want, "Lv:1 HP:%d/%d MP:%d/%d 矢:20 次Lvまで100", pc.maxhp,
                  pc.maxhp, pc.maxmp, pc.maxmp);
    EXPECT_STREQ(status, want);
}

TEST_F(Title, DifficultyKeys)
{
    const struct {
        char key;
        int npcs, bag;
    } modes[] = {{'a', 16, 32}, {'b', 32, 16}, {'c', 64, 8}, {'d', 128, 4}};
    for (auto m : modes) {
        keys(std::string("ahero\n") + m.key);
        EXPECT_EQ(run(begin), -1);
        EXPECT_EQ(numnpc, m.npcs);
        EXPECT_EQ(maxequip, m.bag);
    }
}

TEST_F(Title, NamesTooLongOrUnwritableAreAskedAgain)
{
    keys("a" "あいうえおかきくけこ\n" "ab😀\n" "abcdefghijklmnop\n" "あいうえおかきa\n" "b");
    EXPECT_EQ(run(begin), -1);
    EXPECT_STREQ(pc.name, "あいうえおかきa") << "15 bytes in Shift-JIS";
    EXPECT_NE(all().find("名前が長すぎる\n名前を教えてくれないか\n"), std::string::npos);
    EXPECT_NE(all().find("その名前は使えない\n名前を教えてくれないか\n"), std::string::npos);

    keys("a" "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿ\n" "b");  // 15 half-width kana: 45 bytes of UTF-8
    EXPECT_EQ(run(begin), -1);
    EXPECT_STREQ(pc.name, "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿ");
    keys("a" "he\x1bro\n" "hero\n" "b");
    EXPECT_EQ(run(begin), -1);
    EXPECT_STREQ(pc.name, "hero") << "a control character makes no name";
    keys("a" "  ab cd\n" "b");
    EXPECT_EQ(run(begin), -1);
    EXPECT_STREQ(pc.name, "ab") << "only the first word";
}

TEST_F(Title, EmptySavePlacesCannotBeChosen)
{
    // every place of a fresh save list is empty: its letters are refused, Esc leads back
    keys("b" "a" "p" "\x1b" "a" "hero\n" "b");
    EXPECT_EQ(run(begin), -1);
    EXPECT_STREQ(pc.name, "hero");
    EXPECT_EQ(console.screens[2], "セーブデータを選んでくれ\n\nセーブデータはまだない\n\nESCで戻る\n");
    int lists = 0;
    for (const std::string& s : console.screens) lists += s.rfind("セーブデータを選んでくれ\n\n", 0) == 0;
    EXPECT_EQ(lists, 3);
}

TEST_F(Home, KeysThatCostTimeAndKeysThatDoNot)
{
    EXPECT_EQ(passes("z"), -1);
    EXPECT_EQ(min, 100);
    EXPECT_TRUE(shows("k:終了\n\nHP:30/30 MP:20/20\n所持金：10000円\t日付：0年1月1日\t時間：0時0分\n"));
    EXPECT_EQ(passes("kn" "cx", 2), -1);
    EXPECT_EQ(min, 100) << "declining to quit and staying in cost nothing";
    EXPECT_EQ(passes("ky"), EXITOK);
}

TEST_F(Home, TheLogAndTheGuideTakeNoTimeAndNoHunger)
{
    pc.full = 0;
    EXPECT_EQ(passes("\x10" "\x1b" "\x10" "q" "?" "M" "\x1b" "?" "q" "z"), -1);  // Esc or q leaves
    EXPECT_EQ(min, 100) << "only z took an action";
    EXPECT_EQ(pc.hp, 30 - 3) << "the home screen drawn again after them costs nothing";
    EXPECT_TRUE(shows("メッセージ履歴"));
    EXPECT_TRUE(shows("ガイド [1:家]"));
    EXPECT_TRUE(shows("[2:探索]"));
}

TEST_F(Home, HomeTextsReachTheLogWithTheirDate)
{
    day = 4, hour = 23, min = 5950;
    money = 1000;
    passes("hay" "k");  // the expansion at 23:59, its action brings the day's sales
    ASSERT_EQ(loglines(), 2);
    EXPECT_STREQ(logat(0).text, "倉庫を拡張した");
    EXPECT_EQ(logat(0).day * 10000 + logat(0).hour * 100 + logat(0).min / 100, 42359);
    EXPECT_STREQ(logat(1).text, "あなたの店では何も売れなかった");
    EXPECT_EQ(logat(1).day * 10000 + logat(1).hour * 100 + logat(1).min / 100, 50000);
}

TEST_F(Home, TheShopLookListsTheOfferAndTheSellCommandStillTakesOneAction)
{
    shoplv = 3;
    itemmyshop[0] = {POTION, 5, 120};
    itemmyshop[1] = {FIRSTWAND, 7, 900};
    equipmyshop[0] = {2, 9, 4500};
    shopentry before[LISTSIZE];
    std::memcpy(before, itemmyshop, sizeof before);
    EXPECT_EQ(passes("bc" "\x1b" "\x1b"), -1);
    EXPECT_EQ(min, 100);
    EXPECT_EQ(std::memcmp(before, itemmyshop, sizeof before), 0);
    ASSERT_EQ(console.screens.size(), 5u) << "home, the question, the look, the question again";
    EXPECT_EQ(console.screens[3].substr(0, console.screens[3].find("[上下")),
              "あなたの店に並んでいる品 (店Lv3: アイテム2/3 装備品1/3)\n\n"
              "  名前                      数              値段(1つ)\n【アイテム】\n"
              "  体力回復の薬              x5                 120円\n"
              "  軽傷治癒の杖              残り7回            900円\n【装備品】\n"
              "  小手                      性能9             4500円\n" +
                  std::string(16, '\n'));
}

TEST_F(Home, HungerWordsAndStarvation)
{
    const struct {
        int full;
        const char* painted;
    } table[] = {
        {0, "<12>餓死中<15>"}, {49, "<12>飢餓<15>"}, {50, "<14>空腹<15>"},
        {299, "<15>空腹<15>"}, {300, "分\n<15>"},
    };
    for (auto t : table) {
        pc.full = t.full;
        console.painted.clear();
        passes("z");
        EXPECT_NE(console.painted.find(t.painted), std::string::npos) << t.full;
    }
    EXPECT_EQ(pc.hp, 30 - 3) << "only the starving screen costs maxhp / 10";

    pc.full = 0;
    pc.hp = 6;
    EXPECT_EQ(passes("kn" "z", 2), -1);
    EXPECT_EQ(pc.hp, 0) << "each drawing costs, and 0 is alive";
}

TEST_F(Home, StarvingToDeathLeavesARecord)
{
    pc.full = 0;
    pc.hp = 2;
    EXPECT_EQ(passes("z" "k"), EXITOK);
    EXPECT_NE(screen().find("\n餓死中\nあなたは死んだ\n\n何かキーを押してください"), std::string::npos);
    depth = 3;
    setmode(2);
    EXPECT_EQ(passes("z" "k"), EXITOK);
    std::string log;
    ASSERT_TRUE(fromsjis(readfile(dir / "dead.txt"), log)) << "the record is Shift-JIS";
    // five lines a record; the time of death with its digits masked
    std::istringstream lines(log);
    std::string line, masked;
    for (int n = 0; std::getline(lines, line); n++) {
        if (n % 5 == 0)
            for (char& c : line) c = std::isdigit(static_cast<unsigned char>(c)) ? '#' : c;
        masked += line + "\n";
    }
    const std::string when = "####年##月##日 ##時##分\n";
    EXPECT_EQ(masked, when + "名前:テスト Lv:1\n地下0階で死亡\nモード:normal\n\n" + when +
                          "名前:テスト Lv:1\n地下3階で死亡\nモード:hard\n\n");

    std::strcpy(pc.name, ".テ/スト");  // a report's file name holds no "/" and no leading "."
    EXPECT_EQ(passes("z" "k"), EXITOK);
    std::vector<std::string> reports;
    for (const auto& f : std::filesystem::directory_iterator(dir / "morgue")) {
        std::ifstream in(f.path());
        std::string report((std::istreambuf_iterator<char>(in)), {});
        EXPECT_NE(report.find("死因: 餓死した\n"), std::string::npos) << report;
        reports.push_back(f.path().filename().string().substr(18));  // after the time
    }
    std::sort(reports.begin(), reports.end());
    EXPECT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0], "_テ_スト.txt");
    EXPECT_TRUE(reports[1] == "テスト-2.txt" || reports[1] == "テスト.txt") << "one a second";
    // never written through a link; at the death screen Ctrl-P opens the log; the assisted
    // view names the cause
    std::filesystem::remove_all(dir / "morgue");
    std::filesystem::create_directory(dir / "elsewhere");
    std::filesystem::create_directory_symlink(dir / "elsewhere", dir / "morgue");
    depth = 0, opts.assist = true;
    EXPECT_EQ(passes("z" "\x10\x1b" "k"), EXITOK);
    EXPECT_TRUE(std::filesystem::is_empty(dir / "elsewhere"));
    EXPECT_NE(all().find("メッセージ履歴"), std::string::npos);
    EXPECT_NE(screen().find("あなたは死んだ\n死亡レポートを残せなかった\n死因: 餓死した (家)\n\n何か"),
              std::string::npos) << screen();

    opts.assist = false;
    setfolders(dir / "missing", dir / "missing");
    EXPECT_EQ(passes("z" "k"), EXITOK);
    EXPECT_NE(screen().find("死亡記録を残せなかった\n\n何かキーを押してください"), std::string::npos);
}

TEST_F(Home, MessagesAreShownOnceAtHome)
{
    hour = 23;
    min = 5950;
    passes("zzz", 3);
    const std::string report = "\nあなたの店では何も売れなかった";
    ASSERT_EQ(console.screens.size(), 4u);
    EXPECT_EQ(console.screens[1].find(report), std::string::npos);
    EXPECT_NE(console.screens[2].find(report), std::string::npos) << "the day's sales";
    EXPECT_EQ(console.screens[3].find(report), std::string::npos) << "and only once";
}

TEST_F(Home, EatingTakesTenActions)
{
    inv[0] = {FOOD, 2};
    inv[1] = {POTION, 1};
    EXPECT_EQ(passes("ea" "k", 10), -1);
    EXPECT_TRUE(shows("何を食べる？\na:食糧 x2\nあなたは"));
    EXPECT_TRUE(shows("あなたは食糧を食べ終えた\n何かキーを押してください"));
    EXPECT_EQ(console.screens.size(), 2u) << "a meal draws no home screen";
    EXPECT_EQ(min, 1000);
    EXPECT_EQ(pc.full, 1000 - 10 + 300);
    EXPECT_EQ(inv[0].count, 1);

    EXPECT_EQ(passes("ea" "k", 10), -1);
    EXPECT_EQ(inv[0].kind, POTION) << "the last one eaten, the bag closes up";
    EXPECT_EQ(passes("eb" "k"), -1);
    EXPECT_TRUE(shows("それは食べ物ではない\n何かキーを押してください"));
    EXPECT_EQ(eat[1], 0);
}

TEST_F(Home, EscapeLeavesEachListWithNothingChangedForTheActionOfItsCommand)
{
    inv[0] = {FOOD, 2}, inv[1] = {FIRSTWAND, 3}, equipment[0] = {0, 5}, mat[0] = {0, 3}, itemnpcshop[0] = {POTION, 5};
    // eating (no refusal, no key swallowed), equipping, the kind to craft, the warehouse
    // menu, the price of equipment for the shop (by Escape, by an empty line); the counts
    // to buy, put out (and its price, a wand's), throw away and store, left the same ways
    for (auto k : {"e\x1b", "fa\x1b\x1b", "ga\x1b\x1b", "ce\x1b", "bba\x1b\n\x1b", "bba \n\x1b",
                   "aaa\n\x1b", "baa\n\x1b", "baa1\n\n\x1b", "bab\n\x1b", "daa\n",
                   "ceaa\x1b\nq", "ceca\nq"}) {
        std::string world = worldbytes();
        int clock = min;
        EXPECT_TRUE(passes(k) == -1 && console.done() && min == clock + 100 && !shows("何かキー")) << k;
        min = clock, pc.full++;
        EXPECT_EQ(worldbytes(), world) << k;
    }
}

TEST_F(Home, ExpansionPricesAndLimits)
{
    money = 999;
    passes("hay" "k");
    EXPECT_TRUE(shows("1000円で拡張できる\n拡張する？\ny/n\nお金が足りない\n"));
    EXPECT_EQ(warehouselv, 1);
    money = 1000;
    passes("hay" "k");
    EXPECT_EQ(warehouselv, 2);
    EXPECT_EQ(money, 0);
    EXPECT_TRUE(shows("倉庫を拡張した\n"));

    townlv = 31;
    money = 310000;
    passes("hdn" "hdy" "k", 2);
    EXPECT_EQ(townlv, 32);
    EXPECT_EQ(money, 0);
    passes("hd" "k");
    EXPECT_EQ(screen().find("y/n"), std::string::npos);
    EXPECT_TRUE(shows("これ以上拡張できない\n"));
}

TEST_F(Home, InformationScreens)
{
    skl[2 * SKEQUIP] = 3;
    skl[2 * SKTRADE] = 5;
    inv[0] = {FOOD, 2};
    mat[0] = {MEAT, 4};
    warehouseitm[0] = {POTION, 7};
    passes("ia" "k" "ib" "k" "ic" "k", 3);
    EXPECT_TRUE(shows("武器製作:3 防具製作:3 道具製作:1 料理:1 採鉱:1 伐採:1 釣り:1 栽培:1 商売:5\n"));
    EXPECT_TRUE(shows("アイテム\n\n食糧 x2\n\n素材\n\n肉 x4\n何かキーを押してください"));
    EXPECT_TRUE(shows("アイテム\n\n体力回復の薬 x7\n\n素材\n\n何かキーを押してください"));
}
