#include "trade/townshop.h"
// placeholder until the town shop is built
void tonpcshop() {}
void buy() {}
