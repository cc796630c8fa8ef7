#pragma once
// The game file of a save place: what it holds, its text, and its reader, which checks every
// value before anything of it reaches the game.

#include <climits>
#include <string>
#include <string_view>

#include "core/state.h"

// The largest numbers a game file may hold: far beyond what any game reaches, and small
// enough that the rules' sums and products of them stay inside an int.
constexpr int SAVESTATMAX = 100000000;     // hit and magic points, stats, equipment's
                                           // performance, experience, fullness, skill
                                           // points (also below 0)
constexpr int SAVELEVELMAX = 1000000;      // the player's and the skills' levels, the years
constexpr int SAVEAMOUNTMAX = INT_MAX;      // money, counts and prices: every rule that
                                           // adds to them stops at the top

// Everything a game file holds. Entries beyond the saved counts are empty (kind -1).
struct savedgame {
    int mode;             // 0 easy .. 3 lunatic
    char name[NAMESIZE];  // UTF-8
    int maxhp, maxmp;
    int base[NSTAT];      // atk, def, dex, mag, spd
    int worn[5];          // eqsword .. eqshoes
    int lv, exp;
    int magic[LISTSIZE];
    int year, month, day, hour, min, full, money;
    slot inv[LISTSIZE], mat[LISTSIZE], equipment[LISTSIZE];
    int skl[16];
    int warehouselv, farmlv, townlv, shoplv;
    slot warehouseitm[LISTSIZE], warehousemat[LISTSIZE];
    cropdata crp[LISTSIZE];
    shopentry equipmyshop[LISTSIZE], itemmyshop[LISTSIZE];
    slot itemnpcshop[LISTSIZE], equipnpcshop[LISTSIZE];
};

// The game in play, as its save holds it.
void capturegame(savedgame& g);
// Puts a checked save into play. Every store it does not cover is emptied; hp and mp are
// full and no effect is running.
void restoregame(const savedgame& g);

// The name as the save files hold it: Shift-JIS, 1 to 15 bytes, no blank or control
// character. False when the name has no such form.
bool sjisname(const char* utf8, std::string& out);
// The other way; out holds NAMESIZE bytes.
bool namefromsjis(std::string_view sjis, char* out);

// The text of the game file, in Shift-JIS. False when the name or the mode cannot be written.
bool writegame(const savedgame& g, std::string& out);

// Where and why a game file was refused.
struct loaderror {
    int line;
    std::string what;
};

// Reads and checks the text of a game file. A list with a gap (a used entry after an empty
// one) is closed up. False, with the first fault in err, when anything is missing or out of
// range; g is then of no use.
bool readgame(std::string_view text, savedgame& g, loaderror& err);
