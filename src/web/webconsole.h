#pragma once
// The browser's console: the game's screens go to xterm.js in the page, and its keys come
// from the page's key events and touch buttons. The screen is handed to the page only when
// the game waits for a key, and the wait gives the browser back its thread (Asyncify), so
// the game keeps its one loop.

#include <cstddef>
#include <string>

#include "core/console.h"

// What the page sends for a key that has no character: EXTENDED + prefix * 256 + scan code
// (the arrows as 224 and their code, function keys as 0 and theirs). Characters come as
// their code points.
constexpr int EXTENDED = 0x110000;

class WebConsole : public Console {
public:
    WebConsole();
    int getkey() override;
    void clear() override;
    void color(int attr) override;
    void write(std::string_view text) override;
    std::string readword(size_t maxbytes, bool leavable = false) override;
    // Hands what is drawn to the page.
    void send();

private:
    int nextinput();  // the next key or character of the page, waiting for one
    void sgr(int attr);

    char out[16384];
    size_t outlen = 0;
    int current = 15;  // the game's colour
    int shown = -1;    // the colour the page's terminal writes in; -1: not known
    int pending = -1;  // second byte of an extended key
};
