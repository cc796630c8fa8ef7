#pragma once
// The player's own shop: putting goods out (0 items, 1 equipment) and the day's sales.
int tomyshop(int mode);
void sell();
