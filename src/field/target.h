#pragma once
// The targeting cursor, and looking, shooting and throwing through it.

// The terrain code of the cell chosen (left in tx, ty), or -1 when cancelled.
int targetselect();
int targetmove(int base, int current, int step);
int targetinfo();
// The field commands '*', 'f' and 'T'; true when a turn passes.
bool look();
bool shoot();
bool throwitem();
