#include "field/effects.h"
// placeholder until item effects are built
void useitem(int) {}
void useitemnpc(int, int) {}
void shortteleport() {}
void teleport() {}
