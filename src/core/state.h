#pragma once
// The whole game state: plain records and fixed arrays, defined once in state.cpp.
// Every activity reads and writes these globals directly; nothing is allocated while
// the game runs.

// ---------------------------------------------------------------- sizes

constexpr int LISTSIZE = 32;   // bags, stocks, shop lists, warehouse, plots, floor items
constexpr int MAXNPC = 128;    // creatures on a floor
constexpr int MAPW = 40;       // floor grid, columns
constexpr int MAPH = 40;       // floor grid, rows
constexpr int NAMESIZE = 48;   // UTF-8 room for a name of 15 Shift-JIS bytes
constexpr int NAMESJIS = 15;   // the name's limit in its Shift-JIS form
constexpr int LINESIZE = 192;  // buf, para, status: 128 Shift-JIS bytes in UTF-8

// ---------------------------------------------------------------- records

// One bag entry: a catalogue index and how many (charges for a wand,
// performance for equipment). kind -1 marks an empty entry.
struct slot {
    int kind;
    int count;
};

// One entry of the player's own shop.
struct shopentry {
    int kind;
    int count;
    int price;
};

// One farm plot: the crop (0 vegetables, 1 fruit, -1 empty) and when it was sown.
struct cropdata {
    int kind;
    int sowyear;
    int sowmonth;
    int sowday;
    int sowhour;
    int grade;
};

// Glyph and colour of one cell of the field.
struct tile {
    int glyph;
    int color;
};

struct pcdata {
    char name[NAMESIZE];
    int maxhp, maxmp, hp, mp;
    int atk, def, dex, mag, spd;  // base values
    int atkcur, atkturn;          // effective value and turns left of a change
    int defcur, defturn;
    int dexcur, dexturn;
    int magcur, magturn;
    int spdcur, spdturn;
    int atkmod, defmod, dexmod, magmod, spdmod;  // this turn only
    int eqsword, eqarmor, eqgauntlet, eqhat, eqshoes;
    int magic[LISTSIZE];  // learned spells from the front, -1 after the last
    int x, y, under;
    int floorturn;
    int full;
    int lv;
    int exp;
};

struct npcdata {
    const char* name;
    int glyph;
    int attitude;  // -1 hostile, 0 peaceful
    int maxhp, maxmp, hp, mp;
    int atk, def, dex, mag, spd;
    int atkcur, atkturn;
    int defcur, defturn;
    int dexcur, dexturn;
    int magcur, magturn;
    int spdcur, spdturn;
    int atkmod, defmod, dexmod, magmod, spdmod;
    int x, y, under;
    double energy;  // action balance of the speed rule
    int turns;      // actions taken
    int ai;         // 0 fighter, 1 caster, 2 thrower
    int exp;
    int rare;       // 0: an empty population row
};

// An item kind of the catalogue, and an item lying on a floor.
struct itemdata {
    const char* name;
    int glyph;
    int color;
    int hp, mp;
    int atk, atkturn;
    int def, defturn;
    int dex, dexturn;
    int mag, magturn;
    int spd, spdturn;
    const char* desc;
    int price;
    int under, taken, x, y;  // on a floor
    int id;                  // catalogue index
    int kind;                // 0 potion, 1 scroll, 2 food, 3 seed, 4 wand
    int rare;
};

// ---------------------------------------------------------------- stat blocks

// The five stats in the game's order: attack, defence, dexterity, magic, speed.
enum { ATK, DEF, DEX, MAG, SPD, NSTAT };

// One stat of the player or a creature, seen through its four fields.
struct statview {
    int* base;
    int* cur;
    int* turn;
    int* mod;
};

template <class T>
statview statof(T& c, int s)
{
    switch (s) {
    case ATK: return {&c.atk, &c.atkcur, &c.atkturn, &c.atkmod};
    case DEF: return {&c.def, &c.defcur, &c.defturn, &c.defmod};
    case DEX: return {&c.dex, &c.dexcur, &c.dexturn, &c.dexmod};
    case MAG: return {&c.mag, &c.magcur, &c.magturn, &c.magmod};
    default: return {&c.spd, &c.spdcur, &c.spdturn, &c.spdmod};
    }
}

