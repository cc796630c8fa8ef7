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

// Keeps no output and plays the field. Its keys: first those given to script(); then the
// field's commands in turn: a walk round a small square, or (with actions on) the walk
// mixed with shooting, throwing, using a potion and a wand, casting, digging, felling and
// looking. It answers what the game asks on the way as a player would: the first entry
// of a menu, the cell right of the player for an aim, a direction for gathering, a new
// spell at a level-up, Escape after a refusal.
class BenchConsole : public Console {
public:
    int getkey() override;
    void clear() override;
    void color(int) override {}
    void write(std::string_view text) override;
    std::string readword(size_t, bool) override { return "bench"; }
    void script(const char* keys) { scripted = keys; }
    void actions(bool on) { acting = on; }

private:
    enum asked { COMMAND, LEARN, USE, MENU, DIRECTION };
    int command();  // the next field command
    void queuearrow(int code);

    const char* scripted = "";
    bool acting = false;
    asked question = COMMAND;
    bool fresh = true;  // nothing written since the last clear
    unsigned step = 0;  // of the field's commands
    int spell = 0;      // the last spell tried at a level-up
    int menus = 0;      // menus answered, to take turns between their first entries
    int aimed = 0;      // keys given to the aim under way
    int escapes = 0;    // Escapes to give, after a refusal
    int queue[4] = {};  // keys to give before anything else
    int queued = 0, next = 0;
};

extern BenchConsole benchconsole;

// A new game in the lunatic mode through the title's own set-up (name and mode answered
// by the bench console), the maps loaded once, the bench console installed.
void lunaticgame();

// Stocks the player for the actions: potions and a wand of magic arrows at the top of the
// bag, arrows, a learned magic arrow and the mana for it.
void stockactions();

// A counter shown as the average per iteration (per turn, per floor ...).
benchmark::Counter periteration(double count);
