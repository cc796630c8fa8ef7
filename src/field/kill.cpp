#include "field/kill.h"
// placeholder until kills are built
void kill(int, int, int) {}
