#pragma once
// What wands and spells do. Both draw on one set of effects; each wand and each spell
// brings only its numbers and the words it is told in, as written: they are shown in the
// player's language.

enum effectkind {
    EHEAL,           // hp back, capped at the maximum
    ESHORTTELEPORT,  // a hop within a few cells
    ETELEPORT,       // anywhere on the floor
    EBOLT,           // aimed through the cursor; always hits
    ESTORM,          // every creature within two cells
    EHERO,           // attack and dexterity raised for a while
    ESHIELD,         // defence raised
    ESAGE,           // magic power raised
    ESWIFT,          // speed raised
    EMANA,           // mp back, capped at the maximum
};

// The five outcomes of a bolt: on oneself (d), a kill (name, d), a hit (name, d), into
// the air, into a wall.
struct boltwords {
    const char* self;
    const char* kill;
    const char* hit;
    const char* space;
    const char* wall;
};

struct spelleffect {
    effectkind kind;
    int dice;          // heal and bolt: dice of P.mag/2 sides
    const char* text;  // heal: with the amount (%d); teleports: said after; others: before
    boltwords bolt;    // a bolt's words
};

// Carries out an effect. False only when the aim of a bolt was cancelled: then nothing
// has happened.
bool applyeffect(const spelleffect& e);
