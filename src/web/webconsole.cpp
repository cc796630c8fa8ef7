#include "webconsole.h"

#include <emscripten.h>

#include <algorithm>
#include <cstring>

#include "core/lineinput.h"
#include "core/text.h"

// The page's side (web/page.js): the terminal's bytes, and the keys.
EM_JS(void, pageshow, (const char* bytes, int n), {
    Module.kurashi.show(HEAPU8.slice(bytes, bytes + n));  // a copy: xterm.js reads it later
});
EM_JS(int, pagepoll, (), { return Module.kurashi.poll(); });
EM_ASYNC_JS(int, pagewait, (), { return await Module.kurashi.wait(); });

namespace {
// The game's palette (bit 0 blue, 1 green, 2 red) in the terminal's order (1 red, 4 blue).
constexpr int ansi[8] = {0, 4, 2, 6, 1, 5, 3, 7};
}  // namespace

WebConsole::WebConsole() { write("\x1b[?25l"); }  // no cursor but at word prompts

void WebConsole::send()
{
    if (outlen) pageshow(out, static_cast<int>(outlen));
    outlen = 0;
}

void WebConsole::write(std::string_view text)
{
    while (!text.empty()) {
        if (outlen == sizeof out) send();
        size_t n = std::min(text.size(), sizeof out - outlen);
        std::memcpy(out + outlen, text.data(), n);
        outlen += n;
        text.remove_prefix(n);
    }
}

void WebConsole::sgr(int attr)
{
    if (attr == shown) return;
    shown = attr;
    int fg = attr & 15, bg = attr >> 4 & 15;
    char code[32];
    size_t n = format(code, sizeof code, "\x1b[0;%d;%dm", (fg & 8 ? 90 : 30) + ansi[fg & 7],
                      (bg & 8 ? 100 : 40) + ansi[bg & 7]);
    write(std::string_view(code, n));
}

void WebConsole::color(int attr)
{
    current = attr & 0xFF;
    sgr(current);
}

void WebConsole::clear()
{
    write("\x1b[0m\x1b[2J\x1b[H");  // wiped in the terminal's own colours, as curses does
    shown = -1;
    sgr(current);
}

int WebConsole::nextinput()
{
    send();
    int k = pagepoll();
    return k >= 0 ? k : pagewait();
}

int WebConsole::getkey()
{
    if (pending >= 0) {
        int k = pending;
        pending = -1;
        return k;
    }
    for (;;) {
        int k = nextinput();
        if (k >= EXTENDED) {
            pending = k & 0xFF;
            return k >> 8 & 0xFF;
        }
        if (k == '\n' || k == '\r') return KEYENTER;
        if (k == 127) return KEYBACKSPACE;
        if (k < 128) return k;
        // other characters mean nothing at a one-key prompt
    }
}

namespace {
wordkey wordkeyof(int k)
{
    if (k == '\r' || k == '\n') return wordkey::enter;
    if (k == 127 || k == 8) return wordkey::back;
    if (k == KEYESC) return wordkey::esc;
    return k < EXTENDED ? wordkey::ch : wordkey::other;  // a key without a character types nothing
}
}  // namespace

std::string WebConsole::readword(size_t maxbytes, bool leavable)
{
    std::string typing;
    write("\x1b[?25h\x1b" "7");  // the cursor shows, and where the typing begins is kept
    for (wordedit e = wordedit::none; e != wordedit::done && e != wordedit::left;) {
        int k = nextinput();
        size_t had = typing.size();
        e = editword(typing, maxbytes, leavable, wordkeyof(k), static_cast<unsigned>(k));
        if (e == wordedit::added) {
            write(std::string_view(typing).substr(had));
        } else if (e == wordedit::erased || e == wordedit::left) {
            write("\x1b" "8\x1b[J");  // the typing written again, with less typed
            write(typing);
        }
    }
    write("\x1b[?25l\n");
    return firstword(typing);
}
