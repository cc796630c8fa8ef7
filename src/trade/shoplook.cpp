// A look at what the own shop has on offer, from the sell menu. Nothing changes and no time
// passes.

#include "core/catalog.h"
#include "core/console.h"
#include "core/lang.h"
#include "core/pager.h"
#include "core/text.h"
#include "trade/myshop.h"

namespace {
int places() { return shoplv < LISTSIZE ? shoplv : LISTSIZE; }

int onoffer(const shopentry* list)
{
    int n = 0;
    while (n < places() && list[n].kind != -1) n++;
    return n;
}

// One entry: the name, how many (a wand's charges, a piece of equipment's performance) and
// the asking price.
void entryline(pagelines& w, const char* name, const char* countfmt, int count, int price)
{
    char many[32];
    format(many, sizeof many, countfmt, count);
    w.put(CWHITE, "  ");
    w.cell(CWHITE, name, 26);
    w.cell(CWHITE, many, 12);
    w.put(CWHITE, _("%10d円"), price);
    w.end();
}

void offer(pagelines& w)
{
    w.put(CWHITE, "  ");
    w.cell(CWHITE, _("名前"), 26);
    w.cell(CWHITE, P_("店の品", "数"), 12);
    w.put(CWHITE, "%s", _("    値段(1つ)"));
    w.end();
    w.put(CYELLOW, "%s", _("【アイテム】"));
    w.end();
    for (int i = 0; i < onoffer(itemmyshop); i++) {
        const shopentry& e = itemmyshop[i];
        entryline(w, _(itemlist[e.kind].name), iswand(e.kind) ? _("残り%d回") : "x%d", e.count,
                  e.price);
    }
    if (onoffer(itemmyshop) == 0) w.line("%s", _("  (何も並んでいない)"));
    w.put(CYELLOW, "%s", _("【装備品】"));
    w.end();
    for (int i = 0; i < onoffer(equipmyshop); i++) {
        const shopentry& e = equipmyshop[i];
        entryline(w, _(equiplist[e.kind]), _("性能%d"), e.count, e.price);
    }
    if (onoffer(equipmyshop) == 0) w.line("%s", _("  (何も並んでいない)"));
}

class shopsource : public writtensource {
public:
    void write(pagelines& w) const override { offer(w); }
    void head() const override
    {
        print(_("あなたの店に並んでいる品 (店Lv%d: アイテム%d/%d 装備品%d/%d)"), shoplv,
              onoffer(itemmyshop), places(), onoffer(equipmyshop), places());
    }
    const char* keys() const override
    {
        return _("[上下・PgUp・PgDn・スペース]送る [ESC・q]戻る");
    }
};
}  // namespace

void lookmyshop()
{
    shopsource src;
    int top = 0;
    while (!leavespager(pager(src, top))) {
    }
}
