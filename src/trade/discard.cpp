#include "trade/discard.h"
// placeholder until discarding is built
void drop() {}
