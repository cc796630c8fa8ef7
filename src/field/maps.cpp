// The map files: read and checked once at start-up, then kept in memory, so that a floor
// is built without touching a file and nothing a player does can meet a broken map.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "core/catalog.h"
#include "core/paths.h"
#include "core/text.h"
#include "field/floor.h"

namespace {
unsigned char maptable[NGROUND][NMAPFILE][MAPH][MAPW];

constexpr int MAXTOKEN = 16;

bool space(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The next whitespace-separated word of the file; false at its end. A word too long for
// word comes back cut, which no terrain code can be.
bool nexttoken(std::FILE* f, char (&word)[MAXTOKEN])
{
    int c;
    do c = std::getc(f);
    while (space(c));
    if (c == EOF) return false;
    int len = 0;
    while (c != EOF && !space(c)) {
        if (len < MAXTOKEN - 1) word[len++] = static_cast<char>(c);
        c = std::getc(f);
    }
    word[len] = 0;
    return true;
}

// A terrain code as the map files write it: a decimal number, perhaps signed, 0..9.
int terraincode(const char* word)
{
    const char* p = word;
    bool negative = *p == '-';
    if (*p == '+' || *p == '-') p++;
    if (!*p) return -1;
    int value = 0;
    for (; *p; p++) {
        if (*p < '0' || *p > '9') return -1;
        value = value * 10 + (*p - '0');
        if (value > 9) return -1;
    }
    return negative && value ? -1 : value;
}

bool standable(int code)
{
    return code == TFLOOR || code == TDOWN || code == TUP || code == TROUGH || code == TROUGH2;
}

// Whether the map leaves room for the items and creatures of every mode.
bool roomy(const int codes[MAPH][MAPW], const char* path, char* err, size_t cap)
{
    int floor = 0, stand = 0;
    for (int y = 0; y < MAPH; y++)
        for (int x = 0; x < MAPW; x++) {
            floor += codes[y][x] == TFLOOR;
            stand += standable(codes[y][x]);
        }
    if (floor >= MINFLOOR && stand >= MINSTAND) return true;
    format(err, cap,
           "%s has too little room: %d floor cells (items need %d) and %d cells to stand on "
           "(creatures and the player need %d)",
           path, floor, MINFLOOR, stand, MINSTAND);
    return false;
}
}  // namespace

bool readmap(const char* path, int codes[MAPH][MAPW], char* err, size_t cap)
{
    // opened without waiting, so that a FIFO or a device in its place never holds the start up
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat st;
    if (fd >= 0 && (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        close(fd);
        format(err, cap, "%s is broken: it is not a regular file", path);
        return false;
    }
    std::FILE* f = fd < 0 ? nullptr : fdopen(fd, "r");
    if (!f) {
        if (fd >= 0) close(fd);
        format(err, cap, "%s is missing (it cannot be opened)", path);
        return false;
    }
    char word[MAXTOKEN];
    int n = 0;
    bool ok = true;
    // anything after the 1600th number is not part of the map
    while (ok && n < MAPW * MAPH && nexttoken(f, word)) {
        int code = terraincode(word);
        if (code < 0) {
            format(err, cap, "%s is broken: number %d, \"%s\", is not a terrain code 0..9", path,
                   n + 1, word);
            ok = false;
        } else {
            codes[n / MAPW][n % MAPW] = code;
            n++;
        }
    }
    std::fclose(f);
    if (ok && n < MAPW * MAPH) {
        format(err, cap, "%s is broken: it holds %d terrain codes, a map needs %d", path, n,
               MAPW * MAPH);
        ok = false;
    }
    return ok;
}

void storemap(int ground, int n, const int codes[MAPH][MAPW])
{
    if (ground < 0 || ground >= NGROUND || n < 0 || n >= NMAPFILE) return;
    for (int y = 0; y < MAPH; y++)
        for (int x = 0; x < MAPW; x++)
            maptable[ground][n][y][x] = static_cast<unsigned char>(codes[y][x]);
}

bool loadmaps(char* err, size_t cap)
{
    int codes[MAPH][MAPW];
    for (int g = 0; g < NGROUND; g++)
        for (int n = 0; n < NMAPFILE; n++) {
            std::string path = mappath(g, n);
            char why[384];
            if (!readmap(path.c_str(), codes, why, sizeof why) ||
                !roomy(codes, path.c_str(), why, sizeof why)) {
                format(err, cap,
                       "%s\nStart kurashi from the folder that holds map/ (or name that folder "
                       "with --dir DIR).",
                       why);
                return false;
            }
            storemap(g, n, codes);
        }
    return true;
}

void laymap(int ground, int n)
{
    const unsigned char(&codes)[MAPH][MAPW] = maptable[ground % NGROUND][n % NMAPFILE];
    for (int y = 0; y < MAPH; y++)
        for (int x = 0; x < MAPW; x++) {
            map[y][x] = codes[y][x];
            mi[y][x] = chip[codes[y][x]];
        }
}
