// The guide's catalogues, written from the game's own tables: the items with their
// descriptions and prices, the spells, the materials and where they come from, and the
// creatures with how each behaves.

#include <cstdio>
#include <cstring>

#include "core/catalog.h"
#include "core/console.h"
#include "core/creatures.h"
#include "core/guidepages.h"
#include "core/opts.h"

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
    static const char* const kinds[] = {"【薬】", "【巻物】", "【食べ物】", "【種】", "【魔法の杖】"};
    w.line("値段は自分の店での適正価格。町の店ではその2倍。杖は(残り回数+10)倍になる。");
    for (int k = IPOTION; k <= IWAND; k++) {
        heading(w, kinds[k]);
        for (const itemdata& it : itemlist) {
            if (it.kind != k) continue;
            w.put(CWHITE, "  ");
            glyph(w, viewtile(TITEM, {it.glyph, it.color}).glyph, it.color);  // as on the field
            w.put(CWHITE, " ");
            w.cell(CWHITE, it.name, 25);
            w.put(CWHITE, "%5d円  %s", it.price, it.desc);
            if (it.rare == 0) w.put(CGREY, " (料理でだけ作れる)");
            w.end();
        }
    }
}

void spellcatalog(pagelines& w)
{
    w.line("魔法はmで唱える。MPが足りないと唱えられない。成功率は魔力と難しさで決まり、");
    w.line("唱えるときのリストに出る。同じ働きの杖があるものは、その杖でも使える。");
    w.end();
    w.put(CWHITE, "  ");
    w.cell(CWHITE, "名前", 20);
    w.put(CWHITE, "  MP 難しさ  働き");
    w.end();
    for (int s = 0; s < NMAGIC; s++) {
        const magicdata& m = magiclist[s];
        w.put(CWHITE, "  ");
        w.cell(CWHITE, m.name, 20);
        w.put(CWHITE, "%4d %6d  ", m.mp, m.diff);
        w.cell(CWHITE, m.desc, 32);
        if (wandof(s) >= 0) w.put(CGREY, "(杖あり)");
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
    {"【金属】", TMETAL, "金属の鉱床の隣でDを押して掘る。装備品を作るのに3つ使う"},
    {"【木材】", TTREE, "木の隣でCを押して伐採する。魔法の杖を作るのに2つ使う"},
    {"【宝石】", TGEM, "宝石の鉱床の隣でDを押して掘る。魔法の杖を作るのに1つ使う"},
    {"【食材】", -1, "料理に1つ使う。そのままでは食べられない"},
};

const char* foodsource(int m)
{
    switch (m) {
    case MEAT: return "生き物を倒すと、ときどき手に入る";
    case VEGETABLE: return "農園に野菜の種をまいて育てる";
    case FISH: return "水場の隣でFを押して釣る";
    default: return "農園に果物の種をまいて育てる";
    }
}

void gradedlines(pagelines& w, int kind)
{
    int n = 0;
    for (const materialdata& m : materiallist) {
        if (m.kind != kind) continue;
        if (n % 4 == 0) w.put(CWHITE, "   ");
        char named[64];
        std::snprintf(named, sizeof named, "%s(%d)", m.name, m.grade);
        w.cell(CWHITE, named, 18);
        if (++n % 4 == 0) w.end();
    }
    if (n % 4 != 0) w.end();
}
}  // namespace

void materialcatalog(pagelines& w)
{
    w.line("素材は家のg(製作)で使う。( )の中は等級で、高いほど採れにくく良い物ができる。");
    for (int k = MMETAL; k <= MFOOD; k++) {
        const materialsource& s = sources[k];
        w.put(CYELLOW, "%s", s.title);
        if (s.terrain >= 0) {
            w.put(CWHITE, " ");
            glyph(w, chip[s.terrain].glyph, chip[s.terrain].color);
        }
        w.put(CWHITE, " %s", s.where);
        w.end();
        if (k != MFOOD) {
            gradedlines(w, k);
            continue;
        }
        for (int m = 0; m < NMATERIAL; m++)
            if (materiallist[m].kind == MFOOD) w.line("   %s: %s", materiallist[m].name, foodsource(m));
    }
}

namespace {
const char* behaviour(const npcdata& c)
{
    if (c.attitude == 0) return "おとなしい。ぶつかると入れ替わる";
    if (c.ai == 1) return "離れて魔法を使う(回復・魔法の矢など)";
    if (c.ai == 2) return "離れて薬を投げてくる";
    return "寄ってきて殴る";
}

void grounds(pagelines& w, int kind)
{
    static const char* const names[] = {"鉱山", "森", "水場"};
    char where[64] = "";
    for (int g = 0; g < 3; g++) {
        if (!livesin(kind, g)) continue;
        if (*where) std::strcat(where, "・");
        std::strcat(where, names[g]);
    }
    w.cell(CWHITE, where, 15);
}
}  // namespace

void creaturecatalog(pagelines& w)
{
    w.line("赤は敵で、難易度で決まる距離(%d〜%dマス)に近づくと向かってくる。青はおとなし",
           modetable[0].excite, modetable[3].excite);
    w.line("いが、矢や魔法や投げた薬で傷つけると敵になる。あなたのはじめの速さは60で、");
    w.line("それより速い相手は1ターンに何度も動く。");
    w.end();
    for (int k = 0; k < NNPCKIND; k++) {
        const npcdata& c = npclist[k];
        w.put(CWHITE, " ");
        glyph(w, c.glyph, c.attitude == -1 ? CLIGHTRED : CLIGHTBLUE);
        w.put(CWHITE, " ");
        w.cell(CWHITE, c.name, 12);
        grounds(w, k);
        w.put(CWHITE, "HP%-3d速さ%-3d %s", c.maxhp, c.spd, behaviour(c));
        w.end();
    }
}
