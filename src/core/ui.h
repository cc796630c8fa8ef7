#pragma once
// The shapes every screen shares: the pause, a refusal, the typed number, y/n, and the
// lettered lists of the bags.

#include "core/lang.h"
#include "core/state.h"

// "何かキーを押してください" (no line break) and a key, which it gives back.
int waitkey();
// A line of refusal, then the pause.
void refuse(const char* line);
// One typed word turned into a number: -1 unless it is 1 to 9 digits. Escape or Enter on
// an empty line leaves the prompt and gives 0, which every caller takes as nothing to do.
int asknumber();
// A key; true only for 'y'.
bool yesno();

enum bagof { ITEMS, MATERIALS, EQUIPS };

// The name of entry kind of a bag of that sort, as the screens show it.
const char* bagname(bagof what, int kind);

// Lists the used entries of a bag from the front, each labelled with the letter of its
// index: fmt ("%c:%s x%d\n") with letter, name and count; a wand with wandfmt
// ("%c:%s(残り%d回)\n") unless that is null. With onlykind >= 0 only entries whose
// catalogue kind matches are shown, so the letters may have gaps.
void listbag(const slot* bag, int cap, bagof what, int onlykind = -1,
             const char* fmt = "%c:%s x%d\n", const char* wandfmt = _("%c:%s(残り%d回)\n"));

// Clears the screen, prints the question and reads numbers until one is above 0; Escape
// or Enter on an empty line leaves and gives 0.
int askcount(const char* question);
