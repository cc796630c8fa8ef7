#include "trade/farm.h"
// placeholder until the farm is built
void farm() {}
