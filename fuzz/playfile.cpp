// A game file loaded from the title and played for a few hundred random keys: whatever
// numbers the reader lets through, no rule overflows or runs out of bounds (the sanitizers
// watch) and the state stays sound.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "core/paths.h"
#include "field/floor.h"
#include "home/savegame.h"
#include "keyfuzz.h"
#include "tempdir.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static TempDir data;
    setfolders(KURASHI_SOURCE_DIR, data.path);
    char err[512];
    if (data.path.empty() || !loadmaps(err, sizeof err)) {
        std::fprintf(stderr, "fuzz_playfile: %s\n", data.path.empty() ? "no temporary folder" : err);
        std::exit(2);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    savedgame g;
    loaderror bad;
    if (!readgame(text, g, bad)) return 0;  // refused files are the gamefile target's
    fuzzsettings s;
    s.keys = 400;
    fuzzgame played = fuzzloaded(static_cast<unsigned>(std::hash<std::string>{}(text)), text, s);
    if (played.problem.empty()) return 0;
    std::fprintf(stderr, "fuzz_playfile: seed %u: %s\n", played.seed, played.problem.c_str());
    std::abort();
}
