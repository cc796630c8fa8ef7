#pragma once
// The pages of the guide, each written line by line (see pagelines). Their numbers come from
// the catalogues and from the constants the rules use.

#include "core/pager.h"

void homekeys(pagelines& w);
void fieldkeys(pagelines& w);
void legend(pagelines& w);
void survival(pagelines& w);
void itemcatalog(pagelines& w);
void spellcatalog(pagelines& w);
void materialcatalog(pagelines& w);
void creaturecatalog(pagelines& w);

// A heading line in the guide's own colour.
void heading(pagelines& w, const char* text);
// A field glyph in its colour.
void glyph(pagelines& w, int ch, int color);
// A line of a key table: the key, what it does, and the time it takes.
void keyline(pagelines& w, const char* key, const char* what, const char* cost);
