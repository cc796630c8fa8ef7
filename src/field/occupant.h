#pragma once
// Who or what is on a cell of the floor, and the one way terrain is written.

// The first living creature standing at (x, y), or -1.
int npcat(int x, int y);
// The first item still lying at (x, y), or -1.
int itemat(int x, int y);
// Writes a terrain code and the glyph that goes with it.
void setterrain(int x, int y, int code);
// True for the codes a character may step onto: floor, stairs, rough ground, an item.
bool walkable(int code);
