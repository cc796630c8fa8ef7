#include "field/occupant.h"

#include "core/catalog.h"
#include "core/state.h"

int npcat(int x, int y)
{
    int n = numnpc < MAXNPC ? numnpc : MAXNPC;
    for (int i = 0; i < n; i++)
        if (npc[i].hp >= 0 && npc[i].x == x && npc[i].y == y) return i;
    return -1;
}

int itemat(int x, int y)
{
    int n = numitem < LISTSIZE ? numitem : LISTSIZE;
    for (int i = 0; i < n; i++)
        if (!itm[i].taken && itm[i].x == x && itm[i].y == y) return i;
    return -1;
}

void setterrain(int x, int y, int code)
{
    if (!onmap(x, y)) return;
    map[y][x] = code;
    mi[y][x] = chip[code];
}

bool walkable(int code)
{
    switch (code) {
    case TFLOOR:
    case TDOWN:
    case TUP:
    case TROUGH:
    case TROUGH2:
    case TITEM: return true;
    default: return false;
    }
}
