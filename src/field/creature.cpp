#include "field/creature.h"
// placeholder until creature turns are built
void npcphase() {}
