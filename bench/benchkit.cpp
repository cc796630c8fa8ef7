#include "benchkit.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "core/catalog.h"
#include "core/creatures.h"
#include "core/lang.h"
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

namespace {
bool startswith(std::string_view text, std::string_view head) { return text.substr(0, head.size()) == head; }

// The questions the bench answers, as the screens show them in the language of the run:
// looked up once, outside the timing.
enum { LEARNASK, USEASK, CASTASK, THROWASK, REFUSAL, FELLASK, DIGASK, ASKS };
const char* asks[ASKS];
void lookupasks()
{
    const char* ja[ASKS] = {"何の魔法を覚える？\n\n", "何を使う?\n", "何の魔法を詠唱する？\n", "何を投げる?\n",
                            "何かキーを押してください", "\nどこを伐採する？", "\nどこを掘る？"};
    for (int i = 0; i < ASKS; i++) asks[i] = _(ja[i]);
}
}  // namespace

void BenchConsole::queuearrow(int code)
{
    queue[queued++] = KEYPREFIX;
    queue[queued++] = code;
}

int BenchConsole::command()
{
    static constexpr int walk[] = {KEYUP, KEYLEFT, KEYDOWN, KEYRIGHT};
    static constexpr int act[] = {KEYUP, 'f', KEYLEFT, 'T', KEYDOWN, 't', KEYRIGHT, 'm',
                                  KEYUP, 't', KEYLEFT, 'D', KEYDOWN, '*', KEYRIGHT, 'C'};
    int key = acting ? act[step++ % std::size(act)] : walk[step++ % std::size(walk)];
    if (key != KEYUP && key != KEYDOWN && key != KEYLEFT && key != KEYRIGHT) return key;
    queuearrow(key);
    return getkey();
}

int BenchConsole::getkey()
{
    if (next < queued) {
        int key = queue[next++];
        if (next == queued) next = queued = 0;
        return key;
    }
    if (*scripted) return static_cast<unsigned char>(*scripted++);
    if (escapes > 0) {
        escapes--;
        return KEYESC;
    }
    switch (question) {
    case LEARN: return 'a' + spell++ % 26;
    case USE: return 'a' + menus++ % 2;  // the potion, then the wand
    case MENU: return 'a';
    case DIRECTION:
        question = COMMAND;
        queuearrow(KEYUP);
        return getkey();
    default: break;
    }
    if (tx == 100) return command();
    // an aim: the cursor one cell right, then fire
    if (aimed++ == 0) {
        queuearrow(KEYRIGHT);
        return getkey();
    }
    aimed = 0;
    return KEYENTER;
}

void BenchConsole::clear()
{
    question = COMMAND;
    fresh = true;
}

void BenchConsole::write(std::string_view text)
{
    if (fresh) {
        if (startswith(text, asks[LEARNASK])) question = LEARN;
        else if (startswith(text, asks[USEASK])) question = USE;
        else if (startswith(text, asks[CASTASK]) || startswith(text, asks[THROWASK])) question = MENU;
    }
    fresh = false;
    if (text == asks[REFUSAL]) escapes = 2;  // the refusal's key, and out of the menu
    else if (startswith(text, asks[FELLASK]) || startswith(text, asks[DIGASK])) question = DIRECTION;
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
        // KURASHI_BENCH_LANG=en: the same games on English screens
        const char* lang = std::getenv("KURASHI_BENCH_LANG");
        if (lang && !std::strcmp(lang, "en")) {
            if (!opencatalog(KURASHI_LOCALE)) std::fprintf(stderr, "no catalogue in %s\n", KURASHI_LOCALE);
            setlang(EN);
        }
        lookupasks();
        loaded = true;
    }
    resetstate();
    benchconsole = BenchConsole();
    setconsole(&benchconsole);
    std::srand(1);
    benchconsole.script("d");  // the mode: lunatic
    init(-1);
}

void stockactions()
{
    constexpr int HEALPOTION = 0, ARROWWAND = FIRSTWAND + 5, MAGICARROW = 5;
    inv[0] = {HEALPOTION, 50};
    inv[1] = {ARROWWAND, 50};
    arrow = 50;
    pc.magic[0] = MAGICARROW;
    pc.mp = pc.maxmp = pc.maxmp < 100 ? 100 : pc.maxmp;
}

benchmark::Counter periteration(double count)
{
    return benchmark::Counter(count, benchmark::Counter::kAvgIterations);
}
