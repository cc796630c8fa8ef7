// Writes the tables of code page 932 as this machine's C library converts it, as C++ source
// for the browser build, whose own C library converts Shift-JIS differently (other
// characters for some codes, none for the NEC and IBM rows). With these tables the browser
// writes and reads the very bytes the terminal game does.
//   c++ -std=c++20 -Isrc -o cp932gen tools/cp932gen.cpp src/core/text.cpp
//   cp932gen cp932table.inc

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "core/text.h"

namespace {
constexpr unsigned NONE = 0xFFFF;
constexpr unsigned LEAD = 0xFFFE;  // a single byte that begins a two-byte character

// The one character (code point) that the bytes make, NONE, or LEAD when they are the
// first half of one.
unsigned decode(iconv_t cd, const char* in, size_t n)
{
    char out[16];
    char* src = const_cast<char*>(in);
    char* dst = out;
    size_t left = n, room = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    size_t r = iconv(cd, &src, &left, &dst, &room);
    if (r == static_cast<size_t>(-1)) return n == 1 && errno == EINVAL ? LEAD : NONE;
    if (r != 0 || left != 0) return NONE;
    const unsigned char* u = reinterpret_cast<unsigned char*>(out);
    size_t len = static_cast<size_t>(dst - out);
    if (len == 1) return u[0];
    if (len == 2) return (u[0] & 0x1Fu) << 6 | (u[1] & 0x3Fu);
    if (len == 3) return (u[0] & 0x0Fu) << 12 | (u[1] & 0x3Fu) << 6 | (u[2] & 0x3Fu);
    return NONE;  // nothing beyond the first plane is in the code page
}

// The bytes (one, or two as lead * 256 + trail) of the code point c; NONE when the code page
// holds no exact match.
unsigned encode(iconv_t cd, unsigned c)
{
    std::string in;
    pututf8(c, in);
    unsigned char out[8];
    char* src = in.data();
    char* dst = reinterpret_cast<char*>(out);
    size_t left = in.size(), room = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    size_t r = iconv(cd, &src, &left, &dst, &room);
    size_t len = static_cast<size_t>(dst - reinterpret_cast<char*>(out));
    if (r != 0 || left != 0) return NONE;  // none, or only an approximation
    if (len == 1) return out[0];
    if (len == 2) return out[0] * 256u + out[1];
    return NONE;
}

void table(std::FILE* f, const char* decl, const std::vector<unsigned>& v, const char* fmt)
{
    std::fprintf(f, "%s = {", decl);
    for (size_t i = 0; i < v.size(); i++) {
        if (i % 12 == 0) std::fputc('\n', f);
        std::fprintf(f, fmt, v[i]);
    }
    std::fprintf(f, "\n};\n");
}
}  // namespace

int main(int argc, char** argv)
{
    std::FILE* f = argc == 2 ? std::fopen(argv[1], "w") : nullptr;
    if (!f) {
        std::fprintf(stderr, "usage: cp932gen FILE\n");
        return 2;
    }
    iconv_t dec = iconv_open("UTF-8", "CP932"), enc = iconv_open("CP932", "UTF-8");
    if (dec == reinterpret_cast<iconv_t>(-1) || enc == reinterpret_cast<iconv_t>(-1)) {
        std::fprintf(stderr, "cp932gen: this C library does not convert CP932\n");
        return 1;
    }
    std::vector<unsigned> single(256), rowof(256, 0), rows, pairs;
    for (unsigned b = 0; b < 256; b++) {
        char in = static_cast<char>(b);
        single[b] = decode(dec, &in, 1);
        if (single[b] != LEAD) continue;
        rowof[b] = static_cast<unsigned>(rows.size() / 256 + 1);
        for (unsigned t = 0; t < 256; t++) {
            char two[2] = {static_cast<char>(b), static_cast<char>(t)};
            rows.push_back(decode(dec, two, 2));
        }
    }
    for (unsigned c = 0; c < 0x10000; c++) {
        if (c >= 0xD800 && c < 0xE000) continue;
        unsigned s = encode(enc, c);
        if (s != NONE) pairs.push_back(c << 16 | s);
    }
    std::fprintf(f, "// Made by tools/cp932gen from the C library of the machine that built it.\n");
    std::fprintf(f, "constexpr unsigned short CP932NONE = 0x%X, CP932LEAD = 0x%X;\n", NONE, LEAD);
    table(f, "constexpr unsigned short cp932single[256]", single, "0x%X,");
    table(f, "constexpr unsigned char cp932row[256]", rowof, "%u,");
    table(f, "constexpr unsigned short cp932double[]", rows, "0x%X,");
    std::fprintf(f, "// code point << 16 | bytes, by code point\n");
    table(f, "constexpr unsigned cp932encode[]", pairs, "0x%X,");
    return std::fclose(f) == 0 ? 0 : 1;
}
