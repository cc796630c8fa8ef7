#include "field/strike.h"

#include <cstdlib>

#include "core/lang.h"
#include "core/message.h"
#include "core/rules.h"
#include "field/kill.h"
#include "field/occupant.h"

bool selfhit() { return std::rand() % 100 <= 74; }

bool aimedhit(npcdata& c)
{
    return std::rand() % 100 < trpcalc(now(pc, DEX), now(c, DEX), 75);
}

void anger(npcdata& c)
{
    if (c.attitude != 0) return;
    c.attitude = -1;
    addmes(_("\n%sは怒った"), _(c.name));
}

void hurtnpc(int i, int d, const char* killtext, const char* hittext)
{
    npcdata& c = npc[i];
    c.hp -= d;
    if (c.hp < 0) {
        addmes(_(killtext), _(c.name), d);
        kill(i, c.x, c.y);
    } else {
        addmes(_(hittext), _(c.name), d);
        anger(c);
    }
}

void breakitems(int x, int y)
{
    for (int i = itemat(x, y); i >= 0; i = itemat(x, y)) {
        itemdata& it = itm[i];
        it.taken = 1;
        setterrain(x, y, it.under);
        addmes(_("\n地面の%sは割れた"), _(it.name));
    }
}
