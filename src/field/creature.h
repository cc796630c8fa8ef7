#pragma once
// The creatures' phase of a turn: every living creature acts as often as its speed allows.
void npcphase();
