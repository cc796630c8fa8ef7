#include "core/ui.h"

#include "core/catalog.h"
#include "core/console.h"
#include "core/lang.h"
#include "core/rules.h"

int waitkey()
{
    print("%s", _("何かキーを押してください"));
    return mygetch();
}

void refuse(const char* line)
{
    print("%s\n", line);
    waitkey();
}

// a word of 16 bytes holds every number the game takes, and then some
constexpr size_t NUMBERWORD = 16;

int asknumber()
{
    std::string word = con().readword(NUMBERWORD, true);  // left: the empty word, 0
    return numc2int(word.c_str());
}

bool yesno() { return mygetch() == 'y'; }

const char* bagname(bagof what, int kind)
{
    switch (what) {
    case ITEMS: return _(itemlist[kind].name);
    case MATERIALS: return _(materiallist[kind].name);
    default: return _(equiplist[kind]);
    }
}

static int catalogkind(bagof what, int kind)
{
    switch (what) {
    case ITEMS: return itemlist[kind].kind;
    case MATERIALS: return materiallist[kind].kind;
    default: return kind;
    }
}

void listbag(const slot* bag, int cap, bagof what, int onlykind, const char* fmt,
             const char* wandfmt)
{
    for (int i = 0; i < cap && bag[i].kind != -1; i++) {
        int k = bag[i].kind;
        if (onlykind >= 0 && catalogkind(what, k) != onlykind) continue;
        bool wand = what == ITEMS && wandfmt && iswand(k);
        print(wand ? wandfmt : fmt, alphabet[i], bagname(what, k), bag[i].count);
    }
}

int askcount(const char* question)
{
    for (;;) {
        cls();
        print("%s", question);
        std::string word = con().readword(NUMBERWORD, true);
        if (word.empty()) return 0;
        int n = numc2int(word.c_str());
        if (n > 0) return n;
    }
}
