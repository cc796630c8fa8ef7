#include "trade/townshop.h"

#include <algorithm>
#include <cstdlib>

#include "core/catalog.h"
#include "core/console.h"
#include "core/lang.h"
#include "core/rules.h"
#include "core/ui.h"

namespace {
// The town level as a divisor: a world not yet set up still rolls a stock.
int towntop() { return townlv < 1 ? 1 : townlv; }

// An item kind that the shop stocks, weighted by 1/rare; dishes (rare 0) never come.
int rollitemkind()
{
    for (;;) {
        int k = std::rand() % NITEM;
        int rare = itemlist[k].rare;
        if (rare != 0 && std::rand() % rare == 0) return k;
    }
}

// An equipment kind and a performance 1..townlv weighted by 1/performance.
slot rollequip()
{
    for (;;) {
        int kind = std::rand() % NEQUIP;
        int p = std::rand() % towntop() + 1;
        if (std::rand() % p == 0) return {kind, p};
    }
}

long long itemprice(int kind) { return 2LL * itemlist[kind].price; }
long long wandprice(const slot& s) { return itemprice(s.kind) * (s.count + 10LL); }
long long equipprice(int performance) { return 700LL * performance; }

void header() { print(_("何を買う？\t所持金:%d円\n\n"), money); }

void showitems()
{
    cls();
    header();
    for (int i = 0; i < townlv; i++) {
        const slot& s = itemnpcshop[i];
        if (s.kind == -1) continue;
        const char* name = _(itemlist[s.kind].name);
        if (iswand(s.kind))
            print(_("%c:%s(残り%d回)\t%lld円\n"), alphabet[i], name, s.count, wandprice(s));
        else
            print(_("%c:%s x%d\t%lld円\n"), alphabet[i], name, s.count, itemprice(s.kind));
    }
}

// A wand takes an empty bag entry of its own and leaves the shop.
void buywand(slot& s)
{
    int e = bagempty(inv, maxinv);
    if (e < 0) return refuse(_("これ以上持てない"));
    if (wandprice(s) > money) return refuse(_("お金が足りない"));
    money -= static_cast<int>(wandprice(s));
    inv[e] = s;
    s.kind = -1;
}

// Some or all of an item's stock, as many as the player types and the bag's stack can
// still count; 0 or no number buys nothing.
void buystock(slot& s)
{
    int room = bagroom(inv, maxinv, s.kind);
    if (room == 0) return refuse(_("これ以上持てない"));
    print("%s", _("いくつ買う？"));
    int n = asknumber();
    if (n <= 0) return;
    int bought = std::min({n, s.count, room});
    bool whole = bought == s.count;
    long long cost = itemprice(s.kind) * bought;
    if (cost > money) return refuse(_("お金が足りない"));
    money -= static_cast<int>(cost);
    bagput(inv, maxinv, s.kind, bought);
    s.count -= bought;
    if (whole) print(_("%sを全部買った\n"), _(itemlist[s.kind].name));
    else print(_("%sを%d個買った\n"), _(itemlist[s.kind].name), bought);
    waitkey();
}

void buyitems()
{
    for (;;) {
        showitems();
        int key = mygetch();
        if (key == KEYESC) return;
        int i = alp2int(key);
        if (i >= townlv || itemnpcshop[i].kind == -1 || itemnpcshop[i].count == 0) {
            refuse(_("それは買えない"));
            continue;
        }
        if (iswand(itemnpcshop[i].kind)) buywand(itemnpcshop[i]);
        else buystock(itemnpcshop[i]);
    }
}

// The result line of one equipment choice, or null when the piece was bought.
const char* buyequip(int j, int e)
{
    if (j >= townlv || equipnpcshop[j].kind == -1) return N_("それは買えない");
    slot& s = equipnpcshop[j];
    if (equipprice(s.count) > money) return N_("お金が足りない");
    money -= static_cast<int>(equipprice(s.count));
    equipment[e] = s;
    s.kind = -1;
    return nullptr;
}

void buyequips()
{
    for (;;) {
        int e = bagempty(equipment, maxequip);
        if (e < 0) return refuse(_("これ以上買えない"));
        cls();
        header();
        for (int j = 0; j < townlv; j++) {
            const slot& s = equipnpcshop[j];
            if (s.kind != -1)
                print(_("%c:%s(性能%d)\t%lld円\n"), alphabet[j], _(equiplist[s.kind]), s.count,
                      equipprice(s.count));
        }
        int key = mygetch();
        if (key == KEYESC) return;
        if (const char* line = buyequip(alp2int(key), e)) print("%s\n", _(line));
        waitkey();
    }
}
}  // namespace

void tonpcshop()
{
    for (int i = 0; i < LISTSIZE; i++) {
        int k = rollitemkind();
        int count = dice(1, trpcalc(townlv, itemlist[k].rare, 5) + 1, 0);
        itemnpcshop[i] = {k, count};
        equipnpcshop[i] = rollequip();
    }
}

void buy()
{
    cls();
    header();
    print("%s", _("a:アイテム\nb:装備品\n"));
    int key = mygetch();
    if (key == 'a') buyitems();
    else if (key == 'b') buyequips();
}
