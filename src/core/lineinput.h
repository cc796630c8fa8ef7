#pragma once
// Word prompts of the byte-stream consoles (plain and scripted): blank lines are skipped,
// the first word of the next line is taken, the rest of that line is dropped.

#include <cstddef>
#include <string>

// next() gives the next input byte, or -1 when the input has ended.
template <class Next>
std::string wordofline(Next next, size_t maxbytes, bool& ended)
{
    ended = false;
    for (;;) {
        std::string word;
        bool inword = false, done = false;
        for (;;) {
            int c = next();
            if (c < 0) {
                ended = true;
                return word;
            }
            if (c == '\n' || c == '\r') break;
            bool blank = c == ' ' || c == '\t' || c == '\v' || c == '\f';
            if (blank) {
                if (inword) done = true;
                continue;
            }
            if (done) continue;
            inword = true;
            if (word.size() < maxbytes) word.push_back(static_cast<char>(c));
        }
        if (!word.empty()) return word;
    }
}

// Keeps whole characters only: a word cut at maxbytes loses a broken last character.
std::string wholechars(std::string word);

// The first word of a line typed at a word prompt that holds one (spaces split words).
std::string firstword(const std::string& line);
