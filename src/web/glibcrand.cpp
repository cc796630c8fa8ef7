// rand() and srand() drawing as the terminal game's C library does (glibcrandom.h), in
// place of the browser's C library's own.

#include <cstdlib>

#include "glibcrandom.h"

namespace {
glibcrandom drawer;
}

extern "C" {
int rand(void) { return drawer.next(); }
void srand(unsigned seed) { drawer.seed(seed); }
}
