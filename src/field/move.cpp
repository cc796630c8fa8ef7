#include "field/move.h"
// placeholder until movement is built
void pcmove(int, int) {}
void npcmove(int, int, int) {}
void randwalk(int) {}
