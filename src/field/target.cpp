// The targeting cursor: it starts on the player, moves a cell per arrow key within the
// reach, and tells what lies under it after every key.

#include "field/target.h"

#include "core/console.h"
#include "core/message.h"
#include "core/state.h"
#include "field/occupant.h"
#include "field/screen.h"

namespace {
constexpr int REACH = 5;  // cells from the player on each axis
static_assert(MAPW == MAPH, "the cursor keeps one bound for both axes");
}  // namespace

int targetmove(int base, int current, int step)
{
    int n = current + step;
    clearmes();
    if (n < 0 || n >= MAPW) {
        appendmes("マップ範囲外");
        return current;
    }
    if (n < base - REACH || n > base + REACH) {
        appendmes("射程範囲外");
        return current;
    }
    return n;
}

int targetinfo()
{
    int c = cell(tx, ty);
    if (tx == pc.x && ty == pc.y) {
        addmes("\nそこにはあなたがいる");
        return c;
    }
    switch (c) {
    case TWALL: addmes("\nそこには壁がある"); break;
    case TDOWN: addmes("\nそこには下り階段がある"); break;
    case TUP: addmes("\nそこには上り階段がある"); break;
    case TMETAL: addmes("\nそこには金属の鉱床がある"); break;
    case TGEM: addmes("\nそこには宝石の鉱床がある"); break;
    case TTREE: addmes("\nそこには木がある"); break;
    case TOCCUPIED: {
        int i = npcat(tx, ty);
        if (i >= 0) addmes("\nそこには%sがいる", npc[i].name);
        break;
    }
    case TITEM: {
        int i = itemat(tx, ty);
        if (i >= 0) addmes("\nそこには%sがある", itm[i].name);
        break;
    }
    default: break;
    }
    return c;
}

int targetselect()
{
    tx = pc.x;
    ty = pc.y;
    for (;;) {
        draw();
        int key = mygetch();
        switch (key) {
        case KEYESC:
        case 'q': return -1;
        case KEYUP: ty = targetmove(pc.y, ty, -1); break;
        case KEYDOWN: ty = targetmove(pc.y, ty, 1); break;
        case KEYLEFT: tx = targetmove(pc.x, tx, -1); break;
        case KEYRIGHT: tx = targetmove(pc.x, tx, 1); break;
        default: break;
        }
        int code = targetinfo();
        if (key == KEYENTER || key == 't') return code;
    }
}

bool look()
{
    targetselect();
    return false;
}