// ---------------------------------------------------------------- the player

extern pcdata pc;

// ---------------------------------------------------------------- bags and lists

extern slot inv[LISTSIZE];          // item bag, first maxinv in use
extern slot mat[LISTSIZE];          // material bag, first maxmat
extern slot equipment[LISTSIZE];    // equipment carried, first maxequip
extern slot warehouseitm[LISTSIZE]; // first warehouselv
extern slot warehousemat[LISTSIZE];
extern slot itemnpcshop[LISTSIZE];  // town stock, first townlv offered
extern slot equipnpcshop[LISTSIZE];
extern shopentry itemmyshop[LISTSIZE];  // own shop, first shoplv
extern shopentry equipmyshop[LISTSIZE];
extern cropdata crp[LISTSIZE];      // farm plots, first farmlv

// ---------------------------------------------------------------- money, calendar, skills

extern int money;
extern int year, month, day, hour;
extern int min;  // minutes in hundredths, 0..5999

enum { SKEQUIP, SKTOOL, SKCOOK, SKMINE, SKFELL, SKFISH, SKGROW, SKTRADE };
extern int skl[16];  // level and points of each skill: skl[2*s], skl[2*s+1]

extern int eat[2];   // bag slot of the food, steps left of the meal

extern int warehouselv, shoplv, farmlv, townlv;

// What this run last loaded from or saved into each of the 16 save places: a fingerprint
// of the game file, 0 for nothing. A place another game saved over since shows otherwise.
extern unsigned long long placeknown[16];

// ---------------------------------------------------------------- difficulty

extern int numnpc, numitem, maxinv, maxmat, maxequip, excite, stayfloor;

// What each mode sets, by mode code 0 easy .. 3 lunatic.
struct moderow {
    int numnpc, numitem, bag, excite, stayfloor;
};
extern const moderow modetable[4];
// Sets the seven mode values from a mode code 0 easy .. 3 lunatic.
void setmode(int code);
// The mode code of the current game, derived from numnpc (-1 when none fits).
int modecode();
extern const char* const modenames[4];  // "easy", "normal", "hard", "lunatic"

// ---------------------------------------------------------------- the field

extern int dun;    // 0 mine, 1 forest, 2 waterside
extern int depth;  // floor number, 0 at home
extern int arrow;
extern int rest;
extern int gathering[3];  // column, row, turns left
extern int tohouse;
extern int tx, ty;        // target cursor
extern int map[MAPH][MAPW];
extern tile mi[MAPH][MAPW];
extern itemdata itm[LISTSIZE];
extern npcdata npc[MAXNPC];
extern npcdata minenpc[16], forestnpc[16], seanpc[16];

// Terrain codes of the grid.
enum {
    TFLOOR, TWALL, TDOWN, TUP, TMETAL, TGEM, TTREE, TROUGH, TROUGH2, TWATER,
    TOCCUPIED, TITEM
};

inline bool onmap(int x, int y) { return x >= 0 && x < MAPW && y >= 0 && y < MAPH; }
// The terrain code at a cell; everything outside the grid is wall.
inline int cell(int x, int y) { return onmap(x, y) ? map[y][x] : TWALL; }

// ---------------------------------------------------------------- text buffers

constexpr int MESSAGESIZE = 1536;  // 1024 Shift-JIS bytes in UTF-8
extern char message[MESSAGESIZE];  // field and home messages, each beginning with "\n"
extern char buf[LINESIZE];         // scratch: one message is formatted here


extern char para[LINESIZE];
extern char status[LINESIZE];

// ---------------------------------------------------------------- constant tables

extern const char alphabet[53];
extern const char numlist[11];

// Puts every global back to its program-start value: zero, but depth 1 and arrow 20; the
// options all off.
void resetstate();
