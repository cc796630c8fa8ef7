// The town shop (stock and buying), the own shop (putting out and the day's sales), and
// the day's events run by the clock.

#include <climits>
#include <cstring>

#include "core/clock.h"
#include "testkit.h"
#include "trade/myshop.h"
#include "trade/townshop.h"

namespace {
constexpr int POTION = 0;  // 体力回復の薬, 100 yen, rare 3
constexpr int FOOD = 19;   // 食糧, 50 yen

class Shop : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshgame(1);
    }
    // Buys from the item list with the given keys, then leaves it.
    int buyitems(const std::string& k)
    {
        keys("a" + k + "\x1b");
        return run(buy);
    }
};

bool samestock(const slot* a, const slot* b)
{
    return std::memcmp(a, b, sizeof(slot) * LISTSIZE) == 0;
}
}  // namespace

TEST_F(Shop, StockIsWeightedByRarityAndTownLevel)
{
    int kinds[NITEM] = {}, performance[33] = {}, equipkinds[NEQUIP] = {};
    int maxcount = 0;
    townlv = 32;
    for (int roll = 0; roll < 400; roll++) {
        tonpcshop();
        for (int i = 0; i < LISTSIZE; i++) {
            kinds[itemnpcshop[i].kind]++;
            if (itemnpcshop[i].kind == POTION) maxcount = std::max(maxcount, itemnpcshop[i].count);
            performance[equipnpcshop[i].count]++;
            equipkinds[equipnpcshop[i].kind]++;
        }
    }
    for (int k = FIRSTDISH; k < FIRSTWAND; k++) EXPECT_EQ(kinds[k], 0) << "dishes are never stocked";
    // weights 1/3 against 1/100; 1/p for a performance of p; the five kinds alike
    EXPECT_GT(kinds[POTION], 15 * kinds[LEVELDOWNPOTION]);
    EXPECT_GT(kinds[LEVELDOWNPOTION], 0);
    EXPECT_EQ(maxcount, 10);
    EXPECT_NEAR(double(performance[1]) / performance[2], 2.0, 0.35);
    EXPECT_NEAR(double(performance[1]) / performance[8], 8.0, 2.0);
    for (int k : equipkinds) EXPECT_NEAR(k / (400.0 * LISTSIZE), 0.2, 0.03);

    townlv = 1;
    for (int roll = 0; roll < 50; roll++) {
        tonpcshop();
        for (int i = 0; i < LISTSIZE; i++) {
            EXPECT_EQ(equipnpcshop[i].count, 1);
            EXPECT_LE(itemnpcshop[i].kind == POTION ? itemnpcshop[i].count : 0, 3);
        }
    }
}

TEST_F(Shop, BuyingPartOfTheStockThenTheRest)
{
    itemnpcshop[0] = {POTION, 5};
    EXPECT_EQ(buyitems("a2\n" "k" "a9\n" "k" "a" "k"), -1);
    EXPECT_EQ(inv[0].kind, POTION);
    EXPECT_EQ(inv[0].count, 5);
    EXPECT_EQ(money, 10000 - 5 * 200) << "the whole stock costs its count, not the number typed";
    EXPECT_EQ(itemnpcshop[0].kind, POTION) << "the line stays, with nothing left";
    EXPECT_EQ(itemnpcshop[0].count, 0);
    std::string s = all();
    EXPECT_NE(s.find("a:体力回復の薬 x5\t200円\n"), std::string::npos);
    EXPECT_NE(s.find("体力回復の薬を2個買った\n"), std::string::npos);
    EXPECT_NE(s.find("体力回復の薬を全部買った\n"), std::string::npos);
    EXPECT_NE(s.find("a:体力回復の薬 x0\t200円\nそれは買えない\n何かキーを押してください"),
              std::string::npos);
}

TEST_F(Shop, QuantitiesThatBuyNothing)
{
    itemnpcshop[0] = {POTION, 5};
    // 0, no number, eleven digits, and a price beyond the purse
    money = 300;
    EXPECT_EQ(buyitems("a0\n" "ax\n" "a12345678901\n" "a2\n" "k"), -1);
    EXPECT_EQ(inv[0].kind, -1) << "no entry with a count of 0";
    EXPECT_EQ(money, 300);
    EXPECT_EQ(itemnpcshop[0].count, 5);
    EXPECT_NE(all().find("お金が足りない\n何かキーを押してください"), std::string::npos);
    // a price equal to the purse is paid
    money = 1000;
    EXPECT_EQ(buyitems("a999999999\n" "k"), -1);
    EXPECT_EQ(money, 0);
    EXPECT_EQ(inv[0].count, 5);
}

