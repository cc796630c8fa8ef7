#pragma once
// What must hold of a game in play at every key it reads: lists closed up within their
// capacity, no empty stack in a bag, levels and the calendar in range, and on a floor the
// grid agreeing with who stands where. Shared by the key fuzzer and its tests.

#include <string>

// Empty when the home side of the game is sound; otherwise every fault found, "; " apart.
std::string homeproblems();
// homeproblems, and on a floor (depth >= 1) the grid and the coordinates too.
std::string stateproblems();
