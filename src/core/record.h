#pragma once
// Recordings: the seed and every key the game reads, so that a game can be played again
// exactly through the plain console. A recording is a header line, then the keys as the
// plain console reads them (word prompts as their word and a line end). The header names
// the seed and the options that were on, and the language when it is not Japanese:
// "kurashi recording 1 seed 88 assist vikeys lang=en"; a game played in Japanese with every
// option off has the header of the first recordings, which ends with the seed.

#include <cstdio>
#include <string>
#include <string_view>

#include "core/console.h"
#include "core/opts.h"

// Passes everything to another console and writes every key read into a file.
class RecordConsole : public Console {
public:
    RecordConsole(Console& inner, std::FILE* file) : inner(inner), file(file) {}
    int getkey() override;
    void clear() override { inner.clear(); }
    void color(int attr) override { inner.color(attr); }
    void write(std::string_view text) override { inner.write(text); }
    std::string readword(size_t maxbytes, bool leavable = false) override;

private:
    Console& inner;
    std::FILE* file;
};

// The header line of a recording, with its line end.
std::string replayheader(unsigned seed, const optdata& o);
// The seed and options of a header line (with or without its line end); false when it is
// none, or names an option this game does not know.
bool parsereplayheader(std::string_view line, unsigned& seed, optdata& o);
// Writes the header of a recording.
bool writereplayheader(std::FILE* f, unsigned seed, const optdata& o);
// Reads the header of a recording from a file descriptor, byte by byte, leaving it at
// the first key; false when the file is no recording.
bool readreplayheader(int fd, unsigned& seed, optdata& o);
