#pragma once
// The title screen, a new game and the choice of a saved one.

#include <string_view>

// Runs the title until a game is set up: a new one, or one loaded from its save place.
void begin();
// The title screen: -1 for a new game, or the save place 0..15 to load.
int start();
// Sets up the game for start's choice; false when the saved game could not be loaded
// (the player has been told why).
bool init(int choice);

// A new game's values and the town's first stock, before the name and the mode are asked.
void rollnewgame();
// Empties the farm plots, the bags, the spells, the warehouse and the own shop.
void emptystores();
// Why a typed name cannot be taken (too long in Shift-JIS, or not writable in it), or null.
const char* namefault(std::string_view name);
