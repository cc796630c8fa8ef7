#include "soundness.h"

#include "core/catalog.h"
#include "core/state.h"
#include "fieldcheck.h"

namespace {
// A faults list: each fault named once, so a broken bag of 32 slots is one line.
struct faults {
    std::string text;
    void add(const std::string& what)
    {
        if (text.find(what) == std::string::npos) text += what + "; ";
    }
};

bool kindok(int kind, int kinds) { return kind == -1 || (kind >= 0 && kind < kinds); }

// How few an entry of a list may count: a spent wand is kept with no charge left.
int fewest(int kinds, int kind) { return kinds == NITEM && iswand(kind) ? 0 : 1; }

// A bag or list: used entries first, none at or beyond cap, each of a known kind and with
// a positive count where counts must be positive.
template <class T>
void checklist(faults& f, const char* name, const T* list, int cap, int kinds, bool positive)
{
    if (cap < 0 || cap > LISTSIZE) {
        f.add(std::string(name) + " capacity out of range");
        return;
    }
    bool gap = false;
    for (int i = 0; i < LISTSIZE; i++) {
        const T& e = list[i];
        if (!kindok(e.kind, kinds)) f.add(std::string(name) + " holds an unknown kind");
        if (e.kind == -1) {
            gap = true;
            continue;
        }
        if (i >= cap) f.add(std::string(name) + " has a used entry beyond its capacity");
        else if (gap) f.add(std::string(name) + " is not closed up");
        if constexpr (requires { e.count; })
            if (positive && e.count < fewest(kinds, e.kind))
                f.add(std::string(name) + " has a used entry counting too few");
    }
}

void checklevels(faults& f)
{
    const struct {
        const char* name;
        int lv;
    } levels[] = {{"warehouselv", warehouselv}, {"shoplv", shoplv}, {"farmlv", farmlv},
                  {"townlv", townlv},           {"maxinv", maxinv}, {"maxmat", maxmat},
                  {"maxequip", maxequip}};
    for (const auto& l : levels)
        if (l.lv < 1 || l.lv > LISTSIZE) f.add(std::string(l.name) + " out of 1..32");
}

void checkcalendar(faults& f)
{
    if (year < 0 || month < 0 || month > 11 || day < 0 || day > 29 || hour < 0 || hour > 23 ||
        min < 0 || min > 5999)
        f.add("calendar out of range");
}

void checkplayer(faults& f)
{
    if (pc.full < 0) f.add("full below 0");
    if (money < 0) f.add("money below 0");
    if (pc.lv < 1) f.add("level below 1");
    bool end = false, known[NMAGIC] = {};
    for (int m : pc.magic) {
        if (m == -1) end = true;
        else if (end || m < 0 || m >= NMAGIC || known[m]) f.add("spell list broken");
        else known[m] = true;
    }
    if (eat[1] > 0 && (eat[0] < 0 || eat[0] >= maxinv || inv[eat[0]].kind < 0 ||
                       itemlist[inv[eat[0]].kind].kind != IFOOD))
        f.add("a meal of no food");
    if (arrow < 0) f.add("arrows below 0");
    for (int s = 0; s < 8; s++)
        if (skl[2 * s] < 1) f.add("skill level below 1");
}

void checkfloor(faults& f)
{
    if (numnpc < 0 || numnpc > MAXNPC || numitem < 0 || numitem > LISTSIZE) {
        f.add("creature or item count out of range");
        return;
    }
    if (pc.under == TOCCUPIED) f.add("the player stands on a creature's mark");
    for (int i = 0; i < numnpc; i++)
        if (npc[i].hp >= 0 && npc[i].under == TOCCUPIED) f.add("a creature stands on a creature's mark");
    if (gathering[2] > 0 && !onmap(gathering[0], gathering[1])) f.add("gathering off the grid");
    for (int i = 0; i < numitem; i++)
        if (!itm[i].taken && !onmap(itm[i].x, itm[i].y)) f.add("item off the grid");
    if (!f.text.empty()) return;  // the grid check reads the cells of every item
    std::string cells = cellproblems();
    if (!cells.empty()) f.add(cells);
}
}  // namespace

std::string homeproblems()
{
    faults f;
    checklevels(f);
    if (!f.text.empty()) return f.text;  // the lists are measured by the levels
    checklist(f, "inv", inv, maxinv, NITEM, true);
    checklist(f, "mat", mat, maxmat, NMATERIAL, true);
    checklist(f, "equipment", equipment, maxequip, NEQUIP, true);
    checklist(f, "warehouseitm", warehouseitm, warehouselv, NITEM, true);
    checklist(f, "warehousemat", warehousemat, warehouselv, NMATERIAL, true);
    checklist(f, "itemmyshop", itemmyshop, shoplv, NITEM, true);
    checklist(f, "equipmyshop", equipmyshop, shoplv, NEQUIP, true);
    checklist(f, "crp", crp, farmlv, 2, false);
    // the town stock keeps its places: a bought wand or piece leaves a hole
    for (int i = 0; i < LISTSIZE; i++)
        if (!kindok(itemnpcshop[i].kind, NITEM) || !kindok(equipnpcshop[i].kind, NEQUIP) ||
            (itemnpcshop[i].kind != -1 && itemnpcshop[i].count < 0) ||
            (equipnpcshop[i].kind != -1 && equipnpcshop[i].count < 1))
            f.add("town stock broken");
    checkcalendar(f);
    checkplayer(f);
    return f.text;
}

std::string stateproblems()
{
    std::string home = homeproblems();
    if (depth < 1) return home;
    faults f;
    f.text = home;
    checkfloor(f);
    return f.text;
}
