#include "core/lang.h"

#include <libintl.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

namespace {
constexpr const char* DOMAIN = "kurashi";
langcode current = JA;

// A look-up of glibc's gettext takes a lock, reads the environment and searches a tree,
// some hundreds of nanoseconds, and a field turn shows dozens of texts: the English of each
// is kept after its first look-up, found again by where the text lies and what it says (a
// buffer passed twice with other words in it is looked up anew).
struct kepttext {
    const char* ja;
    const char* ctx;
    unsigned hash;
    const char* english;
};
constexpr unsigned KEPT = 4096;  // a power of two, well above the catalogue's size
constexpr unsigned PROBES = 8;   // a full neighbourhood is looked up every time instead
kepttext kept[KEPT];

unsigned hashof(const char* s, unsigned h = 2166136261u)
{
    for (; *s; s++) h = (h ^ static_cast<unsigned char>(*s)) * 16777619u;
    return h;
}

template <class lookup>
const char* english(const char* ctx, const char* ja, lookup find)
{
    unsigned h = hashof(ja, ctx ? hashof(ctx) : 0);
    for (unsigned i = h, n = 0; n < PROBES; i++, n++) {
        kepttext& k = kept[i % KEPT];
        if (k.ja == ja && k.ctx == ctx && k.hash == h) return k.english;
        if (!k.ja) return (k = {ja, ctx, h, find()}).english;
    }
    return find();
}
}  // namespace

void setlang(langcode lang) { current = lang; }

langcode curlang() { return current; }

bool langnamed(const char* word, langcode& lang)
{
    if (!strcasecmp(word, "ja")) return lang = JA, true;
    if (!strcasecmp(word, "en")) return lang = EN, true;
    return false;
}

const char* langname(langcode lang) { return lang == EN ? "en" : "ja"; }

bool opencatalog(const char* folder)
{
    std::string mo = std::string(folder) + "/en/LC_MESSAGES/kurashi.mo";
    if (access(mo.c_str(), R_OK) != 0 || !bindtextdomain(DOMAIN, folder)) return false;
    // the game's own text is UTF-8 whatever the terminal's
    bind_textdomain_codeset(DOMAIN, "UTF-8");
    // glibc's gettext gives every id back in the C locale, and reads LANGUAGE only outside
    // it; C.UTF-8 is not that locale and is there on every system the game is built for
    const char* now = std::setlocale(LC_MESSAGES, nullptr);
    if (!now || !std::strcmp(now, "C") || !std::strcmp(now, "POSIX"))
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    std::fill(std::begin(kept), std::end(kept), kepttext{});  // what was looked up before
    return setenv("LANGUAGE", "en", 1) == 0;
}

const char* tr(const char* ja)
{
    if (current == JA) return ja;
    return english(nullptr, ja, [ja] { return dgettext(DOMAIN, ja); });
}

// gettext keeps a context as "context\004id"; an id with no English gives the id back.
const char* trctx(const char* ctx, const char* ja)
{
    if (current == JA) return ja;
    return english(ctx, ja, [ctx, ja] {
        char key[512];
        size_t c = std::strlen(ctx), n = std::strlen(ja);
        if (c + 1 + n + 1 > sizeof key) return ja;
        std::memcpy(key, ctx, c);
        key[c] = '\004';
        std::memcpy(key + c + 1, ja, n + 1);
        const char* found = dgettext(DOMAIN, key);
        return found == key ? ja : found;
    });
}

const char* trn(const char* one, const char* many, unsigned long n)
{
    if (current == JA) return n == 1 ? one : many;
    return dngettext(DOMAIN, one, many, n);
}
