#pragma once
// The small rules every part of the game leans on: dice, the contest rule, menu letters,
// typed numbers, and taking goods out of the bags or putting them in.

#include "core/state.h"

// count dice of 1..sides each, plus bonus. A die with fewer than one side adds 0.
int dice(int count, int sides, int bonus);

// How well a fares against b, as a multiple of scale: scale when equal, towards 2 x scale
// for a far larger a, towards 0 for a far smaller one.
int trpcalc(int a, int b, int scale);

inline int ab(int v) { return v < 0 ? -v : v; }

// A heal: value grows by add up to most, and never falls, so what stood above most (a
// potion's gift, a maximum lost with a level) is kept.
void fillup(int& value, int add, int most);

// value + add, held at the ends of an int where the sum would pass them: what a stat, hit
// points, experience or fullness gains never wraps round.
void addclamped(int& value, long long add);

// A menu letter's list index: 'a'..'z' 0..25, 'A'..'Z' 26..51, anything else NOLETTER.
constexpr int NOLETTER = 52;
int alp2int(int key);

// A typed number: its decimal value, 0 for the empty text, -1 for anything but 1 to 9
// digits.
int numc2int(const char* text);

// Takes n from a bag entry; an entry left with nothing is removed and the bag closed up.
void itemconsume(int index, int n);
void materialconsume(int index, int n);

// The same on any bag of cap entries.
void bagconsume(slot* bag, int cap, int index, int n);
// Removes an entry whole: later entries move up, the last one is emptied.
void bagremove(slot* bag, int cap, int index);
// The first entry holding kind or empty, whichever comes first; -1 when none.
int bagfind(const slot* bag, int cap, int kind);
// The first empty entry; -1 when none.
int bagempty(const slot* bag, int cap);
// Puts n of kind into the first entry holding it or empty; false when none fits, or when
// that entry's count could not grow by n.
bool bagput(slot* bag, int cap, int kind, int n);
// How many more of kind the entry bagfind gives can take before its count would
// overflow; 0 when there is no such entry.
int bagroom(const slot* bag, int cap, int kind);
// Used entries at the front of a bag.
int bagused(const slot* bag, int cap);
