#include "trade/myshop.h"
// placeholder until the own shop is built
int tomyshop(int) { return 0; }
void sell() {}