TEST_F(Shop, WandsTakeTheirOwnEntryAndFullBagsRefuse)
{
    itemnpcshop[0] = {FIRSTWAND, 4};
    inv[0] = {FIRSTWAND, 2};
    EXPECT_EQ(buyitems("a"), -1);
    EXPECT_EQ(inv[1].kind, FIRSTWAND);
    EXPECT_EQ(inv[1].count, 4);
    EXPECT_EQ(money, 10000 - 2 * 20 * 14);
    EXPECT_EQ(itemnpcshop[0].kind, -1);
    EXPECT_NE(all().find("a:軽傷治癒の杖(残り4回)\t560円\n"), std::string::npos);

    setmode(3);  // a bag of 4
    for (int i = 0; i < 4; i++) inv[i] = {FIRSTWAND, 1};
    itemnpcshop[0] = {FOOD, 3};
    itemnpcshop[1] = {FIRSTWAND, 3};
    townlv = 2;
    EXPECT_EQ(buyitems("ak" "bk"), -1);
    EXPECT_NE(all().find("これ以上持てない\n何かキーを押してください"), std::string::npos);
    EXPECT_EQ(itemnpcshop[1].kind, FIRSTWAND);
}

TEST_F(Shop, CapitalLettersReachTheLastTownLines)
{
    townlv = 32;
    for (int i = 0; i < LISTSIZE; i++) itemnpcshop[i] = {FOOD, 1};
    itemnpcshop[31] = {POTION, 3};
    EXPECT_EQ(buyitems("F1\nk"), -1);
    EXPECT_EQ(inv[0].kind, POTION);
    EXPECT_NE(all().find("F:体力回復の薬 x3\t200円\n"), std::string::npos);
}

TEST_F(Shop, BuyingEquipmentUntilTheBagIsFull)
{
    setmode(3);
    for (int i = 0; i < 3; i++) equipment[i] = {0, 1};
    townlv = 2;
    equipnpcshop[0] = {1, 2};
    equipnpcshop[1] = {4, 1};
    keys("bck" "ak" "k");
    EXPECT_EQ(run(buy), -1);
    std::string s = all();
    EXPECT_NE(s.find("a:鎧(性能2)\t1400円\nb:靴(性能1)\t700円\n"), std::string::npos);
    EXPECT_NE(s.find("それは買えない\n何かキーを押してください"), std::string::npos);
    EXPECT_EQ(equipment[3].kind, 1);
    EXPECT_EQ(equipment[3].count, 2);
    EXPECT_EQ(money, 10000 - 1400);
    EXPECT_EQ(equipnpcshop[0].kind, -1);
    EXPECT_NE(screen().find("これ以上買えない\n何かキーを押してください"), std::string::npos)
        << "a full bag leaves the screen";
}

TEST_F(Shop, PuttingItemsOut)
{
    shoplv = 2;
    inv[0] = {POTION, 5};
    inv[1] = {FIRSTWAND, 3};
    inv[2] = {FOOD, 2};
    // two potions at 150, then the rest (no price asked), then the wand, then food: full
    keys("a2\n150\nk" "a9\nk" "a300\nk" "ak" "\x1b");
    EXPECT_EQ(run([] { tomyshop(0); }), -1);
    std::string s = all();
    EXPECT_NE(s.find("体力回復の薬をいくつ売る？\n"), std::string::npos);
    EXPECT_NE(s.find("いくらで売る？ (適正価格100円)\n"), std::string::npos);
    EXPECT_NE(s.find("あなたは体力回復の薬を150円で2個売りに出した\n"), std::string::npos);
    EXPECT_NE(s.find("あなたは体力回復の薬を全部売りに出した\n"), std::string::npos);
    EXPECT_NE(s.find("いくらで売る？ (適正価格260円)\n"), std::string::npos);
    EXPECT_NE(s.find("これ以上置けない\n"), std::string::npos);
    EXPECT_EQ(itemmyshop[0].kind, POTION);
    EXPECT_EQ(itemmyshop[0].count, 5);
    EXPECT_EQ(itemmyshop[0].price, 150);
    EXPECT_EQ(itemmyshop[1].kind, FIRSTWAND);
    EXPECT_EQ(itemmyshop[1].price, 300);
    EXPECT_EQ(inv[0].kind, FOOD) << "the bag closed up";
    EXPECT_EQ(inv[1].kind, -1);
}

