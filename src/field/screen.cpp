#include "field/screen.h"
// placeholder until the field screen is built
void draw() {}
