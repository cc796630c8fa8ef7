// The English catalogue in the browser. Emscripten's C library carries musl's gettext, but
// its file mapping fails there, so every look-up would read through a failed map: the
// browser build reads kurashi.mo into memory itself and answers the three calls the game
// makes (bindtextdomain, dgettext, dngettext) in their place. English has two forms: one,
// and every other count.

#include <libintl.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
std::vector<char> mo;  // the whole file, or empty: nothing is translated

uint32_t word(size_t at, bool swap)
{
    uint32_t w = 0;
    if (at + 4 <= mo.size()) std::memcpy(&w, mo.data() + at, 4);
    return swap ? __builtin_bswap32(w) : w;
}

// The text of the pair at offset table + 8 * i, or null when the file is broken there.
const char* entry(uint32_t table, uint32_t i, bool swap, uint32_t* length = nullptr)
{
    uint32_t len = word(table + 8 * size_t{i}, swap), at = word(table + 8 * size_t{i} + 4, swap);
    if (at >= mo.size() || len >= mo.size() - at || mo[at + len] != '\0') return nullptr;
    if (length) *length = len;
    return mo.data() + at;
}

// The translation of id (its forms one after another, split by '\0'), by binary search of
// the sorted originals; null when the catalogue has none.
const char* lookup(const char* id, uint32_t* length)
{
    if (mo.size() < 28) return nullptr;
    bool swap = word(0, false) != 0x950412de;
    if (swap && word(0, true) != 0x950412de) return nullptr;
    uint32_t n = word(8, swap), originals = word(12, swap), translations = word(16, swap);
    uint32_t lo = 0, hi = n;
    while (lo < hi) {
        uint32_t mid = lo + (hi - lo) / 2;
        const char* key = entry(originals, mid, swap);
        if (!key) return nullptr;
        int c = std::strcmp(id, key);
        if (c == 0) return entry(translations, mid, swap, length);
        if (c < 0) hi = mid;
        else lo = mid + 1;
    }
    return nullptr;
}
}  // namespace

extern "C" {
char* bindtextdomain(const char* domain, const char* dir)
{
    std::string path = std::string(dir) + "/en/LC_MESSAGES/" + domain + ".mo";
    mo.clear();
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char chunk[4096];
        for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, f)) > 0;)
            mo.insert(mo.end(), chunk, chunk + got);
        std::fclose(f);
    }
    return const_cast<char*>(dir);
}

char* dgettext(const char*, const char* id)
{
    const char* found = lookup(id, nullptr);
    return const_cast<char*>(found && *found ? found : id);
}

char* dngettext(const char*, const char* one, const char* many, unsigned long n)
{
    uint32_t length = 0;
    const char* found = lookup(one, &length);
    if (!found || !*found) return const_cast<char*>(n == 1 ? one : many);
    if (n == 1) return const_cast<char*>(found);
    size_t first = std::strlen(found);
    return const_cast<char*>(first < length ? found + first + 1 : found);
}
}
