#pragma once
// The town shop: its stock, rolled at a new game and every new day, and buying from it.
void tonpcshop();
void buy();
