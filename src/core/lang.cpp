#include "core/lang.h"

#include <libintl.h>

#include <cstring>

namespace {
constexpr const char* DOMAIN = "kurashi";
langcode current = JA;
}  // namespace

void setlang(langcode lang) { current = lang; }

langcode curlang() { return current; }

const char* tr(const char* ja)
{
    if (current == JA) return ja;
    return dgettext(DOMAIN, ja);
}

// gettext keeps a context as "context\004id"; an id with no English gives the id back.
const char* trctx(const char* ctx, const char* ja)
{
    if (current == JA) return ja;
    char key[512];
    size_t c = std::strlen(ctx), n = std::strlen(ja);
    if (c + 1 + n + 1 > sizeof key) return ja;
    std::memcpy(key, ctx, c);
    key[c] = '\004';
    std::memcpy(key + c + 1, ja, n + 1);
    const char* found = dgettext(DOMAIN, key);
    return found == key ? ja : found;
}

const char* trn(const char* one, const char* many, unsigned long n)
{
    if (current == JA) return n == 1 ? one : many;
    return dngettext(DOMAIN, one, many, n);
}
