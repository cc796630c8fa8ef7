#pragma once
// An expedition: turn after turn on the floors of the ground in dun, until home or death.
void dungeon();

// One turn, step by step (so that a turn can be played on its own):
// the items, creatures and player laid onto the display grid;
void overlay();
// the screen (unless a rest, gathering or meal runs by itself) and the next command's key,
// h j k l as arrows with vikeys; fresh at the turn's first prompt, which shows what the turn
// before brought;
int keyprompt(bool fresh = true);
// the command: true when a turn passes, false to go back to the key prompt;
bool fieldcommand(int key);
// the end-of-turn block: countdowns, regeneration, the creatures, the floor's time limit,
// the status lines and the clock.
void endturn();
// A whole turn; the game ends here when the player has died.
void fieldturn();
