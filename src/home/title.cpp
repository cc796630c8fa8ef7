#include "home/title.h"

#include <cstring>
#include <string>

#include "core/clock.h"
#include "core/console.h"
#include "core/creatures.h"
#include "core/lang.h"
#include "core/rules.h"
#include "core/text.h"
#include "home/savefile.h"

namespace {
constexpr int PLACES = 16;
constexpr int BACK = -2;        // Esc on the save list: back to the title
constexpr size_t NAMEINPUT = 64;  // typed bytes taken, enough to tell a name too long

// Only a place with a game can be loaded: a hidden empty one has no file.
bool loadable(const indexentry& e) { return e.lv != 0 && e.lv != -1; }

// The save list: a place holding a game, or BACK.
int chooseplace()
{
    indexentry list[PLACES];
    readindex(list);
    bool any = false;
    for (const indexentry& e : list) any = any || loadable(e);
    for (;;) {
        cls();
        print("セーブデータを選んでくれ\n\n");
        for (int i = 0; i < PLACES; i++)
            if (list[i].lv != 0) print("%c:%s(Lv.%d)\n", alphabet[i], list[i].name, list[i].lv);
        // with nothing to load, the player is told so, and how to go back
        if (!any) print("セーブデータはまだない\n\nESCで戻る\n");
        int key = mygetch();
        if (key == KEYESC) return BACK;
        int i = alp2int(key);
        if (i < PLACES && loadable(list[i])) return i;
    }
}

void emptyslots(slot* bag)
{
    for (int i = 0; i < LISTSIZE; i++) bag[i] = {-1, 0};
}

void askname()
{
    const char* fault = nullptr;
    for (;;) {
        cls();
        if (fault) print("%s\n", fault);
        print("名前を教えてくれないか\n");
        std::string word = con().readword(NAMEINPUT);
        fault = namefault(word);
        if (!fault) {
            std::memcpy(pc.name, word.c_str(), word.size() + 1);
            return;
        }
    }
}

// The difficulty: 'a' easy, 'c' hard, 'd' lunatic, any other key normal.
int askmode()
{
    cls();
    print("難易度を選んでくれ\n\na:Easy\nb:Normal\nc:Hard\nd:Extra");
    switch (mygetch()) {
    case 'a': return 0;
    case 'c': return 2;
    case 'd': return 3;
    default: return 1;
    }
}

void rollstats()
{
    for (int s : {ATK, DEF, DEX, MAG}) *statof(pc, s).base = dice(3, 5, 5);
    pc.spd = 60;
    pc.maxhp = pc.hp = dice(4, 10, 10);
    pc.maxmp = pc.mp = dice(4, 5, 10);
    for (int s = 0; s < NSTAT; s++) {
        statview v = statof(pc, s);
        *v.cur = *v.base;
        *v.turn = 0;
        *v.mod = 0;
    }
}
}  // namespace

const char* namefault(std::string_view name)
{
    std::string sjis;
    if (name.empty() || !tosjis(name, sjis)) return "その名前は使えない";
    // control characters would break the save file's words and the terminal
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F) return "その名前は使えない";
    if (sjis.size() > static_cast<size_t>(NAMESJIS) || name.size() >= sizeof pc.name)
        return "名前が長すぎる";
    return nullptr;
}

void emptystores()
{
    for (cropdata& c : crp) c = {-1, 0, 0, 0, 0, 0};
    for (slot* bag : {inv, mat, equipment, warehouseitm, warehousemat}) emptyslots(bag);
    for (int& m : pc.magic) m = -1;
    for (int i = 0; i < LISTSIZE; i++) itemmyshop[i] = equipmyshop[i] = {-1, 0, 0};
}

void rollnewgame()
{
    year = month = day = hour = min = 0;
    emptystores();
    pc.eqsword = pc.eqarmor = pc.eqgauntlet = pc.eqhat = pc.eqshoes = 0;
    pc.lv = 1;
    pc.exp = 0;
    pc.full = 1000;
    rollstats();
    farmlv = warehouselv = townlv = shoplv = 1;
    money = 10000;
    tonpcshop();
    for (int s = 0; s < 8; s++) {
        skl[2 * s] = 1;
        skl[2 * s + 1] = 10;
    }
}

int start()
{
    for (;;) {
        cls();
        print(_("ようこそ\n\n\na:はじめから\nb:つづきから\n"));
        int key = mygetch();
        if (key == 'a') return -1;
        if (key != 'b') continue;
        int place = chooseplace();
        if (place != BACK) return place;
    }
}

bool init(int choice)
{
    setnpclist();
    gathering[2] = 0;
    eat[1] = 0;
    rest = 0;
    depth = 0;
    if (choice < 0) {
        rollnewgame();
        askname();
        setmode(askmode());
    } else {
        emptystores();
        if (!loadgame(choice)) return false;
    }
    format(para, sizeof para, "攻撃:%d 防御:%d 器用:%d 魔力:%d 速さ:%d", pc.atk, pc.def, pc.dex,
           pc.mag, pc.spd);
    format(status, sizeof status, "Lv:%d HP:%d/%d MP:%d/%d 矢:%d 次Lvまで%d", pc.lv, pc.hp,
           pc.maxhp, pc.mp, pc.maxmp, arrow, 100 - pc.exp);
    return true;
}

void begin()
{
    int choice = start();
    // only a load can fail; its save list comes back, and Esc there leads to the title
    while (!init(choice)) {
        choice = chooseplace();
        if (choice == BACK) choice = start();
    }
}
