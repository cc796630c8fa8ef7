// The targeting cursor: it starts on the player, moves a cell per arrow key within the
// reach, and tells what lies under it after every key.

#include "field/target.h"

#include <cstdlib>

#include "core/console.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/opts.h"
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
        appendmes(_("マップ範囲外"));
        return current;
    }
    if (n < base - REACH || n > base + REACH) {
        appendmes(_("射程範囲外"));
        return current;
    }
    return n;
}

namespace {
constexpr int KEYTAB = 9;

// The grounds the written look passes over, named in the assisted view.
void assistinfo(int code)
{
    switch (code) {
    case TFLOOR: addmes(_("\nそこには床がある")); break;
    case TROUGH:
    case TROUGH2: addmes(_("\nそこには荒れ地がある(歩くと遅くなる)")); break;
    case TWATER: addmes(_("\nそこには水場がある")); break;
    default: break;
    }
}

bool inreach(const npcdata& c)
{
    int dx = c.x - pc.x, dy = c.y - pc.y;
    return c.hp >= 0 && onmap(c.x, c.y) && (dx || dy) && std::abs(dx) <= REACH &&
           std::abs(dy) <= REACH;
}

// Where creature i comes in Tab's round: hostile ones first, then by distance, then by index.
int tabrank(int i)
{
    const npcdata& c = npc[i];
    int dx = c.x - pc.x, dy = c.y - pc.y;
    return ((c.attitude == -1 ? 0 : 1000) + dx * dx + dy * dy) * MAXNPC + i;
}

// Tab in the assisted view: the cursor goes to the nearest creature within reach, and on
// each further Tab to the next one, round again after the last.
void tabjump()
{
    int here = npcat(tx, ty);
    int now = here >= 0 && inreach(npc[here]) ? tabrank(here) : -1;
    int next = -1, first = -1;
    for (int i = 0; i < numnpc && i < MAXNPC; i++) {
        if (!inreach(npc[i])) continue;
        int r = tabrank(i);
        if (first < 0 || r < tabrank(first)) first = i;
        if (r > now && (next < 0 || r < tabrank(next))) next = i;
    }
    clearmes();
    if (next < 0) next = first;
    if (next < 0) {
        appendmes(_("射程内に生き物はいない"));
        return;
    }
    tx = npc[next].x;
    ty = npc[next].y;
}
}  // namespace

int targetinfo()
{
    int c = cell(tx, ty);
    if (tx == pc.x && ty == pc.y) {
        addmes(_("\nそこにはあなたがいる"));
        return c;
    }
    switch (c) {
    case TWALL: addmes(_("\nそこには壁がある")); break;
    case TDOWN: addmes(_("\nそこには下り階段がある")); break;
    case TUP: addmes(_("\nそこには上り階段がある")); break;
    case TMETAL: addmes(_("\nそこには金属の鉱床がある")); break;
    case TGEM: addmes(_("\nそこには宝石の鉱床がある")); break;
    case TTREE: addmes(_("\nそこには木がある")); break;
    case TOCCUPIED: {
        int i = npcat(tx, ty);
        if (i >= 0 && opts.assist && npc[i].attitude == 0)
            addmes(_("\nそこには%s(友好・撃つと怒る)がいる"), _(npc[i].name));
        else if (i >= 0)
            addmes(_("\nそこには%sがいる"), _(npc[i].name));
        break;
    }
    case TITEM: {
        int i = itemat(tx, ty);
        if (i >= 0) addmes(_("\nそこには%sがある"), _(itm[i].name));
        break;
    }
    default:
        if (opts.assist) assistinfo(c);
        break;
    }
    return c;
}

int targetselect()
{
    tx = pc.x;
    ty = pc.y;
    for (;;) {
        drawaim();
        int key = vikey(mygetch());
        if (key == KEYTAB && opts.assist) tabjump();
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
