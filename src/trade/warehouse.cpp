#include "trade/warehouse.h"
// placeholder until the warehouse is built
void warehouseio() {}
