#include "core/record.h"

#include <cstdlib>
#include <cstring>

#include <unistd.h>

namespace {
const char magic[] = "kurashi recording 1 seed ";
}

int RecordConsole::getkey()
{
    int k = inner.getkey();
    std::fputc(k, file);
    std::fflush(file);  // a crash still leaves every key read so far
    return k;
}

std::string RecordConsole::readword(size_t maxbytes)
{
    std::string w = inner.readword(maxbytes);
    std::fputs(w.c_str(), file);
    std::fputc('\n', file);
    std::fflush(file);
    return w;
}

bool writereplayheader(std::FILE* f, unsigned seed)
{
    return std::fprintf(f, "%s%u\n", magic, seed) > 0 && std::fflush(f) == 0;
}

bool readreplayheader(int fd, unsigned& seed)
{
    char line[128];
    size_t len = 0;
    char c;
    while (len + 1 < sizeof line && ::read(fd, &c, 1) == 1 && c != '\n') line[len++] = c;
    line[len] = 0;
    size_t n = std::strlen(magic);
    if (c != '\n' || std::strncmp(line, magic, n) != 0 || line[n] < '0' || line[n] > '9')
        return false;
    char* end;
    unsigned long v = std::strtoul(line + n, &end, 10);
    if (*end) return false;
    seed = static_cast<unsigned>(v);
    return true;
}
