// The game file reader: nothing crashes it, what it takes is a sound game, and that game
// writes and reads back to the very same text.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "readercheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string p = gamefileproblem(std::string_view(reinterpret_cast<const char*>(data), size));
    if (p.empty()) return 0;
    std::fprintf(stderr, "fuzz_gamefile: %s\n", p.c_str());
    std::abort();
}
