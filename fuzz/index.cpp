// The save index reader: nothing crashes it, and every place it reads holds a whole name the
// save files can hold again and a level of -1 or more.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "readercheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string p = indexproblem(std::string_view(reinterpret_cast<const char*>(data), size));
    if (p.empty()) return 0;
    std::fprintf(stderr, "fuzz_index: %s\n", p.c_str());
    std::abort();
}
