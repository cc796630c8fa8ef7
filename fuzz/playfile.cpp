// A game file loaded from the title and played for a few hundred random keys: whatever
// numbers the reader lets through, no rule overflows or runs out of bounds (the sanitizers
// watch) and the state stays sound.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/paths.h"
#include "field/floor.h"
#include "readercheck.h"
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
    std::string problem = playfileproblem(std::string_view(reinterpret_cast<const char*>(data), size));
    if (problem.empty()) return 0;
    std::fprintf(stderr, "fuzz_playfile: %s\n", problem.c_str());
    std::abort();
}
