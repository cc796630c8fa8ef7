#pragma once
// Moving one cell, and the melee a move into a creature turns into.
void pcmove(int dx, int dy);
void npcmove(int i, int dx, int dy);
void randwalk(int i);
// Breaks off resting, gathering and eating: the player has been attacked.
void stopactivities();
