#pragma once
// The expedition's own commands: the stairs, picking up, resting, quitting.
void stairsdown();
void stairsup();
void pickup();
// Asks how many turns to rest ("&": until hp and mp are full) and starts the rest.
void restcmd();
// Asks whether to quit; 'y' ends the game, anything else comes back.
void quitcmd();
