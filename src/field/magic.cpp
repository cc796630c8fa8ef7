#include "field/magic.h"
// placeholder until wands and spells are built
bool useitemcmd() { return false; }
bool castcmd() { return false; }
