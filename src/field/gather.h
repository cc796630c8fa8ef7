#pragma once
// Fishing, felling and digging: the commands choose a cell, ten turns later gather decides.

// The command of key 'F', 'C' or 'D'; the turn always passes.
void gathercmd(int key);
void gather(int x, int y);
