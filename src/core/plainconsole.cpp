#include "core/plainconsole.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/gameend.h"
#include "core/lineinput.h"

PlainConsole::PlainConsole(int infd, int outfd) : in(infd), out(outfd) {}

PlainConsole::~PlainConsole() { flush(); }

void PlainConsole::flush()
{
    size_t done = 0;
    while (done < outlen) {
        ssize_t n = ::write(out, outbuf + done, outlen - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // the reader has gone; nothing more can be shown
        done += static_cast<size_t>(n);
    }
    outlen = 0;
}

void PlainConsole::write(std::string_view text)
{
    while (!text.empty()) {
        if (outlen == sizeof outbuf) flush();
        size_t n = std::min(text.size(), sizeof outbuf - outlen);
        std::memcpy(outbuf + outlen, text.data(), n);
        outlen += n;
        text.remove_prefix(n);
    }
}

void PlainConsole::clear() { write("\f"); }

int PlainConsole::nextbyte()
{
    if (inpos == inlen) {
        flush();  // the player sees everything before we wait
        ssize_t n;
        do n = ::read(in, inbuf, sizeof inbuf);
        while (n < 0 && errno == EINTR && !(stopped && stopped()));
        if (n <= 0) return -1;
        inpos = 0;
        inlen = static_cast<size_t>(n);
    }
    return inbuf[inpos++];
}

void PlainConsole::inputended()
{
    flush();
    static const char line[] = "kurashi: input ended\n";
    ssize_t ignored = ::write(2, line, sizeof line - 1);
    (void)ignored;
    gameend(EXITINPUT);
}

int PlainConsole::getkey()
{
    for (;;) {
        int c = nextbyte();
        if (c < 0) inputended();
        bool skip = c == '\n' && lastcr;  // a CR LF line end is one Enter
        lastcr = c == '\r';
        if (skip) continue;
        return c == '\n' || c == '\r' ? KEYENTER : c;
    }
}

std::string PlainConsole::readword(size_t maxbytes, bool leavable)
{
    bool ended;
    std::string word =
        wholechars(wordofline([this] { return nextbyte(); }, maxbytes, leavable, lastcr, ended));
    if (ended) inputended();
    write(word);
    write("\n");
    return word;
}
