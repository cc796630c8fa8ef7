// The field in its most crowded mode: one turn (128 creatures, the screen drawn into a
// console that keeps nothing) on a shallow and a deep floor, early in a game and after a
// long one; and the building of a floor. Every heap allocation made while they run is
// counted: play makes none.

#include <algorithm>
#include <chrono>
#include <cstdint>

#include "benchkit.h"
#include "core/state.h"
#include "field/dungeon.h"
#include "field/floor.h"

namespace {
using clockticks = std::chrono::steady_clock;
bool acting = false;

// A lunatic game standing on a fresh floor of the mine at this depth; with actions, the
// player shoots, throws, uses, casts and gathers between steps.
void lunaticfloor(int floor, bool actions = false)
{
    lunaticgame();
    benchconsole.actions(actions);
    acting = actions;
    dun = 0;
    depth = floor;
    createmap();
}

// Between turns, outside the timing: the player is fed and brought back to life (the
// creatures may hurt and kill; the bench goes on), given what its actions spend, and a
// floor about to end is built anew at the same depth, so the depth stays put and the
// warning of the floor's end never breaks in.
void betweenturns()
{
    if (pc.hp < 0) pc.hp = pc.maxhp;
    if (pc.full < 300) pc.full = 1000;
    if (acting) stockactions();
    if (pc.floorturn >= stayfloor - 31) {
        createmap();
        pc.floorturn = 0;
    }
}

void playturn()
{
    overlay();
    while (!fieldcommand(keyprompt())) {
    }
    endturn();
}

// Turn times of one run, for the spread; kept in place so that keeping them allocates
// nothing.
constexpr size_t MAXKEPT = 1 << 22;
std::uint32_t kept[MAXKEPT];

double percentile(size_t n, double p)
{
    size_t k = std::min(n - 1, static_cast<size_t>(p * static_cast<double>(n)));
    std::nth_element(kept, kept + k, kept + n);
    return kept[k] / 1000.0;
}

// Arguments: the floor, the turns played before the timing starts, and whether the player
// acts (1) or only walks and fights (0).
void fieldturn(benchmark::State& state)
{
    lunaticfloor(static_cast<int>(state.range(0)), state.range(2) != 0);
    for (long t = 0; t < state.range(1); t++) {
        playturn();
        betweenturns();
    }
    size_t n = 0;
    long made = 0;  // allocations within the turns
    for (auto _ : state) {
        long before = allocations();
        auto start = clockticks::now();
        playturn();
        auto took = std::chrono::duration<double>(clockticks::now() - start);
        made += allocations() - before;
        state.SetIterationTime(took.count());
        if (n < MAXKEPT) kept[n++] = static_cast<std::uint32_t>(took.count() * 1e9);
        betweenturns();
    }
    state.counters["allocs/turn"] = periteration(static_cast<double>(made));
    state.counters["lv"] = pc.lv;
    if (n == 0) return;
    state.counters["p50_us"] = percentile(n, 0.5);
    state.counters["p99_us"] = percentile(n, 0.99);
    state.counters["max_us"] = percentile(n, 1.0);
}
BENCHMARK(fieldturn)
    ->Name("fieldturn")
    ->ArgsProduct({{1, 50}, {10, 100000}, {0, 1}})
    ->ArgNames({"floor", "after", "act"})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

void buildfloor(benchmark::State& state)
{
    lunaticfloor(static_cast<int>(state.range(0)));
    long before = allocations();
    for (auto _ : state) createmap();
    state.counters["allocs/floor"] = periteration(static_cast<double>(allocations() - before));
}
BENCHMARK(buildfloor)->Name("createmap")->Arg(1)->Arg(50)->ArgName("floor")->Unit(benchmark::kMicrosecond);
}  // namespace
