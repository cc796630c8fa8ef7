#include "field/effects.h"

#include "core/catalog.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/rules.h"
#include "core/state.h"
#include "field/kill.h"

namespace {
const char* const statnames[NSTAT] = {N_("攻撃力"), N_("防御力"), N_("器用"), N_("魔力"),
                                      N_("速さ")};

// Every amount gets its own depth roll: deeper floors make every item stronger.
int scaled(int amount) { return amount * dice(2, depth, 10) / 10; }

void pchp(int amount)
{
    int d = scaled(amount);
    addclamped(pc.hp, d);  // an item may lift hp above the maximum
    if (d > 0) addmes(_("\nあなたは%d回復した"), d);
    if (d < 0) addmes(_("\nあなたは%dのダメージを受けた"), -d);
}

void pcmp(int amount)
{
    int d = scaled(amount);
    if (d > 0) {
        addmes(_("\nあなたはMPを%d回復した"), d);
        fillup(pc.mp, d, pc.maxmp);
    }
    if (d < 0) {
        addclamped(pc.mp, d);
        addmes(_("\nあなたは%dのMPを奪われた"), -d);
        if (pc.mp < 0) pc.mp = 0;
    }
}

// A change already running with at least as many turns left is kept.
void pcstat(const itemdata& it, int s)
{
    statview v = statof(pc, s);
    int turns = itemturns(it, s);
    if (*v.turn >= turns) return;
    int d = scaled(itemamount(it, s));
    if (d > 0) addmes(_("\nあなたの%sは%d上がった"), _(statnames[s]), d);
    if (d < 0) addmes(_("\nあなたの%sは%d下がった"), _(statnames[s]), -d);
    *v.cur = *v.base;
    addclamped(*v.cur, d);
    *v.turn = turns;
}

// The reverse of a level gained; the maxima never fall below what a character needs.
void leveldown()
{
    if (pc.lv <= 1) return;
    pc.lv--;
    addclamped(pc.maxhp, -dice(3, 5, 5));
    addclamped(pc.maxmp, -dice(3, 5, 5));
    for (int s = ATK; s <= MAG; s++) addclamped(*statof(pc, s).base, -dice(2, 3, 1));
    pc.exp = 0;
    if (pc.maxhp < 1) pc.maxhp = 1;
    if (pc.maxmp < 0) pc.maxmp = 0;
}

void npchp(int n, int amount)
{
    npcdata& c = npc[n];
    int d = scaled(amount);
    if (d > 0) {
        addmes(_("\n%sは%d回復した"), _(c.name), d);
        fillup(c.hp, d, c.maxhp);
        return;
    }
    c.hp += d;
    if (d < 0 && c.hp < 0) {
        addmes(_("\n%sは%dのダメージを受けて死んだ"), _(c.name), -d);
        kill(n, c.x, c.y);
    } else if (d < 0) {
        addmes(_("\n%sは%dのダメージを受けた"), _(c.name), -d);
    }
}

void npcmp(npcdata& c, int amount)
{
    int d = scaled(amount);
    if (d < 0) {
        c.mp += d;
        if (c.mp < 0) c.mp = 0;
        addmes(_("\n%sは%dのMPを奪われた"), _(c.name), -d);
    }
    if (d > 0) {
        addmes(_("\n%sは%dMPを回復した"), _(c.name), d);
        fillup(c.mp, d, c.maxmp);
    }
}

// Unlike the player's, a creature's stat is set afresh by any potion, even one that
// leaves it alone: a running change of it is undone.
void npcstat(npcdata& c, const itemdata& it, int s)
{
    statview v = statof(c, s);
    int d = scaled(itemamount(it, s));
    if (d < 0) addmes(_("\n%sの%sは%d下がった"), _(c.name), _(statnames[s]), -d);
    if (d > 0) addmes(_("\n%sの%sは%d上がった"), _(c.name), _(statnames[s]), d);
    *v.cur = *v.base + d;
    if (itemturns(it, s) != 0) *v.turn = itemturns(it, s);
}
}  // namespace

void useitem(int item)
{
    if (item < 0 || item >= NITEM) return;
    const itemdata& it = itemlist[item];
    pchp(it.hp);
    pcmp(it.mp);
    for (int s = 0; s < NSTAT; s++) pcstat(it, s);
    switch (item) {
    case SHORTTELEPORTSCROLL:
        shortteleport();
        addmes(_("\nあなたはショートテレポートの巻物を読んだ"));
        break;
    case TELEPORTSCROLL:
        teleport();
        addmes(_("\nあなたはテレポートの巻物を読んだ"));
        break;
    case RETURNSCROLL: tohouse = 10; break;
    case LEVELDOWNPOTION: leveldown(); break;
    default: break;
    }
}

// A creature already dead is past any potion: it must not be killed twice.
void useitemnpc(int slot, int n)
{
    int cap = maxinv < LISTSIZE ? maxinv : LISTSIZE;
    if (slot < 0 || slot >= cap || n < 0 || n >= numnpc || n >= MAXNPC) return;
    int item = inv[slot].kind;
    if (item < 0 || item >= NITEM || npc[n].hp < 0) return;
    const itemdata& it = itemlist[item];
    npchp(n, it.hp);
    npcmp(npc[n], it.mp);
    for (int s = 0; s < NSTAT; s++) npcstat(npc[n], it, s);
}
