// The expedition's turn: lay out the floor, show it, read a command and carry it out,
// then close the turn; until the player is home again or dead.

#include "field/dungeon.h"

#include "core/console.h"
#include "core/help.h"
#include "core/message.h"
#include "core/msglog.h"
#include "core/opts.h"
#include "field/askfirst.h"
#include "field/fieldcmd.h"
#include "field/floor.h"
#include "field/gather.h"
#include "field/magic.h"
#include "field/move.h"
#include "field/screen.h"
#include "field/target.h"
#include "core/death.h"
#include "trade/discard.h"
#include "trade/equip.h"

void overlay()
{
    for (int i = 0; i < numitem; i++) {
        const itemdata& it = itm[i];
        if (!it.taken && onmap(it.x, it.y)) mi[it.y][it.x] = {it.glyph, it.color};
    }
    for (int i = 0; i < numnpc; i++) {
        const npcdata& c = npc[i];
        if (c.hp >= 0 && onmap(c.x, c.y))
            mi[c.y][c.x] = {c.glyph, c.attitude == -1 ? CLIGHTRED : CLIGHTBLUE};
    }
    if (onmap(pc.x, pc.y)) mi[pc.y][pc.x] = {'@', CYELLOW};
}

namespace {
// A rest, a gathering or a meal runs by itself: no screen, no key.
bool busy() { return rest > 0 || gathering[2] > 0 || eat[1] > 0; }

// A step; one the player takes back at the assisted view's question passes no time.
bool step(int dx, int dy)
{
    if (!roughstepok(dx, dy)) return false;
    pcmove(dx, dy);
    return true;
}
}  // namespace

int keyprompt(bool fresh)
{
    if (!busy()) {
        tx = ty = 100;  // no cell highlighted
        if (fresh) drawturn();
        else draw();
    }
    clearmes();
    for (int s = 0; s < NSTAT; s++) *statof(pc, s).mod = 0;
    return busy() ? KEYENTER : vikey(mygetch());
}

bool fieldcommand(int key)
{
    switch (key) {
    case KEYUP: return step(0, -1);
    case KEYDOWN: return step(0, 1);
    case KEYLEFT: return step(-1, 0);
    case KEYRIGHT: return step(1, 0);
    case '>': stairsdown(); return true;
    case '<': stairsup(); return true;
    case 'g': pickup(); return true;
    case 'r': restcmd(); return true;
    case 'd': drop(); return true;
    case 'w': wearing(); return true;
    case 'F':
    case 'C':
    case 'D': gathercmd(key); return true;
    case 'T': return throwitem();
    case 'f': return shoot();
    case 't': return useitemcmd();
    case 'm': return castcmd();
    case '*': return look();
    case '?': help(); return false;
    case KEYLOG: showlog(); return false;
    case 'x':
    case KEYESC: quitcmd(); return false;
    default: return true;  // any other key lets the turn pass
    }
}

void fieldturn()
{
    overlay();
    for (bool fresh = true; !fieldcommand(keyprompt(fresh)); fresh = false) {
    }
    endturn();
    if (pc.hp < 0) dead();
}

void dungeon()
{
    depth = 1;
    createmap();
    while (depth > 0) fieldturn();
}
