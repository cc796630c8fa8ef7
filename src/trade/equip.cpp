#include "trade/equip.h"
// placeholder until equipment is built
void wearing() {}