TEST_F(Shop, PuttingEquipmentOutAsksThePriceUntilOneIsGiven)
{
    equipment[0] = {3, 4};
    keys("a0\nx\n2500\nk\x1b");
    EXPECT_EQ(run([] { tomyshop(1); }), -1);
    EXPECT_NE(all().find("帽子をいくらで売る？ (適正価格2000円)\n"), std::string::npos);
    EXPECT_NE(all().find("帽子を2500円で売りに出した\n"), std::string::npos);
    EXPECT_EQ(equipmyshop[0].kind, 3);
    EXPECT_EQ(equipmyshop[0].count, 4);
    EXPECT_EQ(equipmyshop[0].price, 2500);
    EXPECT_EQ(equipment[0].kind, -1);
}

TEST_F(Shop, CountsStopAtTheLargestNumber)
{
    itemnpcshop[0] = {POTION, 5}, inv[0] = {POTION, INT_MAX - 2}, shoplv = 2;
    inv[1] = {FOOD, 9}, inv[2] = {FIRSTWAND, INT_MAX}, itemmyshop[0] = {FOOD, INT_MAX - 4, 60};
    EXPECT_EQ(buyitems("a9\n" "k" "a" "k"), -1);  // two bought, then refused
    keys("b9\nk" "b " "c\x1b\n" "\x1b");          // four put out, refused, a wand's price
    EXPECT_EQ(run([] { tomyshop(0); }), -1);
    EXPECT_TRUE(inv[0].count == INT_MAX && itemmyshop[0].count == INT_MAX);
    EXPECT_EQ(itemnpcshop[0].count * 10 + inv[1].count, 35) << "what could not be counted stays";
    for (const char* s : {"これ以上持てない\n", "これ以上置けない\n", "(適正価格42949673140円)\n"})
        EXPECT_NE(all().find(s), std::string::npos) << s;
}

TEST_F(Shop, AnEmptyShopSellsNothing)
{
    skl[2 * SKTRADE] = 5;
    sell();
    EXPECT_STREQ(message, "\nあなたの店では何も売れなかった");
    EXPECT_EQ(money, 10000);
}

TEST_F(Shop, ACustomerBuyingSeveralPiecesCountsAsOneSale)
{
    for (int day = 0; day < 2000 && money == 10000; day++) {
        clearmes();
        itemmyshop[0] = {POTION, 3, 10};  // cheap: a customer who picks it often buys
        sell();
    }
    int pieces = 3 - (itemmyshop[0].kind == -1 ? 0 : itemmyshop[0].count);
    ASSERT_GT(pieces, 0);
    EXPECT_EQ(money, 10000 + 10 * pieces);
    char report[LINESIZE];
    std::snprintf(report, sizeof report,
                  "\nあなたの店は0個の装備品と1個のアイテムを売り%d円の収益を出した", 10 * pieces);
    EXPECT_STREQ(message, report);
}

TEST_F(Shop, OverpricedGoodsAndHugeTakings)
{
    // ten times the fair price or more: t = 0, and such a customer never buys
    equipmyshop[0] = {0, 1, 999999999};
    itemmyshop[0] = {FIRSTWAND, 0, 999999999};
    for (int day = 0; day < 3000; day++) sell();
    EXPECT_EQ(money, 10000);
    EXPECT_EQ(equipmyshop[0].kind, 0);
    EXPECT_EQ(itemmyshop[0].kind, FIRSTWAND);

    // any other item still sells now and then, and the purse stops at its top
    itemmyshop[0] = {POTION, 10, 999999999};
    for (int day = 0; day < 5000 && itemmyshop[0].count == 10; day++) {
        money = INT_MAX - 5;
        sell();
    }
    ASSERT_LT(itemmyshop[0].count, 10);
    EXPECT_EQ(money, INT_MAX);
}

TEST_F(Shop, MidnightBringsTheDaysEventsOnce)
{
    hour = 23;
    min = 5950;
    pc.full = 100000;  // no hunger messages
    tonpcshop();
    slot before[LISTSIZE];
    std::memcpy(before, itemnpcshop, sizeof before);
    timeplus();
    EXPECT_FALSE(samestock(before, itemnpcshop)) << "a new stock";
    EXPECT_STREQ(message, "\nあなたの店では何も売れなかった");
    std::memcpy(before, itemnpcshop, sizeof before);
    for (int i = 0; i < 60 * 23; i++) timeplus();
    EXPECT_TRUE(samestock(before, itemnpcshop));
    EXPECT_STREQ(message, "\nあなたの店では何も売れなかった");
    EXPECT_EQ(day, 1);

    // the last minute of a year: a new day, month and year, and one day's trade
    clearmes();
    year = 3, month = 11, day = 29, hour = 23, min = 5999;
    timeplus();
    EXPECT_EQ(year, 4);
    EXPECT_EQ(month, 0);
    EXPECT_EQ(day, 0);
    EXPECT_FALSE(samestock(before, itemnpcshop));
    EXPECT_STREQ(message, "\nあなたの店では何も売れなかった");
}
