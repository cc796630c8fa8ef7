#pragma once
// The game's fixed vocabulary: item kinds, spells, materials, equipment kinds and the
// glyphs of the terrain codes. Never written while the game runs. The names and
// descriptions are the Japanese message ids: a screen shows them through _(), a file
// keeps them as they are written here.

#include "core/state.h"

constexpr int NITEM = 53;
constexpr int NMAGIC = 12;
constexpr int NMATERIAL = 28;
constexpr int NEQUIP = 5;

// Item kinds (itemdata.kind).
enum { IPOTION, ISCROLL, IFOOD, ISEED, IWAND };
// Material kinds (materialdata.kind).
enum { MMETAL, MWOOD, MGEM, MFOOD };

// Item indices the rules name.
enum {
    SHORTTELEPORTSCROLL = 14,
    TELEPORTSCROLL = 15,
    RETURNSCROLL = 16,
    VEGETABLESEED = 17,
    FRUITSEED = 18,
    FIRSTDISH = 20,
    FIRSTWAND = 40,
    LEVELDOWNPOTION = 52,
};
// Material indices the rules name.
enum { MEAT = 24, VEGETABLE = 25, FISH = 26, FRUIT = 27 };

struct magicdata {
    const char* name;
    int mp;
    int diff;
    const char* desc;
};

struct materialdata {
    const char* name;
    int kind;
    int grade;
};

extern const itemdata itemlist[NITEM];
extern const magicdata magiclist[NMAGIC];
extern const materialdata materiallist[NMATERIAL];
extern const char* const equiplist[NEQUIP];
extern const tile chip[12];

inline bool iswand(int item) { return itemlist[item].kind == IWAND; }

// The change an item makes to stat s (ATK .. SPD) and how many turns it lasts.
int itemamount(const itemdata& d, int s);
int itemturns(const itemdata& d, int s);
