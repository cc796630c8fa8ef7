#pragma once
// The plain console: keys are the bytes of stdin ('\n' is Enter), text goes to stdout as
// UTF-8 without colours, and each screen clear writes a form feed. For scripts, bots,
// screen readers and bug reports. When stdin ends the game ends at once.

#include "core/console.h"

class PlainConsole : public Console {
public:
    PlainConsole(int infd, int outfd);
    ~PlainConsole() override;
    int getkey() override;
    void clear() override;
    void color(int) override {}
    void write(std::string_view text) override;
    std::string readword(size_t maxbytes, bool leavable = false) override;
    void flush();
    // When set, a wait for input broken by a signal ends the input if this says so.
    bool (*stopped)() = nullptr;

private:
    int nextbyte();  // -1 at the end of input
    [[noreturn]] void inputended();

    int in, out;
    unsigned char inbuf[4096];
    size_t inpos = 0, inlen = 0;
    char outbuf[16384];
    size_t outlen = 0;
    bool lastcr = false;
};
