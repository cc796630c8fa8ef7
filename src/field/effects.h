#pragma once
// What an item does: on the player (useitem, by catalogue index) and on a creature hit by
// a thrown potion (useitemnpc, by bag slot and creature index); the player's teleports.
void useitem(int item);
void useitemnpc(int slot, int n);
void shortteleport();
void teleport();

// A cell of floor or stairs down within -4..+5 of (x, y) on each axis, drawn at random;
// false when the draws find none (the teleporter then stays).
bool shorthop(int x, int y, int& nx, int& ny);
