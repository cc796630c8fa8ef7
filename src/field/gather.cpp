// Fishing, felling and digging: the command picks a neighbouring cell and sets ten turns
// of work going; when they run out, gather decides what came of it.

#include "field/gather.h"

#include <cstdlib>

#include "core/catalog.h"
#include "core/console.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/opts.h"
#include "core/rulenumbers.h"
#include "core/rules.h"
#include "core/state.h"
#include "field/occupant.h"

namespace {
// What one kind of ground gives and takes.
struct resource {
    int code;           // the terrain worked
    int skill;          // the skill it trains
    int firstmaterial;  // the material of roll 0; -1: always the same one (fish)
    const char* gone;   // told when it is used up
};

const resource resources[] = {
    {TMETAL, SKMINE, 0, N_("\n掘り尽くした")},
    {TGEM, SKMINE, 16, N_("\n掘り尽くした")},
    {TTREE, SKFELL, 8, N_("\n採り尽くした")},
    {TWATER, SKFISH, -1, N_("\n水場は干上がった")},
};

const resource* resourceat(int code)
{
    for (const resource& r : resources)
        if (r.code == code) return &r;
    return nullptr;
}

// The command's question, the ground it wants, and the answer when the cell is wrong.
struct gatherask {
    int key;
    const char* question;
    const char* nothing;
};

const gatherask asks[] = {
    {'F', N_("\nどこで釣りをする？"), N_("\nそこには水場がない")},
    {'C', N_("\nどこを伐採する？"), N_("\nそこには木がない")},
    {'D', N_("\nどこを掘る？"), N_("\nそこには鉱床がない")},
};

// Which ground a command works: water for 'F', a tree for 'C', a deposit for 'D'.
bool fits(int key, int code)
{
    const resource* r = resourceat(code);
    if (!r) return false;
    switch (key) {
    case 'F': return r->skill == SKFISH;
    case 'C': return r->skill == SKFELL;
    default: return r->skill == SKMINE;
    }
}

// The neighbouring cell an arrow key points at; false for any other key.
bool direction(int key, int& x, int& y)
{
    x = pc.x;
    y = pc.y;
    switch (key) {
    case KEYUP: y--; return true;
    case KEYDOWN: y++; return true;
    case KEYLEFT: x--; return true;
    case KEYRIGHT: x++; return true;
    default: return false;
    }
}

// Roll k comes with chance (8 - k) / 64; -1 when nothing comes.
int yieldroll()
{
    int k = std::rand() % 8;
    int j = std::rand() % 8;
    return j < k ? -1 : k;
}

// The material of roll k goes into the bag; with no room it is lost, told all the same.
void obtain(const resource& r, int k)
{
    int material = r.firstmaterial < 0 ? FISH : r.firstmaterial + k;
    skl[2 * r.skill + 1] -= r.firstmaterial < 0 ? 5 : k;
    bagput(mat, maxmat, material, 1);
    addmes(_("\n%sが採れた"), _(materiallist[material].name));
}

// Each of the three skills rises at most one level per gather.
void skillups()
{
    static const struct {
        int skill;
        const char* text;
    } ups[] = {
        {SKMINE, N_("\n採鉱レベルUP")},
        {SKFELL, N_("\n伐採レベルUP")},
        {SKFISH, N_("\n釣りレベルUP")}};
    for (const auto& u : ups) {
        int& level = skl[2 * u.skill];
        int& points = skl[2 * u.skill + 1];
        if (points >= 0) continue;
        level++;
        points += 2 * level;
        addmes("%s", _(u.text));
    }
}

// A skilled hand deep down makes a resource last; otherwise it turns to floor.
void deplete(const resource& r, int x, int y)
{
    int g = trpcalc(skl[2 * r.skill] + depth, pc.lv, 15);
    if (g < std::rand() % 100) {
        setterrain(x, y, TFLOOR);
        addmes("%s", _(r.gone));
    }
}
}  // namespace

void gathercmd(int key)
{
    const gatherask* ask = nullptr;
    for (const gatherask& a : asks)
        if (a.key == key) ask = &a;
    if (!ask) return;
    print("%s", _(ask->question));
    int x, y;
    if (!direction(vikey(mygetch()), x, y)) return;
    if (onmap(x, y) && fits(key, map[y][x])) {
        gathering[0] = x;
        gathering[1] = y;
        gathering[2] = GATHERTURNS;
    } else {
        addmes("%s", _(ask->nothing));
    }
}

void gather(int x, int y)
{
    const resource* r = resourceat(cell(x, y));
    int k = yieldroll();
    if (!r) return;  // the ground is no longer there to work
    if (k < 0) addmes(_("\n何も採れなかった"));
    else obtain(*r, k);
    skillups();
    deplete(*r, x, y);
}
