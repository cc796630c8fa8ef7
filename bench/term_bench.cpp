// The field turn of field_bench.cpp through the real terminal backend: curses draws into
// a pseudo-terminal of 80x25 (xterm-256color) whose output is read away between turns,
// and the arrow keys come from it. What a key costs until its screen is written, and
// that the terminal side allocates nothing either.

#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "benchkit.h"
#include "core/state.h"
#include "core/termconsole.h"
#include "field/dungeon.h"
#include "field/floor.h"

namespace {
using clockticks = std::chrono::steady_clock;

// The game's standard input and output on a pseudo-terminal while it lives.
class PseudoTerminal {
public:
    PseudoTerminal()
    {
        winsize size{25, 80, 0, 0};
        if (openpty(&master, &slave, nullptr, nullptr, &size) != 0) return;
        savedin = dup(0);
        savedout = dup(1);
        dup2(slave, 0);
        dup2(slave, 1);
        setenv("TERM", "xterm-256color", 1);
    }
    ~PseudoTerminal()
    {
        if (master < 0) return;
        dup2(savedin, 0);
        dup2(savedout, 1);
        for (int fd : {savedin, savedout, slave, master}) close(fd);
    }
    bool open() const { return master >= 0; }
    void key(const char* keys, size_t n) { (void)!write(master, keys, n); }
    // Reads away what the game wrote, so the terminal never fills up.
    void drain()
    {
        char buf[8192];
        for (;;) {
            pollfd p{master, POLLIN, 0};
            if (poll(&p, 1, 0) <= 0 || read(master, buf, sizeof buf) <= 0) return;
        }
    }

private:
    int master = -1, slave = -1, savedin = -1, savedout = -1;
};

void termturn(PseudoTerminal& terminal, int n)
{
    static const char* const walk[4] = {"\x1bOA", "\x1bOD", "\x1bOB", "\x1bOC"};
    terminal.key(walk[n % 4], 3);
    overlay();
    while (!fieldcommand(keyprompt())) {
    }
    endturn();
}

// Between turns, outside the timing, as in field_bench.cpp; the experience is taken back
// too, since the spell choice of a level-up would wait for letters the walk never types.
void betweenturns(PseudoTerminal& terminal)
{
    terminal.drain();
    if (pc.hp < 0) pc.hp = pc.maxhp;
    if (pc.full < 300) pc.full = 1000;
    pc.exp = 0;
    if (pc.floorturn >= stayfloor - 31) {
        createmap();
        pc.floorturn = 0;
    }
}

void fieldturnterminal(benchmark::State& state)
{
    PseudoTerminal terminal;
    if (!terminal.open()) return state.SkipWithError("no pseudo-terminal");
    {
        lunaticgame();
        TermConsole term;
        setconsole(&term);
        dun = 0;
        depth = 1;
        createmap();
        int n = 0;
        for (; n < 10; n++) {
            termturn(terminal, n);
            betweenturns(terminal);
        }
        long made = 0;  // allocations within the turns
        for (auto _ : state) {
            long before = allocations();
            auto start = clockticks::now();
            termturn(terminal, n++);
            state.SetIterationTime(std::chrono::duration<double>(clockticks::now() - start).count());
            made += allocations() - before;
            betweenturns(terminal);
        }
        state.counters["allocs/turn"] = periteration(static_cast<double>(made));
        term.shutdown();
        setconsole(&benchconsole);
    }
}
BENCHMARK(fieldturnterminal)->Name("fieldturn_terminal")->UseManualTime()->Unit(benchmark::kMicrosecond);
}  // namespace
