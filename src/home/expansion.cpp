#include "core/console.h"
#include "core/lang.h"
#include "core/msglog.h"
#include "core/ui.h"
#include "home/homemenus.h"

namespace {
struct expansion {
    int* level;
    int factor;  // yen per level
    const char* done;
};

constexpr int TOPLEVEL = 32;

// A refusal that the message log keeps too.
void refuselogged(const char* line)
{
    logtext(line);
    refuse(line);
}
}  // namespace

void expand()
{
    static const expansion table[4] = {
        {&warehouselv, 1000, N_("倉庫を拡張した")},
        {&shoplv, 1000, N_("店を拡張した")},
        {&farmlv, 1000, N_("農園を拡張した")},
        {&townlv, 10000, N_("街を拡張した")},
    };
    cls();
    print("%s", _("何を拡張する？\n\na:倉庫\nb:店\nc:農園\nd:街\n\n"));
    int key = mygetch();
    if (key < 'a' || key > 'd') return;
    const expansion& x = table[key - 'a'];
    // every answer is shown until a key is pressed: the next home screen would wipe it
    if (*x.level >= TOPLEVEL) return refuselogged(_("これ以上拡張できない"));
    int price = *x.level * x.factor;
    print(_("%d円で拡張できる\n拡張する？\ny/n"), price);
    if (!yesno()) return;
    print("\n");
    if (price > money) return refuselogged(_("お金が足りない"));
    money -= price;
    ++*x.level;
    printlog("%s\n", _(x.done));
    waitkey();
}
