#include "floorkit.h"

#include <cctype>
#include <stdexcept>

#include "core/paths.h"
#include "field/floor.h"
#include "testkit.h"

void openmap(codes& m)
{
    for (int y = 0; y < MAPH; y++)
        for (int x = 0; x < MAPW; x++)
            m[y][x] = x == 0 || y == 0 || x == MAPW - 1 || y == MAPH - 1 ? TWALL : TFLOOR;
    m[5][5] = TDOWN;
    m[5][6] = TUP;
}

void storeall(const codes& m)
{
    for (int g = 0; g < NGROUND; g++)
        for (int n = 0; n < NMAPFILE; n++) storemap(g, n, m);
}

void loadgamemaps()
{
    std::string maps = mapfolder(), data = datafolder();
    setfolders(KURASHI_SOURCE_DIR, data);
    char err[512];
    bool ok = loadmaps(err, sizeof err);
    setfolders(maps, data);
    if (!ok) throw std::runtime_error(err);
}

painted lastscreen(const std::string& text)
{
    painted p;
    p.lines.emplace_back();
    p.attrs.emplace_back();
    int attr = 15;
    size_t from = text.rfind('\f');
    for (size_t i = from == std::string::npos ? 0 : from + 1; i < text.size(); i++) {
        char c = text[i];
        if (c == '<') {
            size_t j = i + 1;
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) j++;
            if (j > i + 1 && j < text.size() && text[j] == '>') {
                attr = std::stoi(text.substr(i + 1, j - i - 1));
                i = j;
                continue;
            }
        }
        if (c == '\n') {
            p.lines.emplace_back();
            p.attrs.emplace_back();
            continue;
        }
        p.lines.back() += c;
        p.attrs.back().push_back(attr);
    }
    return p;
}

void openfield(int mode)
{
    codes m;
    openmap(m);
    storeall(m);
    freshgame(mode);
    openfloor(20, 20);
    depth = 1;
}
