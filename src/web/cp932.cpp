// Code page 932 for the browser's C library, whose own iconv knows no CP932 and converts
// Shift-JIS with other characters for some codes. The game asks iconv for exactly two
// conversions, CP932 to UTF-8 and back; these give the terminal game's bytes, from the
// tables made by tools/cp932gen on the machine that built the game.

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "core/text.h"

#include "cp932table.inc"

namespace {
enum direction { TOSJIS, TOUTF8 };
direction intosjis = TOSJIS, intoutf8 = TOUTF8;

constexpr size_t FAIL = static_cast<size_t>(-1);

size_t fail(int err)
{
    errno = err;
    return FAIL;
}

bool named(const char* name, const char* want) { return strcasecmp(name, want) == 0; }

// One character of UTF-8: its code point and length; 0 when the input is cut short there,
// -1 when it is no UTF-8 (or beyond the first plane, where code page 932 has nothing).
int readutf8(const unsigned char* s, size_t left, unsigned& c)
{
    unsigned b = s[0];
    int n = b < 0x80 ? 1 : b >= 0xC2 && b < 0xE0 ? 2 : b >= 0xE0 && b < 0xF0 ? 3 : -1;
    if (n < 0) return -1;
    if (left < static_cast<size_t>(n)) return 0;
    if (n == 1) return c = b, 1;
    unsigned lo = 0x80, hi = 0xBF;  // the second byte rules out overlong forms and surrogates
    if (b == 0xE0) lo = 0xA0;
    if (b == 0xED) hi = 0x9F;
    if (s[1] < lo || s[1] > hi || (n == 3 && (s[2] & 0xC0) != 0x80)) return -1;
    if (n == 2) c = (b & 0x1F) << 6 | (s[1] & 0x3F);
    else c = (b & 0x0F) << 12 | (s[1] & 0x3F) << 6 | (s[2] & 0x3F);
    return n;
}

// The Shift-JIS bytes of a code point (lead * 256 + trail when two), or CP932NONE.
unsigned sjisof(unsigned c)
{
    const unsigned* end = cp932encode + sizeof cp932encode / sizeof *cp932encode;
    const unsigned* at = std::lower_bound(cp932encode, end, c << 16);
    return at != end && *at >> 16 == c ? *at & 0xFFFF : CP932NONE;
}

size_t encode(char** in, size_t* inleft, char** out, size_t* outleft)
{
    while (*inleft > 0) {
        unsigned c;
        int n = readutf8(reinterpret_cast<unsigned char*>(*in), *inleft, c);
        if (n <= 0) return fail(n == 0 ? EINVAL : EILSEQ);
        unsigned s = sjisof(c);
        if (s == CP932NONE) return fail(EILSEQ);
        size_t len = s > 0xFF ? 2 : 1;
        if (*outleft < len) return fail(E2BIG);
        if (len == 2) *(*out)++ = static_cast<char>(s >> 8);
        *(*out)++ = static_cast<char>(s & 0xFF);
        *outleft -= len;
        *in += n;
        *inleft -= static_cast<size_t>(n);
    }
    return 0;
}

size_t decode(char** in, size_t* inleft, char** out, size_t* outleft)
{
    while (*inleft > 0) {
        const unsigned char* s = reinterpret_cast<unsigned char*>(*in);
        unsigned c = cp932single[s[0]];
        size_t n = 1;
        if (c == CP932LEAD) {
            if (*inleft < 2) return fail(EINVAL);
            c = cp932double[(cp932row[s[0]] - 1) * 256 + s[1]];
            n = 2;
        }
        if (c == CP932NONE) return fail(EILSEQ);
        std::string u;  // never more than three bytes: held in place, no allocation
        pututf8(c, u);
        size_t len = u.size();
        if (*outleft < len) return fail(E2BIG);
        std::memcpy(*out, u.data(), len);
        *out += len;
        *outleft -= len;
        *in += n;
        *inleft -= n;
    }
    return 0;
}
}  // namespace

extern "C" {
iconv_t iconv_open(const char* to, const char* from)
{
    if (named(to, "CP932") && named(from, "UTF-8")) return &intosjis;
    if (named(to, "UTF-8") && named(from, "CP932")) return &intoutf8;
    errno = EINVAL;
    return reinterpret_cast<iconv_t>(-1);
}

size_t iconv(iconv_t cd, char** in, size_t* inleft, char** out, size_t* outleft)
{
    if (!in || !*in) return 0;  // no shift states to reset
    return *static_cast<direction*>(cd) == TOSJIS ? encode(in, inleft, out, outleft)
                                                   : decode(in, inleft, out, outleft);
}

int iconv_close(iconv_t) { return 0; }
}
