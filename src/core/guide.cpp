#include "core/guide.h"

#include "core/console.h"
#include "core/guidepages.h"

namespace {
struct guidepage {
    const char* tab;  // its name in the heading
    void (*write)(pagelines&);
};

constexpr guidepage pages[NGUIDEPAGE] = {
    {"家", homekeys},        {"探索", fieldkeys},        {"凡例", legend},
    {"心得", survival},      {"道具", itemcatalog},      {"魔法", spellcatalog},
    {"素材", materialcatalog}, {"生き物", creaturecatalog},
};

class guidesource : public writtensource {
public:
    int page = 0;

    void write(pagelines& w) const override { pages[page].write(w); }
    // Every page by its number, the one open marked.
    void head() const override
    {
        print("ガイド");
        for (int p = 0; p < NGUIDEPAGE; p++) {
            setcolor(p == page ? CYELLOW : CGREY);
            print(p == page ? " [%d:%s]" : "  %d:%s ", p + 1, pages[p].tab);
        }
    }
    const char* keys() const override
    {
        return "[左右・1〜8]ページ [上下・PgUp・PgDn・スペース]送る [ESC・q]戻る";
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
    w.cell(CWHITE, what, 54);
    w.put(CWHITE, "%s", cost);
    w.end();
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
