// The guide's legend: every terrain of the field in its own glyph and colour, the colours
// of the creatures and the glyphs of the items, and how to read the field screen.

#include "core/catalog.h"
#include "core/console.h"
#include "core/guidepages.h"
#include "core/lang.h"
#include "core/opts.h"
#include "core/rulenumbers.h"
#include "core/text.h"

namespace {
struct terrainsign {
    const char* name;
    bool walk;  // the player and the creatures may stand on it
    const char* what;
};

// By terrain code; the glyphs and colours are the field's own (chip).
constexpr terrainsign terrains[TOCCUPIED] = {
    {N_("床"), true, ""},
    {N_("壁"), false, ""},
    {N_("下り階段"), true, N_("。>で降りる")},
    {N_("上り階段"), true, N_("。<で上る(地下1階からなら家へ)")},
    {N_("金属の鉱床"), false, N_("。隣でDを押して掘ると金属")},
    {N_("宝石の鉱床"), false, N_("。隣でDを押して掘ると宝石")},
    {N_("木"), false, N_("。隣でCを押して伐採すると木材")},
    {N_("荒れ地"), true, N_("。踏み込んだターンは遅くなる")},
    {N_("荒れ地"), true, N_("。踏み込んだターンは遅くなる")},
    {N_("水場"), false, N_("。隣でFを押して釣ると魚")},
};

void terrainlines(pagelines& w)
{
    heading(w, _("【地形】 同じ記号でも色で見分ける"));
    int wide = 11;  // the names' column fits the longest, and a blank
    for (const terrainsign& t : terrains)
        if (textwidth(_(t.name)) > wide) wide = textwidth(_(t.name));
    for (int code = 0; code < TOCCUPIED; code++) {
        const terrainsign& t = terrains[code];
        w.put(CWHITE, "  ");
        tile shows = viewtile(code, chip[code]);  // as the field shows it
        glyph(w, shows.glyph, shows.color);
        w.put(CWHITE, "  ");
        w.cell(CWHITE, _(t.name), wide + 1);
        w.put(CWHITE, "%s%s", t.walk ? _("歩ける") : _("通れない"), *t.what ? _(t.what) : "");
        if (code == TROUGH || code == TROUGH2) w.put(CWHITE, _("(速さ-%d)"), ROUGHSLOW);
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
const char* colorname(int color)
{
    return color == CLIGHTCYAN ? _("水色") : color == CLIGHTMAGENTA ? _("紫") : _("色違い");
}

// The glyph of each kind of item, an entry for every colour it comes in, named where a
// kind has more than one, so that even without colours no two glyphs run together.
void itemlines(pagelines& w)
{
    static const char* const kinds[] = {N_("薬"), N_("巻物"), N_("食べ物"), N_("種"), N_("魔法の杖")};
    heading(w, _("【品物】 床に落ちている品"));
    w.put(CWHITE, " ");
    for (int i = 0; i < NITEM; i++) {
        const itemdata& it = itemlist[i];
        if (!firstcolor(i)) continue;
        w.put(CWHITE, " ");
        glyph(w, viewtile(TITEM, {it.glyph, it.color}).glyph, it.color);
        w.put(CWHITE, " %s", _(kinds[it.kind]));
        if (othercolor(it.kind, it.color)) w.put(CWHITE, "(%s)", colorname(it.color));
        w.put(CWHITE, " ");
    }
    w.end();
    w.line(_("  薬は水色なら体に良く、紫なら害がある(敵に投げるとよい)。ただし、敵に投げた\n"
             "  レベルダウンの薬は、その敵の一時的に変わった能力を元に戻すだけで害はない。"));
}
}  // namespace

void legend(pagelines& w)
{
    terrainlines(w);
    heading(w, _("【生き物】"));
    w.put(CWHITE, "  ");
    glyph(w, '@', CYELLOW);
    w.put(CWHITE, "%s", _(" あなた   "));
    glyph(w, 'r', CLIGHTRED);
    w.put(CWHITE, "%s", _(" 赤は敵: 近づくと気づいて向かってくる   "));
    glyph(w, 'p', CLIGHTBLUE);
    w.put(CWHITE, "%s", _(" 青はおとなしい"));
    w.end();
    itemlines(w);
    heading(w, _("【画面の見方】"));
    w.line(_("  右上: 日付と時刻、地下何階か、空腹(黄・赤になるほど危ない)"));
    w.line(_("  攻撃・防御など: いまの能力。Lv・HP・MP・矢の数、次Lvまでの経験値"));
    w.line(_("  黄色のUP・紫のDOWN: 薬や料理や魔法で一時的に変わった能力と残りターン"));
    w.line(_("  下の8行: 新しいメッセージ(それより前はCtrl-Pの履歴で読める)"));
}
