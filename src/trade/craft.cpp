#include "trade/craft.h"
// placeholder until crafting is built
void make() {}
