// The guide's catalogues, written from the game's own tables: the items with their
// descriptions and prices, the spells, the materials and where they come from, and the
// creatures with how each behaves.

#include <cstdio>
#include <cstring>

#include "core/catalog.h"
#include "core/console.h"
#include "core/creatures.h"
#include "core/guidepages.h"
#include "core/lang.h"
#include "core/opts.h"
#include "core/text.h"

namespace {
// The wand that holds the spell's effect, or -1.
int wandof(int spell)
{
    const char* name = magiclist[spell].name;
    size_t n = std::strlen(name);
    for (int i = FIRSTWAND; i < NITEM; i++)
        if (iswand(i) && !std::strncmp(itemlist[i].name, name, n) &&
            !std::strcmp(itemlist[i].name + n, "の杖"))
            return i;
    return -1;
}
}  // namespace

void itemcatalog(pagelines& w)
{
    static const char* const kinds[] = {N_("【薬】"), N_("【巻物】"), N_("【食べ物】"), N_("【種】"),
                                        N_("【魔法の杖】")};
    w.line(_("値段は自分の店での適正価格。町の店ではその2倍。杖は(残り回数+10)倍になる。"));
    for (int k = IPOTION; k <= IWAND; k++) {
        heading(w, _(kinds[k]));
        for (const itemdata& it : itemlist) {
            if (it.kind != k) continue;
            w.put(CWHITE, "  ");
            glyph(w, viewtile(TITEM, {it.glyph, it.color}).glyph, it.color);  // as on the field
            w.put(CWHITE, " ");
            w.cell(CWHITE, _(it.name), 25);
            w.put(CWHITE, _("%5d円  %s"), it.price, _(it.desc));
            if (it.rare == 0) w.put(CGREY, "%s", _(" (料理でだけ作れる)"));
            w.end();
        }
    }
}

void spellcatalog(pagelines& w)
{
    w.line(_("魔法はmで唱える。MPが足りないと唱えられない。成功率は魔力と難しさで決まり、\n"
             "唱えるときのリストに出る。同じ働きの杖があるものは、その杖でも使える。"));
    w.end();
    w.put(CWHITE, "  ");
    w.cell(CWHITE, _("名前"), 20);
    w.put(CWHITE, "%s", _("  MP 難しさ  働き"));
    w.end();
    for (int s = 0; s < NMAGIC; s++) {
        const magicdata& m = magiclist[s];
        w.put(CWHITE, "  ");
        w.cell(CWHITE, _(m.name), 20);
        w.put(CWHITE, "%4d %6d  ", m.mp, m.diff);
        w.cell(CWHITE, _(m.desc), 32);
        if (wandof(s) >= 0) w.put(CGREY, "%s", _("(杖あり)"));
        w.end();
    }
}

namespace {
struct materialsource {
    const char* title;
    int terrain;  // whose glyph the line shows, or -1
    const char* where;
};

// By material kind (metal, wood, gem, foodstuff).
constexpr materialsource sources[] = {
    {N_("【金属】"), TMETAL, N_("金属の鉱床の隣でDを押して掘る。装備品を作るのに3つ使う")},
    {N_("【木材】"), TTREE, N_("木の隣でCを押して伐採する。魔法の杖を作るのに2つ使う")},
    {N_("【宝石】"), TGEM, N_("宝石の鉱床の隣でDを押して掘る。魔法の杖を作るのに1つ使う")},
    {N_("【食材】"), -1, N_("料理に1つ使う。そのままでは食べられない")},
};

const char* foodsource(int m)
{
    switch (m) {
    case MEAT: return _("生き物を倒すと、ときどき手に入る");
    case VEGETABLE: return _("農園に野菜の種をまいて育てる");
    case FISH: return _("水場の隣でFを押して釣る");
    default: return _("農園に果物の種をまいて育てる");
    }
}

void gradedlines(pagelines& w, int kind)
{
    int n = 0;
    for (const materialdata& m : materiallist) {
        if (m.kind != kind) continue;
        if (n % 4 == 0) w.put(CWHITE, "   ");
        char named[64];
        std::snprintf(named, sizeof named, "%s(%d)", _(m.name), m.grade);
        w.cell(CWHITE, named, 18);
        if (++n % 4 == 0) w.end();
    }
    if (n % 4 != 0) w.end();
}
}  // namespace

void materialcatalog(pagelines& w)
{
    w.line(_("素材は家のg(製作)で使う。( )の中は等級で、高いほど採れにくく良い物ができる。"));
    for (int k = MMETAL; k <= MFOOD; k++) {
        const materialsource& s = sources[k];
        w.put(CYELLOW, "%s", _(s.title));
        if (s.terrain >= 0) {
            w.put(CWHITE, " ");
            glyph(w, chip[s.terrain].glyph, chip[s.terrain].color);
        }
        w.put(CWHITE, " %s", _(s.where));
        w.end();
        if (k != MFOOD) {
            gradedlines(w, k);
            continue;
        }
        for (int m = 0; m < NMATERIAL; m++)
            if (materiallist[m].kind == MFOOD)
                w.line("   %s: %s", _(materiallist[m].name), foodsource(m));
    }
}

namespace {
const char* behaviour(const npcdata& c)
{
    if (c.attitude == 0) return _("おとなしい。ぶつかると入れ替わる");
    if (c.ai == 1) return _("離れて魔法を使う(回復・魔法の矢など)");
    if (c.ai == 2) return _("離れて薬を投げてくる");
    return _("寄ってきて殴る");
}

// The grounds a creature lives in, such as "鉱山・森".
void grounds(int kind, char (&where)[64])
{
    const char* const names[] = {P_("生息地", "鉱山"), P_("生息地", "森"), P_("生息地", "水場")};
    where[0] = 0;
    for (int g = 0; g < 3; g++) {
        if (!livesin(kind, g)) continue;
        size_t at = std::strlen(where);
        format(where + at, sizeof where - at, *where ? _("・%s") : "%s", names[g]);
    }
}
}  // namespace

void creaturecatalog(pagelines& w)
{
    // noticed when closer than excite cells on both axes
    w.line(_("赤は敵で、縦横とも難易度で決まる距離(%d〜%dマス)まで近づくと向かってくる。\n"
             "青はおとなしいが、矢や魔法や投げた薬で傷つけると敵になる。青い人々はHPが\n"
             "最大より少なく現れる。あなたのはじめの速さは60で、それより速い相手は1ターンに\n"
             "何度も動く。"),
           modetable[0].excite - 1, modetable[3].excite - 1);
    w.end();
    char where[64];
    int wide = 14;  // the grounds' column fits the longest, and a blank
    for (int k = 0; k < NNPCKIND; k++) {
        grounds(k, where);
        if (textwidth(where) > wide) wide = textwidth(where);
    }
    for (int k = 0; k < NNPCKIND; k++) {
        const npcdata& c = npclist[k];
        w.put(CWHITE, " ");
        glyph(w, c.glyph, c.attitude == -1 ? CLIGHTRED : CLIGHTBLUE);
        w.put(CWHITE, " ");
        w.cell(CWHITE, _(c.name), 12);
        grounds(k, where);
        w.cell(CWHITE, where, wide + 1);
        // the people come with less than their full hp, and heal as they go
        char hp[16];
        if (c.hp < c.maxhp) format(hp, sizeof hp, "%d/%d ", c.hp, c.maxhp);
        else format(hp, sizeof hp, "%-3d", c.maxhp);
        w.put(CWHITE, _("HP%s速さ%-3d %s"), hp, c.spd, behaviour(c));
        w.end();
    }
}
