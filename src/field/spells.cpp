// The effects wands and spells share. P.mag, the player's magic power this turn, sizes
// them all; below 2 the dice of P.mag/2 sides have none and add nothing.

#include "field/spells.h"

#include "core/harm.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/rules.h"
#include "core/state.h"
#include "field/askfirst.h"
#include "field/effects.h"
#include "field/occupant.h"
#include "field/strike.h"
#include "field/target.h"

namespace {
int pmag() { return now(pc, MAG); }

// Below 0 magic power no wand or spell works, so a raise lasts at least 5 turns.
int raiseturns() { return pmag() / 2 + 5; }

void heal(const spelleffect& e)
{
    int h = dice(e.dice, pmag() / 2, 0);
    fillup(pc.hp, h, pc.maxhp);
    addmes(_(e.text), h);
}

void mana(const spelleffect& e)
{
    fillup(pc.mp, dice(2, pmag() / 2, 5), pc.maxmp);
    addmes("%s", _(e.text));
}

// The stats a raise sets, each replaced whatever ran before.
void setraise(int stat, int d, int turns)
{
    statview v = statof(pc, stat);
    *v.cur = *v.base + d;
    *v.turn = turns;
}

void hero()
{
    int d = dice(2, pmag() / 2, 0);
    setraise(ATK, d, raiseturns());
    setraise(DEX, d, raiseturns());
    addmes(_("\nあなたの攻撃力・器用が%d上がった"), d);
}

void shield()
{
    int d = dice(2, pmag() / 2, 0);
    setraise(DEF, d, raiseturns());
    addmes(_("\nあなたの防御力が%d上がった"), d);
}

// The length is measured with the magic power just raised.
void sage()
{
    int d = dice(2, pmag() / 2, 0);
    setraise(MAG, d, 0);
    pc.magturn = raiseturns();
    addmes(_("\nあなたの魔力が%d上がった"), d);
}

void swift()
{
    int d = dice(3, pmag(), 10);
    setraise(SPD, d, raiseturns());
    addmes(_("\nあなたの速さが%d上がった"), d);
}

bool bolt(const spelleffect& e)
{
    int c = targetselect();
    if (c < 0 || !selfaimok()) return false;
    int d = dice(e.dice, pmag() / 2, 0);
    const boltwords& w = e.bolt;
    switch (c) {
    case TOCCUPIED:
        if (aimedatself()) {
            pc.hp -= d;
            hurtby(HSELFSPELL);
            addmes(_(w.self), d);
        } else if (int i = npcat(tx, ty); i >= 0) {
            hurtnpc(i, d, w.kill, w.hit);
        }
        break;
    case TFLOOR: addmes("%s", _(w.space)); break;
    case TWALL: addmes("%s", _(w.wall)); break;
    case TITEM: breakitems(tx, ty); break;
    default: break;
    }
    return true;
}

// Every creature standing on the cell takes its own roll; then whatever lies there,
// perhaps just uncovered by a kill, breaks.
void stormcell(int x, int y)
{
    int n = numnpc < MAXNPC ? numnpc : MAXNPC;
    if (map[y][x] == TOCCUPIED) {
        for (int i = 0; i < n; i++) {
            if (npc[i].hp < 0 || npc[i].x != x || npc[i].y != y) continue;
            hurtnpc(i, dice(5, pmag() / 2, 0), N_("\n%sに%dのダメージを与え殺した"),
                    N_("\n%sに%dのダメージを与えた"));
        }
    }
    if (map[y][x] == TITEM) breakitems(x, y);
}

// The 24 cells around the player, row by row; cells off the floor are passed over.
void storm()
{
    for (int y = pc.y - 2; y <= pc.y + 2; y++)
        for (int x = pc.x - 2; x <= pc.x + 2; x++)
            if (onmap(x, y) && !(x == pc.x && y == pc.y)) stormcell(x, y);
}
}  // namespace

bool applyeffect(const spelleffect& e)
{
    switch (e.kind) {
    case EBOLT: return bolt(e);
    case EHEAL: heal(e); break;
    case EMANA: mana(e); break;
    case ESHORTTELEPORT:
        shortteleport();
        addmes("%s", _(e.text));
        break;
    case ETELEPORT:
        teleport();
        addmes("%s", _(e.text));
        break;
    case ESTORM:
        addmes("%s", _(e.text));
        storm();
        break;
    case EHERO:
        addmes("%s", _(e.text));
        hero();
        break;
    case ESHIELD:
        addmes("%s", _(e.text));
        shield();
        break;
    case ESAGE:
        addmes("%s", _(e.text));
        sage();
        break;
    case ESWIFT:
        addmes("%s", _(e.text));
        swift();
        break;
    }
    return true;
}
