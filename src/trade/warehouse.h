#pragma once
// Storing items and materials in the warehouse and taking them out.
void warehouseio();
