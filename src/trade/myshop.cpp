#include "trade/myshop.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "core/catalog.h"
#include "core/console.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/rulenumbers.h"
#include "core/rules.h"
#include "core/text.h"
#include "core/ui.h"

namespace {
int places() { return shoplv < LISTSIZE ? shoplv : LISTSIZE; }

// The first free place of the shop list, or the first offering kind when kind >= 0,
// whichever comes first; -1 when the shop is full.
int shopplace(const shopentry* list, int kind = -1)
{
    for (int i = 0; i < places(); i++)
        if (list[i].kind == -1 || (kind >= 0 && list[i].kind == kind)) return i;
    return -1;
}

int shopused(const shopentry* list)
{
    int n = 0;
    while (n < places() && list[n].kind != -1) n++;
    return n;
}

// A sold entry leaves the list; the ones behind it move up.
void shopremove(shopentry* list, int k)
{
    int used = shopused(list);
    for (int i = k; i < used - 1; i++) list[i] = list[i + 1];
    if (used > 0) list[used - 1].kind = -1;
}

// In long long: a wand may hold charges to the top of an int.
long long fairwand(const slot& s) { return itemlist[s.kind].price * (s.count + 10LL); }

// A wand goes out whole, at one price, into a free place of its own.
void putwand(int i)
{
    int e = shopplace(itemmyshop);
    if (e < 0) return refuse(_("これ以上置けない"));
    cls();
    print(_("いくらで売る？ (適正価格%lld円)\n"), fairwand(inv[i]));
    int price = asknumber();
    if (price <= 0) return;
    print(_("あなたは%sを%d円で売りに出した\n"), _(itemlist[inv[i].kind].name), price);
    itemmyshop[e] = {inv[i].kind, inv[i].count, price};
    bagremove(inv, maxinv, i);
    waitkey();
}

// Pieces of an item go out; a kind already on offer keeps its price and only grows, up
// to what its count can hold.
void putstock(int i)
{
    slot s = inv[i];
    const char* name = _(itemlist[s.kind].name);
    int e = shopplace(itemmyshop, s.kind);
    int room = e < 0 ? 0 : itemmyshop[e].kind == -1 ? INT_MAX : INT_MAX - itemmyshop[e].count;
    if (room == 0) return refuse(_("これ以上置けない"));
    cls();
    print(_("%sをいくつ売る？\n"), name);
    int n = asknumber();
    if (n <= 0) return;
    int pieces = std::min({n, s.count, room});
    bool whole = pieces == s.count;
    shopentry& entry = itemmyshop[e];
    if (entry.kind == -1) {
        print(_("いくらで売る？ (適正価格%d円)\n"), itemlist[s.kind].price);
        int price = asknumber();
        if (price <= 0) return;
        if (whole) print(_("あなたは%sを%d円で全部売りに出した\n"), name, price);
        else print(_("あなたは%sを%d円で%d個売りに出した\n"), name, price, pieces);
        entry = {s.kind, pieces, price};
    } else {
        if (whole) print(_("あなたは%sを全部売りに出した\n"), name);
        else print(_("あなたは%sを%d個売りに出した\n"), name, pieces);
        entry.count += pieces;
    }
    itemconsume(i, pieces);
    waitkey();
}

void putitems()
{
    for (;;) {
        cls();
        print("%s", _("何を売る？\n"));
        listbag(inv, maxinv, ITEMS);
        print("%s", _("\nESCで終了\n"));
        int key = mygetch();
        if (key == KEYESC) return;
        int i = alp2int(key);
        if (i >= maxinv || inv[i].kind == -1) continue;
        if (iswand(inv[i].kind)) putwand(i);
        else putstock(i);
    }
}

// A piece of equipment goes out at a price above 0; the question is asked until one comes
// or the player leaves it.
void putequip(int i)
{
    int e = shopplace(equipmyshop);
    if (e < 0) return refuse(_("これ以上置けない"));
    const slot s = equipment[i];
    char question[LINESIZE];
    format(question, sizeof question, _("%sをいくらで売る？ (適正価格%lld円)\n"),
           _(equiplist[s.kind]), 500LL * s.count);
    int price = askcount(question);
    if (price == 0) return;  // left: nothing goes out
    print(_("%sを%d円で売りに出した\n"), _(equiplist[s.kind]), price);
    equipmyshop[e] = {s.kind, s.count, price};
    bagremove(equipment, maxequip, i);
    waitkey();
}

void putequips()
{
    for (;;) {
        cls();
        print("%s", _("何を売る？\n"));
        listbag(equipment, maxequip, EQUIPS, -1, _("%c:%s(品質%d)\n"));
        print("%s", _("\nESCで終了"));
        int key = mygetch();
        if (key == KEYESC) return;
        int i = alp2int(key);
        if (i < maxequip && equipment[i].kind != -1) putequip(i);
    }
}

// ---------------------------------------------------------------- the day's trade

struct takings {
    long long income = 0;
    int equips = 0;
    int items = 0;
};

int clampint(long long v) { return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v); }

// The asking price against the fair one, in percent; the chance bound t of the customer
// and the chance c drawn from it. A bound of 0 draws nothing: that customer does not buy.
int equipchance(const shopentry& e, int level)
{
    int performance = e.count < 1 ? 1 : e.count;
    int x = clampint(e.price / (5LL * performance));
    return dice(1, trpcalc(level + 100, x, 10), 0);
}

int itemchance(const shopentry& e, int level)
{
    long long fair = itemlist[e.kind].price;
    if (iswand(e.kind)) {
        int x = clampint(e.price * 100LL / (fair * (e.count + 10LL)));
        return dice(1, trpcalc(level * 100, x, 10), 0);
    }
    int x = clampint(e.price * 100LL / fair);
    return dice(1, trpcalc(level + 100, x, 10) + 1, 0);
}

// One customer: picks an entry of one list, and perhaps buys.
void customer(int level, takings& t)
{
    bool wantsequip = std::rand() % 10 < EQUIPCUSTOMERS;
    shopentry* list = wantsequip ? equipmyshop : itemmyshop;
    int j = shopused(list);
    if (j == 0) return;  // nothing on offer for this customer
    int k = std::rand() % j;
    int roll = std::rand() % 100;
    shopentry& e = list[k];
    int chance = wantsequip ? equipchance(e, level) : itemchance(e, level);
    if (roll >= chance) return;
    if (wantsequip || iswand(e.kind)) {
        t.income += e.price;
        (wantsequip ? t.equips : t.items)++;
        shopremove(list, k);
        return;
    }
    int pieces = dice(1, e.count, 0);
    t.income += static_cast<long long>(pieces) * e.price;
    t.items++;
    e.count -= pieces;
    if (e.count <= 0) shopremove(list, k);
}
}  // namespace

int tomyshop(int mode)
{
    if (mode == 0) putitems();
    else if (mode == 1) putequips();
    return 0;
}

void sell()
{
    int level = skl[2 * SKTRADE];
    takings t;
    int customers = dice(1, level, 0);
    for (int c = 0; c < customers; c++) customer(level, t);
    // money is an int: a fortune beyond it stops at its top rather than wrapping round
    money = clampint(money + t.income);
    if (t.income == 0)
        addmes("%s", _("\nあなたの店では何も売れなかった"));
    else
        addmes(_("\nあなたの店は%d個の装備品と%d個のアイテムを売り%lld円の収益を出した"), t.equips,
               t.items, t.income);
}
