#include "core/text.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

size_t utf8cut(std::string_view s, size_t max)
{
    if (s.size() <= max) return s.size();
    size_t n = max;
    // step back over continuation bytes to the start of the cut character
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) n--;
    return n;
}

namespace {
// The character starting at s[i] and its length; a stray byte counts as one narrow character.
unsigned decode(std::string_view s, size_t i, size_t& len)
{
    unsigned char b = static_cast<unsigned char>(s[i]);
    len = b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    if (i + len > s.size()) len = 1;
    if (len == 1) return b;
    unsigned c = b & (0x3F >> (len - 1));
    for (size_t k = 1; k < len; k++) c = c << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    return c;
}

int charwidth(unsigned c)
{
    if (c < 0x1100) return 1;
    if (c >= 0xFF61 && c <= 0xFF9F) return 1;  // half-width kana
    return 2;
}
}  // namespace

int textwidth(std::string_view s)
{
    int w = 0;
    for (size_t i = 0, len; i < s.size(); i += len) w += charwidth(decode(s, i, len));
    return w;
}

size_t widthcut(std::string_view s, int cols)
{
    size_t i = 0, len;
    for (int w = 0; i < s.size(); i += len) {
        w += charwidth(decode(s, i, len));
        if (w > cols) break;
    }
    return i;
}

size_t vformat(char* out, size_t cap, const char* fmt, va_list ap)
{
    if (cap == 0) return 0;
    int n = std::vsnprintf(out, cap, fmt, ap);
    if (n < 0) {
        out[0] = 0;
        return 0;
    }
    if (static_cast<size_t>(n) < cap) return static_cast<size_t>(n);
    // cut: drop a last character that lost some of its bytes
    size_t len = cap - 1, p = len;
    while (p > 0 && (static_cast<unsigned char>(out[p - 1]) & 0xC0) == 0x80) p--;
    if (p > 0) {
        unsigned char lead = static_cast<unsigned char>(out[p - 1]);
        size_t need = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (p - 1 + need > len) len = p - 1;
    }
    out[len] = 0;
    return len;
}

size_t format(char* out, size_t cap, const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    size_t n = vformat(out, cap, fmt, ap);
    va_end(ap);
    return n;
}

void pututf8(unsigned ch, std::string& out)
{
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

namespace {
bool convert(const char* to, const char* from, std::string_view in, std::string& out)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out.clear();
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    bool ok = true;
    char chunk[256];
    while (left > 0) {
        char* dst = chunk;
        size_t room = sizeof chunk;
        size_t r = iconv(cd, &src, &left, &dst, &room);
        out.append(chunk, dst - chunk);
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
        if (r != static_cast<size_t>(-1) && r > 0) {
            // characters replaced by an approximation do not round-trip
            ok = false;
            break;
        }
    }
    iconv_close(cd);
    return ok;
}
}  // namespace

bool tosjis(std::string_view utf8, std::string& out) { return convert("CP932", "UTF-8", utf8, out); }
bool fromsjis(std::string_view sjis, std::string& out) { return convert("UTF-8", "CP932", sjis, out); }
