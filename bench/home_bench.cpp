// Life at home: one pass of the home menu, and the change of day with the own shop full
// and customers crowding in. Heap allocations are counted as in the field.

#include <chrono>

#include "benchkit.h"
#include "core/catalog.h"
#include "core/clock.h"
#include "core/message.h"
#include "core/state.h"
#include "home/home.h"

namespace {
using clockticks = std::chrono::steady_clock;

// One pass with a key that is no command: the home screen, the clock, the meal and death
// checks. A day goes by every 1440 passes, with its sales and new town stock.
void homemenu(benchmark::State& state)
{
    lunaticgame();
    long before = allocations();
    for (auto _ : state) {
        benchconsole.script("z");
        homepass();
        pc.full = 1000;  // hunger at home costs hit points; the bench must not starve
    }
    state.counters["allocs/pass"] = periteration(static_cast<double>(allocations() - before));
}
BENCHMARK(homemenu)->Name("homepass")->Unit(benchmark::kMicrosecond);

// Both lists of the own shop full: 32 kinds of goods and 32 pieces of equipment.
void stockshop()
{
    shoplv = LISTSIZE;
    for (int i = 0; i < LISTSIZE; i++) {
        int kind = i % NITEM;
        itemmyshop[i] = {kind, 50, itemlist[kind].price};
        equipmyshop[i] = {i % NEQUIP, 3, 1500};
    }
}

// The clock action that passes midnight: the own shop's customers (up to the trading
// level, here 100) and the town's new stock. The shop is filled again and the clock set
// back to a minute before midnight outside the timing.
void daychange(benchmark::State& state)
{
    lunaticgame();
    skl[2 * SKTRADE] = 100;
    long before = allocations();
    for (auto _ : state) {
        stockshop();
        clearmes();
        hour = 23;
        min = 5999;
        auto start = clockticks::now();
        timeplus();
        state.SetIterationTime(std::chrono::duration<double>(clockticks::now() - start).count());
    }
    state.counters["allocs/day"] = periteration(static_cast<double>(allocations() - before));
}
BENCHMARK(daychange)->Name("daychange")->UseManualTime()->Unit(benchmark::kMicrosecond);
}  // namespace
