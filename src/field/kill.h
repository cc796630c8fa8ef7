#pragma once
// A creature brought below 0 hp: its cell cleared, experience, meat, levels, a new spell.
void kill(int i, int x, int y);
