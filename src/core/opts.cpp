#include "core/opts.h"

#include "core/console.h"

optdata opts;

int vikey(int key)
{
    if (!opts.vikeys) return key;
    switch (key) {
    case 'h': return KEYLEFT;
    case 'j': return KEYDOWN;
    case 'k': return KEYUP;
    case 'l': return KEYRIGHT;
    default: return key;
    }
}
