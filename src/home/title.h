#pragma once
// The title screen, a new game and the choice of a saved one.

// Runs the title until a game is set up: a new one, or one loaded from its save place.
void begin();
// The title screen: -1 for a new game, or the save place 0..15 to load.
int start();
// Sets up the game for start's choice; false when the saved game could not be loaded
// (the player has been told why).
bool init(int choice);
