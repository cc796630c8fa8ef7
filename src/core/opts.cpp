#include "core/opts.h"

#include "core/console.h"

optdata opts;

tile viewtile(int code, tile t)
{
    if (!opts.assist) return t;
    if (code == TROUGH) t.glyph = ':';
    else if (code == TROUGH2) t.glyph = '=';
    else if (code == TITEM && t.glyph == '.') t.glyph = '"';
    return t;
}

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
