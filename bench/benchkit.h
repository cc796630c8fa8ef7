#pragma once
// What the benchmarks share: a count of every heap allocation, a console that shows
// nothing and answers the game's questions, and a new game set up the way a player
// starts one.

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "core/console.h"

// Heap allocations (malloc, calloc, realloc, operator new ...) since the program began.
long allocations();

// Keeps no output. The keys: first those given to script(), then a walk round a small
// square, so the player moves, meets creatures and fights them. When the screen asks for
// a new spell (the choice at a level-up), it names the spells in turn until one is taken.
class BenchConsole : public Console {
public:
    int getkey() override;
    void clear() override { asking = false, fresh = true; }
    void color(int) override {}
    void write(std::string_view text) override;
    std::string readword(size_t) override { return "bench"; }
    void script(const char* keys) { scripted = keys; }

private:
    const char* scripted = "";
    unsigned step = 0;
    int spell = 0;
    bool pending = false;  // the scan code of an arrow comes next
    bool fresh = true;     // nothing written since the last clear
    bool asking = false;   // the screen asks for a spell
};

extern BenchConsole benchconsole;

// A new game in the lunatic mode through the title's own set-up (name and mode answered
// by the bench console), the maps loaded once, the bench console installed.
void lunaticgame();

// A counter shown as the average per iteration (per turn, per floor ...).
benchmark::Counter periteration(double count);
