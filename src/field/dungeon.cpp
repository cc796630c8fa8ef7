#include "field/dungeon.h"
// placeholder until expeditions are built
void dungeon() {}
