#include "trade/equip.h"

#include "core/catalog.h"
#include "core/console.h"
#include "core/lang.h"
#include "core/rules.h"
#include "core/ui.h"

namespace {
// What is worn of each equipment kind, in the order of equiplist; 0 = nothing.
constexpr int pcdata::*wornfield[NEQUIP] = {
    &pcdata::eqsword, &pcdata::eqarmor, &pcdata::eqgauntlet, &pcdata::eqhat, &pcdata::eqshoes,
};

int& worn(int kind) { return pc.*wornfield[kind]; }

// Puts on a piece from the bag; what was worn of its kind takes its place in the bag.
// Escape goes back to the first menu with nothing said.
void puton()
{
    cls();
    print("%s", _("どれを装備する？\n"));
    listbag(equipment, maxequip, EQUIPS, -1, _("%c:%s(性能%d)\n"));
    int key = mygetch();
    if (key == KEYESC) return;
    int i = alp2int(key);
    if (i >= maxequip || equipment[i].kind == -1) {
        refuse(_("それは装備できない"));
        return;
    }
    int& w = worn(equipment[i].kind);
    int old = w;
    w = equipment[i].count;
    if (old == 0) bagremove(equipment, maxequip, i);
    else equipment[i].count = old;
    waitkey();
}

// Takes off a worn piece into the first empty bag entry.
void takeoff()
{
    int e = bagempty(equipment, maxequip);
    if (e < 0) {
        refuse(_("装備品をこれ以上手に持てない"));
        return;
    }
    cls();
    print("%s", _("どれをはずす？\n"));
    // each kind keeps its own letter, shown or not
    for (int k = 0; k < NEQUIP; k++)
        if (worn(k) > 0) print(_("%c:%s(性能%d)\n"), alphabet[k], _(equiplist[k]), worn(k));
    int k = alp2int(mygetch());
    if (k >= NEQUIP) return;
    if (worn(k) > 0) {
        equipment[e] = {k, worn(k)};
        worn(k) = 0;
        print(_("%sをはずした\n"), _(equiplist[k]));
    } else {
        print(_("%sは装備していない\n"), _(equiplist[k]));
    }
    waitkey();
}
}  // namespace

void wearing()
{
    for (;;) {
        cls();
        print("%s", _("どうする？\n\na:装備する\nb:はずす\n"));
        int key = mygetch();
        if (key == KEYESC) return;
        if (key == 'a') puton();
        else if (key == 'b') takeoff();
    }
}
