// The map reader: nothing crashes it, and a map it takes holds only terrain codes 0..9.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "readercheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // the reader opens a file by name: the input is one, kept in memory
    static int fd = memfd_create("map", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        std::abort();
    std::string p = mapproblem(path.c_str());
    if (p.empty()) return 0;
    std::fprintf(stderr, "fuzz_map: %s\n", p.c_str());
    std::abort();
}
