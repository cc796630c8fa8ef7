#pragma once
// The player's own shop: putting goods out (0 items, 1 equipment) and the day's sales.
int tomyshop(int mode);
// Lists what the shop has on offer, items and equipment, until Escape or q.
void lookmyshop();
void sell();
