// The guide's legend: every terrain of the field in its own glyph and colour, the colours
// of the creatures and the glyphs of the items, and how to read the field screen.

#include "core/catalog.h"
#include "core/console.h"
#include "core/guidepages.h"
#include "core/opts.h"
#include "core/rulenumbers.h"

namespace {
struct terrainsign {
    const char* name;
    bool walk;  // the player and the creatures may stand on it
    const char* what;
};

// By terrain code; the glyphs and colours are the field's own (chip).
constexpr terrainsign terrains[TOCCUPIED] = {
    {"床", true, ""},
    {"壁", false, ""},
    {"下り階段", true, "。>で降りる"},
    {"上り階段", true, "。<で上る(地下1階からなら家へ)"},
    {"金属の鉱床", false, "。隣でDを押して掘ると金属"},
    {"宝石の鉱床", false, "。隣でDを押して掘ると宝石"},
    {"木", false, "。隣でCを押して伐採すると木材"},
    {"荒れ地", true, "。踏み込んだターンは遅くなる"},
    {"荒れ地", true, "。踏み込んだターンは遅くなる"},
    {"水場", false, "。隣でFを押して釣ると魚"},
};

void terrainlines(pagelines& w)
{
    heading(w, "【地形】 同じ記号でも色で見分ける");
    for (int code = 0; code < TOCCUPIED; code++) {
        const terrainsign& t = terrains[code];
        w.put(CWHITE, "  ");
        tile shows = viewtile(code, chip[code]);  // as the field shows it
        glyph(w, shows.glyph, shows.color);
        w.put(CWHITE, "  ");
        w.cell(CWHITE, t.name, 12);
        w.put(CWHITE, "%s%s", t.walk ? "歩ける" : "通れない", t.what);
        if (code == TROUGH || code == TROUGH2) w.put(CWHITE, "(速さ-%d)", ROUGHSLOW);
        w.end();
    }
}

// True for the first item of the catalogue with its kind and colour.
bool firstcolor(int i)
{
    for (int j = 0; j < i; j++)
        if (itemlist[j].kind == itemlist[i].kind && itemlist[j].color == itemlist[i].color)
            return false;
    return true;
}

// True when items of the kind come in another colour too.
bool othercolor(int kind, int color)
{
    for (const itemdata& it : itemlist)
        if (it.kind == kind && it.color != color) return true;
    return false;
}

// The colours that tell items of one kind apart (the potions').
const char* colorname(int color) { return color == CLIGHTCYAN ? "水色" : color == CLIGHTMAGENTA ? "紫" : "色違い"; }

// The glyph of each kind of item, an entry for every colour it comes in, named where a
// kind has more than one, so that even without colours no two glyphs run together.
void itemlines(pagelines& w)
{
    static const char* const kinds[] = {"薬", "巻物", "食べ物", "種", "魔法の杖"};
    heading(w, "【品物】 床に落ちている品");
    w.put(CWHITE, " ");
    for (int i = 0; i < NITEM; i++) {
        const itemdata& it = itemlist[i];
        if (!firstcolor(i)) continue;
        w.put(CWHITE, " ");
        glyph(w, viewtile(TITEM, {it.glyph, it.color}).glyph, it.color);
        w.put(CWHITE, " %s", kinds[it.kind]);
        if (othercolor(it.kind, it.color)) w.put(CWHITE, "(%s)", colorname(it.color));
        w.put(CWHITE, " ");
    }
    w.end();
    w.line("  薬は水色なら体に良く、紫なら害がある(敵に投げるとよい)。");
}
}  // namespace

void legend(pagelines& w)
{
    terrainlines(w);
    heading(w, "【生き物】");
    w.put(CWHITE, "  ");
    glyph(w, '@', CYELLOW);
    w.put(CWHITE, " あなた   ");
    glyph(w, 'r', CLIGHTRED);
    w.put(CWHITE, " 赤は敵: 近づくと気づいて向かってくる   ");
    glyph(w, 'p', CLIGHTBLUE);
    w.put(CWHITE, " 青はおとなしい");
    w.end();
    itemlines(w);
    heading(w, "【画面の見方】");
    w.line("  右上: 日付と時刻、地下何階か、空腹(黄・赤になるほど危ない)");
    w.line("  攻撃・防御など: いまの能力。Lv・HP・MP・矢の数、次Lvまでの経験値");
    w.line("  黄色のUP・紫のDOWN: 薬や料理や魔法で一時的に変わった能力と残りターン");
    w.line("  下の8行: 新しいメッセージ(それより前はCtrl-Pの履歴で読める)");
}
