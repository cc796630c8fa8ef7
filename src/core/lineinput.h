#pragma once
// Word prompts. The byte-stream consoles (plain and scripted): blank lines are skipped,
// the first word of the next line is taken, the rest of that line is dropped. The screen
// consoles (terminal and browser): the word is typed key by key, with Backspace.

#include <cstddef>
#include <string>

#include "core/console.h"

// next() gives the next input byte, or -1 when the input has ended. lastcr carries the
// line end across keys and words: a '\n' right after '\r' ends no second line.
// At a prompt the player may leave, a blank line, or a line whose first byte that is no
// blank is Escape, leaves it: the word is empty (and the rest of that line dropped).
// ended is set when the input ends with no word and no leaving.
template <class Next>
std::string wordofline(Next next, size_t maxbytes, bool leavable, bool& lastcr, bool& ended)
{
    ended = false;
    for (;;) {
        std::string word;
        bool inword = false, done = false, left = false;
        for (;;) {
            int c = next();
            if (c < 0) {
                ended = word.empty() && !left;
                lastcr = false;
                return word;
            }
            bool lf = c == '\n' && lastcr;
            lastcr = c == '\r';
            if (lf) continue;
            if (c == '\n' || c == '\r') break;
            bool blank = c == ' ' || c == '\t' || c == '\v' || c == '\f';
            if (blank) {
                if (inword) done = true;
                continue;
            }
            if (done || left) continue;
            if (leavable && !inword && c == KEYESC) {
                left = true;
                continue;
            }
            inword = true;
            if (word.size() < maxbytes) word.push_back(static_cast<char>(c));
        }
        if (!word.empty() || leavable) return word;
    }
}

// Keeps whole characters only: a word cut at maxbytes loses a broken last character.
std::string wholechars(std::string word);

// The first word of a line typed at a word prompt (spaces split words); empty when there is
// none, as when the player left the prompt.
std::string firstword(const std::string& line);

// A key at a screen console's word prompt, as editword takes it.
enum class wordkey { enter, back, esc, ch, other };
// What the key did to the typing, for the console to show.
enum class wordedit {
    none,    // nothing: a key of no use here
    added,   // a character went on the end
    erased,  // the last character went
    done,    // Enter ended a word
    left,    // the player left the prompt; the typing is emptied
};
// One key at a word prompt: ch is the character of wordkey::ch. Enter ends only a line
// with a word in it; where the player may leave (leavable), Escape or Enter on an empty
// line leaves. A character that would take the typing beyond maxbytes is not taken.
wordedit editword(std::string& typing, size_t maxbytes, bool leavable, wordkey key, unsigned ch = 0);
