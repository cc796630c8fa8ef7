// The field's hot path in the most crowded mode: one turn (128 creatures, the screen drawn
// into a console that keeps nothing) and the building of a floor. Every heap allocation
// made while they run is counted; play should make none.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <new>

#include "core/console.h"
#include "core/creatures.h"
#include "core/paths.h"
#include "core/state.h"
#include "field/dungeon.h"
#include "field/floor.h"

namespace {
long allocations = 0;
}

void* operator new(std::size_t n)
{
    allocations++;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {
// Walks round in a small square and shows nothing.
class NullConsole : public Console {
public:
    int getkey() override { return walk[next++ % 4]; }
    void clear() override {}
    void color(int) override {}
    void write(std::string_view) override {}
    std::string readword(size_t) override { return "0"; }

private:
    static constexpr int walk[4] = {KEYUP, KEYLEFT, KEYDOWN, KEYRIGHT};
    unsigned next = 0;
};

NullConsole nullconsole;

// A lunatic-mode player on the first floor of the mine, strong enough not to die.
void lunaticfloor()
{
    static bool loaded = false;
    if (!loaded) {
        char err[512];
        setfolders(KURASHI_SOURCE_DIR, KURASHI_SOURCE_DIR);
        if (!loadmaps(err, sizeof err)) {
            std::fprintf(stderr, "%s\n", err);
            std::exit(1);
        }
        loaded = true;
    }
    resetstate();
    setconsole(&nullconsole);
    setnpclist();
    setmode(3);
    std::srand(1);
    for (int s = 0; s < NSTAT; s++) {
        statview v = statof(pc, s);
        *v.base = *v.cur = s == SPD ? 60 : 10;
    }
    pc.lv = 1;
    pc.full = 1000;
    for (slot& s : inv) s.kind = -1;
    for (slot& s : mat) s.kind = -1;
    dun = 0;
    depth = 1;
    createmap();
}

// Keeps the turn representative: alive, never levelling (the spell choice would wait for a
// key), and never reaching the floor's time limit.
void steady()
{
    pc.hp = pc.maxhp = 1000000;
    pc.exp = 0;
    pc.floorturn = 1;
}

benchmark::Counter periteration(long count)
{
    return benchmark::Counter(static_cast<double>(count), benchmark::Counter::kAvgIterations);
}

void fieldturnbench(benchmark::State& state)
{
    lunaticfloor();
    long turns = 0, before = allocations;
    for (auto _ : state) {
        steady();
        overlay();
        while (!fieldcommand(keyprompt())) {
        }
        endturn();
        if (++turns % 300 == 0) {  // a fresh, fully stocked floor now and then
            state.PauseTiming();
            createmap();
            state.ResumeTiming();
        }
    }
    state.counters["allocs/turn"] = periteration(allocations - before);
}
BENCHMARK(fieldturnbench);

void createmapbench(benchmark::State& state)
{
    lunaticfloor();
    long before = allocations;
    for (auto _ : state) createmap();
    state.counters["allocs/floor"] = periteration(allocations - before);
}
BENCHMARK(createmapbench);
}  // namespace
