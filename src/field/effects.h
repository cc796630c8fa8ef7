#pragma once
// What an item does: on the player (useitem, by catalogue index) and on a creature hit by
// a thrown potion (useitemnpc, by bag slot and creature index); the player's teleports.
void useitem(int item);
void useitemnpc(int slot, int n);
void shortteleport();
void teleport();
