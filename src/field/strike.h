#pragma once
// What a blow from afar does: a creature hurt, angered or killed, an item on the ground
// broken. Shots, bolts and the storm of magic share these.

#include "core/state.h"

// The value a stat of the player or a creature has this turn: effective plus modifier.
template <class T>
int now(T& c, int s)
{
    statview v = statof(c, s);
    return *v.cur + *v.mod;
}

// The cursor rests on the player's own cell.
inline bool aimedatself() { return tx == pc.x && ty == pc.y; }

// A shot or throw at one's own feet: hits three times in four.
bool selfhit();
// A shot or throw at creature c: the player's dexterity against its own.
bool aimedhit(npcdata& c);

// A peaceful creature struck turns hostile, and says so once.
void anger(npcdata& c);

// Creature i loses d hp. Below 0 it dies with killtext (name, d); else hittext (name, d)
// and its anger. Both texts come as written and are shown in the player's language.
void hurtnpc(int i, int d, const char* killtext, const char* hittext);

// Every item still lying at (x, y) breaks, "\n地面の%sは割れた", and the cell gets the
// terrain beneath it back.
void breakitems(int x, int y);
