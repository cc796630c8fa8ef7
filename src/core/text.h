#pragma once
// Text: bounded formatting that never cuts a character, and the Shift-JIS (code page 932)
// form of the files the game keeps for the player. Inside the game all text is UTF-8.

#include <cstdarg>
#include <cstddef>
#include <string>
#include <string_view>

// snprintf into out; a result too long is cut at a character boundary. Returns the length.
size_t format(char* out, size_t cap, const char* fmt, ...) __attribute__((format(printf, 3, 4)));
size_t vformat(char* out, size_t cap, const char* fmt, va_list ap)
    __attribute__((format(printf, 3, 0)));

// The length of the longest prefix of s, at most max bytes, that ends on a character
// boundary of UTF-8.
size_t utf8cut(std::string_view s, size_t max);

// Columns a text takes on the terminal: 2 for the wide characters of Japanese, 1 for ASCII,
// the half-width kana and the letters of European scripts.
int textwidth(std::string_view s);
// The length in bytes of the longest prefix of s that fits in cols columns, ending on a
// character boundary.
size_t widthcut(std::string_view s, int cols);

// UTF-8 to Shift-JIS and back. False when the text has a character the other side cannot
// hold (or is not valid in its encoding); out is then unspecified.
bool tosjis(std::string_view utf8, std::string& out);
bool fromsjis(std::string_view sjis, std::string& out);

// Appends the UTF-8 form of the character ch.
void pututf8(unsigned ch, std::string& out);
