#include "core/catalog.h"
#include "core/console.h"
#include "core/lang.h"
#include "core/rulenumbers.h"
#include "core/rules.h"
#include "core/ui.h"
#include "home/homemenus.h"

void eatmenu()
{
    print("%s", _("何を食べる？\n"));
    listbag(inv, maxinv, ITEMS, IFOOD);
    int key = mygetch();
    if (key == KEYESC) return;  // leaves the list; the pass takes its action all the same
    int i = alp2int(key);
    if (i >= maxinv || inv[i].kind == -1 || itemlist[inv[i].kind].kind != IFOOD)
        return refuse(_("それは食べ物ではない"));
    eat[0] = i;
    eat[1] = MEALSTEPS;
}

void mealstep()
{
    if (eat[1] <= 0) return;
    if (--eat[1] > 0) return;
    int i = eat[0];
    // a meal begun elsewhere may find its food gone; then it ends without a bite
    if (i < 0 || i >= maxinv || inv[i].kind == -1) return;
    const char* name = _(itemlist[inv[i].kind].name);
    addclamped(pc.full, MEALFULL);  // at home a full stomach has no upper limit
    itemconsume(i, 1);
    print(_("あなたは%sを食べ終えた\n"), name);
    waitkey();
}
