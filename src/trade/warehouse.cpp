#include "trade/warehouse.h"

#include <algorithm>

#include "core/catalog.h"
#include "core/console.h"
#include "core/lang.h"
#include "core/msglog.h"
#include "core/rules.h"
#include "core/text.h"
#include "core/ui.h"

namespace {
// One way goods travel, bag to warehouse or back, with the words of that way.
struct way {
    slot* from;
    int fromcap;
    slot* to;
    int tocap;
    bagof what;
    bool wandsalone;      // a wand takes a place of its own (only when storing)
    const char* title;
    const char* full;     // no place or entry to receive it
    const char* ask;      // "%s" the name
    const char* some;     // "%s" the name, "%d" how many
    const char* whole;    // "%s" the name
};

constexpr const char* storetitle = N_("何を保管する？\n");
constexpr const char* taketitle = N_("何を取り出す？\n");
constexpr const char* storefull = N_("これ以上入らない");
constexpr const char* takefull = N_("これ以上持てない");

way storing(slot* bag, int cap, slot* place, bagof what)
{
    return {bag, cap, place, warehouselv, what, what == ITEMS, storetitle, storefull,
            N_("%sをいくつ保管する？\n"), N_("%sを%d個保管した\n"), N_("%sを全部保管した\n")};
}

way taking(slot* place, slot* bag, int cap, bagof what)
{
    return {place, warehouselv, bag, cap, what, false, taketitle, takefull,
            N_("%sをいくつ取り出す？\n"), N_("%sを%d個取り出した\n"), N_("%sを全部取り出した\n")};
}

// A wand keeps its charges whole in an empty place of its own.
void storewand(int i)
{
    int p = bagempty(warehouseitm, warehouselv);
    if (p < 0) {
        refuse(_(storefull));
        return;
    }
    warehouseitm[p] = inv[i];
    // the menu is drawn again at once, so this line is only a flash
    printlog(_("%s(残り%d回)を保管した\n"), _(itemlist[inv[i].kind].name), inv[i].count);
    bagremove(inv, maxinv, i);
}

// Moves a typed number of entry i along the way; a number above what the entry holds,
// or above what the receiving stack can still count, moves only that much. A prompt left
// (Escape, an empty line) moves nothing and goes back to the menu, as a list left does.
void movestack(const way& w, int i)
{
    int kind = w.from[i].kind, have = w.from[i].count;
    const char* name = _(bagname(w.what, kind));
    int room = bagroom(w.to, w.tocap, kind);
    if (room == 0) {
        refuse(_(w.full));
        return;
    }
    char question[LINESIZE];
    format(question, sizeof question, _(w.ask), name);
    int n = std::min(askcount(question), room);
    if (n == 0) return;
    if (n < have) print(_(w.some), name, n);
    else print(_(w.whole), name);
    n = std::min(n, have);
    bagconsume(w.from, w.fromcap, i, n);
    bagput(w.to, w.tocap, kind, n);
    waitkey();
}

// Lists the giving side, reads a letter and moves what it names; gives the key read.
int transfer(const way& w)
{
    print("%s", _(w.title));
    listbag(w.from, w.fromcap, w.what, -1, "%c:%s x%d\n",
            w.wandsalone ? _("%c:%s(残り%d回)\n") : nullptr);
    int key = mygetch();
    int i = alp2int(key);
    if (i >= w.fromcap || w.from[i].kind == -1) return key;
    if (w.wandsalone && iswand(w.from[i].kind)) storewand(i);
    else movestack(w, i);
    return key;
}
}  // namespace

void warehouseio()
{
    // a 'q' read in a list ends the screen too, once that list is done; Escape there only
    // leaves the list, and on the menu leaves as 'q' does
    int key;
    do {
        cls();
        print("%s", _("どうする？\n\na:アイテムの保管\nb:アイテムの取り出し\nc:素材の保管\n"
                      "d:素材の取り出し\nq:家に帰る\n"));
        key = mygetch();
        if (key == KEYESC) key = 'q';
        cls();
        switch (key) {
        case 'a': key = transfer(storing(inv, maxinv, warehouseitm, ITEMS)); break;
        case 'b': key = transfer(taking(warehouseitm, inv, maxinv, ITEMS)); break;
        case 'c': key = transfer(storing(mat, maxmat, warehousemat, MATERIALS)); break;
        case 'd': key = transfer(taking(warehousemat, mat, maxmat, MATERIALS)); break;
        }
    } while (key != 'q');
}
