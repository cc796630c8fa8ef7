#include "benchkit.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/creatures.h"
#include "core/paths.h"
#include "core/state.h"
#include "field/floor.h"
#include "home/title.h"

// Every allocation goes through these (operator new calls malloc): counted, then handed
// to the C library's own.
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
void __libc_free(void*);

namespace {
long counted = 0;
}

void* malloc(size_t n)
{
    counted++;
    return __libc_malloc(n);
}
void* calloc(size_t n, size_t size)
{
    counted++;
    return __libc_calloc(n, size);
}
void* realloc(void* p, size_t n)
{
    counted++;
    return __libc_realloc(p, n);
}
void* memalign(size_t align, size_t n)
{
    counted++;
    return __libc_memalign(align, n);
}
void* aligned_alloc(size_t align, size_t n) { return memalign(align, n); }
int posix_memalign(void** p, size_t align, size_t n)
{
    *p = memalign(align, n);
    return *p ? 0 : 12;  // ENOMEM
}
void free(void* p) { __libc_free(p); }
}

long allocations() { return counted; }

namespace {
// A count of 0 means something only if the counting sees what the game would do.
void checkcounting()
{
    long before = counted;
    auto* text = new std::string(100, 'x');
    benchmark::DoNotOptimize(text);
    delete text;
    if (counted == before) {
        std::fprintf(stderr, "kurashi_bench: heap allocations are not being counted\n");
        std::exit(1);
    }
}
}  // namespace

BenchConsole benchconsole;

int BenchConsole::getkey()
{
    static constexpr int walk[4] = {KEYUP, KEYLEFT, KEYDOWN, KEYRIGHT};
    if (*scripted) return static_cast<unsigned char>(*scripted++);
    if (asking) return 'a' + spell++ % 26;
    if (pending) {
        pending = false;
        return walk[step++ % 4];
    }
    pending = true;
    return KEYPREFIX;
}

void BenchConsole::write(std::string_view text)
{
    static constexpr std::string_view question = "何の魔法を覚える？";
    if (fresh && text.substr(0, question.size()) == question) asking = true;
    fresh = false;
}

void lunaticgame()
{
    static bool loaded = false;
    if (!loaded) {
        checkcounting();
        char err[512];
        setfolders(KURASHI_SOURCE_DIR, KURASHI_SOURCE_DIR);
        if (!loadmaps(err, sizeof err)) {
            std::fprintf(stderr, "%s\n", err);
            std::exit(1);
        }
        loaded = true;
    }
    resetstate();
    setconsole(&benchconsole);
    std::srand(1);
    benchconsole.script("d");  // the mode: lunatic
    init(-1);
}

benchmark::Counter periteration(double count)
{
    return benchmark::Counter(count, benchmark::Counter::kAvgIterations);
}
