#pragma once
// The home menu: the loop the whole game is played in.

// Runs passes until the game ends (quit or death end the program through gameend).
[[noreturn]] void homeloop();
// One pass: the home screen, a command, a meal step, one clock action, the death test.
void homepass();
