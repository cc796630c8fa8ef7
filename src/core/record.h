#pragma once
// Recordings: the seed and every key the game reads, so that a game can be played again
// exactly through the plain console. A recording is a header line, then the keys as the
// plain console reads them (word prompts as their word and a line end).

#include <cstdio>
#include <string>
#include <string_view>

#include "core/console.h"

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
std::string replayheader(unsigned seed);
// The seed of a header line (with or without its line end); false when it is none.
bool parsereplayheader(std::string_view line, unsigned& seed);
// Writes the header of a recording.
bool writereplayheader(std::FILE* f, unsigned seed);
// Reads the header of a recording from a file descriptor, byte by byte, leaving it at
// the first key; false when the file is no recording.
bool readreplayheader(int fd, unsigned& seed);
