#include "field/npccast.h"

#include <cstdlib>

#include "core/catalog.h"
#include "core/creatures.h"
#include "core/harm.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/rules.h"
#include "core/state.h"
#include "field/effects.h"
#include "field/move.h"
#include "field/occupant.h"

namespace {
enum { LIGHTHEAL = 0, SHORTTELEPORT = 3, MAGICARROW = 5 };

// A third of the depth more entries every three floors; deep down all twelve are open.
int drawspell()
{
    int open = depth / 3 + 1;
    if (open > 12) open = 12;
    if (open < 1) open = 1;
    return npcmagic[std::rand() % open];
}

void lightheal(npcdata& c)
{
    int heal = dice(3, (c.magcur + c.magmod) / 2, 0);
    c.hp += heal;
    if (c.hp > c.maxhp) c.hp = c.maxhp;
    addmes(_("\n%sは軽傷治癒を詠唱し%d回復した"), _(c.name), heal);
}

// The caster stays where it is when no floor or stairs down turns up in the draws.
void npcshortteleport(npcdata& c)
{
    int nx, ny;
    if (shorthop(c.x, c.y, nx, ny)) {
        setterrain(c.x, c.y, c.under);
        c.x = nx;
        c.y = ny;
        c.under = map[ny][nx];
        map[ny][nx] = TOCCUPIED;
    }
    addmes(_("\n%sはショートテレポートを詠唱した"), _(c.name));
}

// Always hits, wherever the player stands within the caster's reach.
void magicarrow(const npcdata& c)
{
    int damage = dice(2, (c.magcur + c.magmod) / 2, 0);
    pc.hp -= damage;
    hurtby(HSPELL, c.name, magiclist[MAGICARROW].name);
    stopactivities();
    addmes(_("\n%sは魔法の矢を詠唱しあなたに%dのダメージを与えた"), _(c.name),
           damage);
}
}  // namespace

bool npccast(int i)
{
    npcdata& c = npc[i];
    int s = drawspell();
    const magicdata& spell = magiclist[s];
    if (c.mp < spell.mp) {
        addmes(_("\n%sは%sを詠唱しようとしたがMPが足りなかった"), _(c.name),
               _(spell.name));
        return false;
    }
    if (std::rand() % 100 >= trpcalc(c.magcur + c.magmod, spell.diff, 80)) {
        addmes(_("\n%sは%sの詠唱に失敗した"), _(c.name), _(spell.name));
        return false;
    }
    // casters know only these three; the others cost nothing and do nothing
    switch (s) {
    case LIGHTHEAL: c.mp -= spell.mp; lightheal(c); break;
    case SHORTTELEPORT: c.mp -= spell.mp; npcshortteleport(c); break;
    case MAGICARROW: c.mp -= spell.mp; magicarrow(c); break;
    default: break;
    }
    return true;
}
