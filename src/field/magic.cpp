#include "field/magic.h"
// placeholder until wands and spells are built
bool useitemcmd() { return true; }
bool castcmd() { return true; }
