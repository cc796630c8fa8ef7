#pragma once
// The player's options: how the game is shown and which keys move. Filled once at start-up
// (from the options file and the command line, or from a recording) and never changed
// during a game. None of them changes a rule: the assisted view is read only by the code
// that draws screens and menus.

#include "core/lang.h"
#include "core/state.h"

struct optdata {
    bool assist;  // the assisted view: labels, distinct glyphs, counts, prompts
    bool vikeys;  // h j k l move in the field, as the arrow keys do
    langcode lang;  // the language of the screens (never of the files)
};

extern optdata opts;

// With vikeys, h j k l as the arrow keys left, down, up, right; any other key as it is.
int vikey(int key);

// What a cell of terrain code shows, given what is laid on it: in the assisted view the
// grounds that share a glyph with another get their own (rough ground ':' beside wall, the
// rough ground of the shallows '=' beside deep water, seeds '"' beside the floor); else t.
tile viewtile(int code, tile t);
