#pragma once
// The questions of the assisted view before a risky step or aim; in the written game
// nothing is asked and each gives true.

// An aim at the player's own cell (tx, ty): true when the player goes on with it.
bool selfaimok();
// A step by (dx, dy) onto rough ground with a hostile creature next to the player: true
// when the player goes on with it.
bool roughstepok(int dx, int dy);
