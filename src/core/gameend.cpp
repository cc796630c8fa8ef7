#include "core/gameend.h"

void gameend(int status) { throw GameEnd{status}; }
