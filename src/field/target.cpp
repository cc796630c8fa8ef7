#include "field/target.h"
// placeholder until targeting is built
int targetselect() { return -1; }
int targetmove(int, int current, int) { return current; }
int targetinfo() { return 0; }
bool look() { return true; }
bool shoot() { return true; }
bool throwitem() { return true; }
