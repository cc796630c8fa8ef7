#include "trade/discard.h"

#include "core/catalog.h"
#include "core/console.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/rules.h"
#include "core/ui.h"

namespace {
// One of the three bags, as the discard screen sees it.
struct bagview {
    slot* bag;
    int cap;
    bagof what;
};

// The bag a key of the first menu names; false for any other key.
bool choosebag(int key, bagview& v)
{
    switch (key) {
    case 'a': v = {inv, maxinv, ITEMS}; return true;
    case 'b': v = {equipment, maxequip, EQUIPS}; return true;
    case 'c': v = {mat, maxmat, MATERIALS}; return true;
    default: return false;
    }
}

// Wands and equipment go whole, after a y/n.
void dropwhole(const bagview& v, int i)
{
    const char* name = _(bagname(v.what, v.bag[i].kind));
    print(_("%sを捨てる？\ny/n"), name);
    if (!yesno()) return;
    addmes(_("\n%sを捨てた"), name);
    bagremove(v.bag, v.cap, i);
}

// Anything counted goes by a typed number; a number above the count takes the lot.
void dropsome(const bagview& v, int i)
{
    const char* name = _(bagname(v.what, v.bag[i].kind));
    print(_("%sをいくつ捨てる？\n"), name);
    int n = asknumber();
    if (n <= 0) return;
    if (n < v.bag[i].count) addmes(_("\n%sを%d個捨てた"), name, n);
    else addmes(_("\n%sを全部捨てた"), name);
    bagconsume(v.bag, v.cap, i, n);
}
}  // namespace

void drop()
{
    for (;;) {
        cls();
        print("%s", _("何を捨てる？\na:アイテム\nb:装備品\nc:素材\nESC:やっぱりやめる\n"));
        bagview v;
        if (!choosebag(mygetch(), v)) return;
        print("%s", _("どれを捨てる？\n"));
        listbag(v.bag, v.cap, v.what);
        int key = mygetch();
        if (key == KEYESC) return;
        int i = alp2int(key);
        if (i >= v.cap || v.bag[i].kind == -1) {
            refuse(_("そんなアイテムは存在しない"));
            continue;
        }
        if (v.what == EQUIPS || (v.what == ITEMS && iswand(v.bag[i].kind))) dropwhole(v, i);
        else dropsome(v, i);
        return;
    }
}
