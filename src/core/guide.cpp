#include "core/guide.h"

#include "core/console.h"
#include "core/guidepages.h"
#include "core/lang.h"
#include "core/text.h"

namespace {
constexpr int KEYTEXTCOLS = 53;  // what a key does, with a blank before the time it takes

constexpr void (*pages[NGUIDEPAGE])(pagelines&) = {
    homekeys, fieldkeys, legend, survival, itemcatalog, spellcatalog, materialcatalog, creaturecatalog,
};

// A page's name in the heading: all eight share one line.
const char* tab(int page)
{
    switch (page) {
    case GUIDEHOME: return P_("ガイドの見出し", "家");
    case GUIDEFIELD: return P_("ガイドの見出し", "探索");
    case GUIDELEGEND: return P_("ガイドの見出し", "凡例");
    case GUIDESURVIVAL: return P_("ガイドの見出し", "心得");
    case GUIDEITEMS: return P_("ガイドの見出し", "道具");
    case GUIDESPELLS: return P_("ガイドの見出し", "魔法");
    case GUIDEMATERIALS: return P_("ガイドの見出し", "素材");
    default: return P_("ガイドの見出し", "生き物");
    }
}

class guidesource : public writtensource {
public:
    int page = 0;

    void write(pagelines& w) const override { pages[page](w); }
    // Every page by its number, the one open marked.
    void head() const override
    {
        print("%s", _("ガイド"));
        for (int p = 0; p < NGUIDEPAGE; p++) {
            setcolor(p == page ? CYELLOW : CGREY);
            print(p == page ? " [%d:%s]" : "  %d:%s ", p + 1, tab(p));
        }
    }
    const char* keys() const override
    {
        return _("[左右・1〜8]ページ [上下・PgUp・PgDn・スペース]送る [ESC・q]戻る");
    }
};

// The page a key turns to, or -1 when it turns none.
int turnto(int page, int key)
{
    if (key == KEYLEFT) return (page + NGUIDEPAGE - 1) % NGUIDEPAGE;
    if (key == KEYRIGHT) return (page + 1) % NGUIDEPAGE;
    if (key >= '1' && key < '1' + NGUIDEPAGE) return key - '1';
    return -1;
}
}  // namespace

void heading(pagelines& w, const char* text)
{
    w.put(CYELLOW, "%s", text);
    w.end();
}

void glyph(pagelines& w, int ch, int color) { w.put(color, "%c", ch); }

void keyline(pagelines& w, const char* key, const char* what, const char* cost)
{
    w.put(CWHITE, " ");
    w.cell(CLIGHTCYAN, key, 10);
    // the time keeps its column: a longer text goes on in the rows below, indented as the
    // lines that add to a key
    std::string_view rest(what);
    size_t cut = rest.size();
    if (textwidth(rest) > KEYTEXTCOLS) {
        size_t fit = widthcut(rest, KEYTEXTCOLS);
        size_t blank = rest.substr(0, fit + 1).rfind(' ');
        cut = blank == std::string_view::npos || blank == 0 ? fit : blank;
    }
    int width = textwidth(rest.substr(0, cut));
    w.put(CWHITE, "%.*s%*s", static_cast<int>(cut), what, KEYTEXTCOLS + 1 - width, "");
    w.put(CWHITE, "%s", cost);
    w.end();
    rest.remove_prefix(cut);
    while (!rest.empty() && rest[0] == ' ') rest.remove_prefix(1);
    if (!rest.empty()) w.line("%13s%.*s", "", static_cast<int>(rest.size()), rest.data());
}

void guide(int page)
{
    guidesource src;
    src.page = page >= 0 && page < NGUIDEPAGE ? page : 0;
    int top = 0;
    for (int key; !leavespager(key = pager(src, top));) {
        int to = turnto(src.page, key);
        if (to < 0) continue;
        src.page = to;
        top = 0;
    }
}
