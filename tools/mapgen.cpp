// kurashi_mapgen: makes the game's 18 floor maps (map/mine, map/forest and map/sea, map0 to
// map5 each), or with --check tells whether the maps in a folder are the ones it makes.
//
//   kurashi_mapgen DIR           writes DIR/map/<ground>/map<n>
//   kurashi_mapgen --check DIR   compares them byte for byte; status 1 on any difference
//
// The maps come from fixed seeds and a random generator of our own, so every machine makes
// the same bytes. Each map is 40 lines of 40 terrain codes: 0 floor, 1 wall, 2 stairs down,
// 3 stairs up, 4 metal, 5 gems, 6 tree, 7 and 8 rough ground, 9 water.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <queue>
#include <string>
#include <vector>

namespace {
constexpr int W = 40, H = 40;
enum { FLOOR, WALL, DOWN, UP, METAL, GEM, TREE, ROUGH, ROUGH2, WATER };
const char* const grounds[3] = {"mine", "forest", "sea"};

using grid = std::array<std::array<int, W>, H>;
using mask = std::array<std::array<bool, W>, H>;

// xorshift32: small, fast and the same everywhere.
struct rng {
    uint32_t s;
    uint32_t next()
    {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return s;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
    int range(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int pct) { return below(100) < pct; }
};

bool inner(int x, int y) { return x > 0 && x < W - 1 && y > 0 && y < H - 1; }
bool standable(int c) { return c == FLOOR || c == DOWN || c == UP || c == ROUGH || c == ROUGH2; }

const int dxs[4] = {1, -1, 0, 0}, dys[4] = {0, 0, 1, -1};

// ---------------------------------------------------------------- shapes

// Cellular caves: cells start true with a chance that may vary over the map, then each
// pass makes a cell true when most of its 3x3 block is.
mask caves(rng& r, const std::function<int(int, int)>& pct, int passes)
{
    mask m{};
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) m[y][x] = inner(x, y) && r.chance(pct(x, y));
    for (int p = 0; p < passes; p++) {
        mask n{};
        for (int y = 1; y < H - 1; y++)
            for (int x = 1; x < W - 1; x++) {
                int count = 0;
                for (int dy = -1; dy <= 1; dy++)
                    for (int dx = -1; dx <= 1; dx++) count += m[y + dy][x + dx];
                n[y][x] = count >= 5;
            }
        m = n;
    }
    return m;
}

void paint(grid& g, const mask& m, int code)
{
    for (int y = 1; y < H - 1; y++)
        for (int x = 1; x < W - 1; x++)
            if (m[y][x]) g[y][x] = code;
}

void room(grid& g, int x0, int y0, int w, int h, int code)
{
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++)
            if (inner(x, y)) g[y][x] = code;
}

// An L-shaped passage; only cells that fit are rewritten.
void tunnel(grid& g, rng& r, int x0, int y0, int x1, int y1, int code,
            const std::function<bool(int)>& fits)
{
    auto set = [&](int x, int y) {
        if (inner(x, y) && fits(g[y][x])) g[y][x] = code;
    };
    bool across = r.chance(50);
    int cx = across ? x1 : x0, cy = across ? y0 : y1;
    for (int x = x0; x != cx; x += x0 < cx ? 1 : -1) set(x, y0);
    for (int y = y0; y != cy; y += y0 < cy ? 1 : -1) set(x0, y);
    for (int x = cx; x != x1; x += cx < x1 ? 1 : -1) set(x, cy);
    for (int y = cy; y != y1; y += cy < y1 ? 1 : -1) set(cx, y);
    set(x1, y1);
    set(cx, cy);
}

// A wandering patch: steps of a random walk from (x, y), rewriting the cells that fit.
void blob(grid& g, rng& r, int x, int y, int steps, int code, const std::function<bool(int)>& fits)
{
    for (int i = 0; i < steps; i++) {
        if (inner(x, y) && fits(g[y][x])) g[y][x] = code;
        int d = r.below(4);
        int nx = x + dxs[d], ny = y + dys[d];
        if (inner(nx, ny)) x = nx, y = ny;
    }
}

// Patches that each start on a cell that fits.
void blobs(grid& g, rng& r, int count, int minsteps, int maxsteps, int code,
           const std::function<bool(int)>& fits)
{
    for (int i = 0; i < count; i++) {
        std::vector<std::pair<int, int>> starts;
        for (int y = 1; y < H - 1; y++)
            for (int x = 1; x < W - 1; x++)
                if (fits(g[y][x])) starts.push_back({x, y});
        if (starts.empty()) return;
        auto [x, y] = starts[r.below(static_cast<int>(starts.size()))];
        blob(g, r, x, y, r.range(minsteps, maxsteps), code, fits);
    }
}

// Cells of code from that touch ground one can stand on become code to with pct chance.
void edges(grid& g, rng& r, int from, int to, int pct)
{
    grid before = g;
    for (int y = 1; y < H - 1; y++)
        for (int x = 1; x < W - 1; x++) {
            if (before[y][x] != from) continue;
            bool open = false;
            for (int d = 0; d < 4; d++) open = open || standable(before[y + dys[d]][x + dxs[d]]);
            if (open && r.chance(pct)) g[y][x] = to;
        }
}

void scatter(grid& g, rng& r, int from, int to, int pct)
{
    for (int y = 1; y < H - 1; y++)
        for (int x = 1; x < W - 1; x++)
            if (g[y][x] == from && r.chance(pct)) g[y][x] = to;
}

// ---------------------------------------------------------------- reachability

// Region number of every standable cell (4-neighbours), -1 elsewhere; returns the sizes.
std::vector<int> regions(const grid& g, std::array<std::array<int, W>, H>& label)
{
    for (auto& row : label) row.fill(-1);
    std::vector<int> sizes;
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) {
            if (!standable(g[y][x]) || label[y][x] >= 0) continue;
            int id = static_cast<int>(sizes.size());
            sizes.push_back(0);
            std::queue<std::pair<int, int>> q;
            q.push({x, y});
            label[y][x] = id;
            while (!q.empty()) {
                auto [cx, cy] = q.front();
                q.pop();
                sizes[id]++;
                for (int d = 0; d < 4; d++) {
                    int nx = cx + dxs[d], ny = cy + dys[d];
                    if (inner(nx, ny) && standable(g[ny][nx]) && label[ny][nx] < 0) {
                        label[ny][nx] = id;
                        q.push({nx, ny});
                    }
                }
            }
        }
    return sizes;
}

// Joins every region to the largest by the shortest L-shaped passage of code pass.
void connect(grid& g, rng& r, int pass)
{
    for (;;) {
        std::array<std::array<int, W>, H> label;
        std::vector<int> sizes = regions(g, label);
        if (sizes.size() < 2) return;
        int main = 0;
        for (int i = 1; i < static_cast<int>(sizes.size()); i++)
            if (sizes[i] > sizes[main]) main = i;
        int other = main == 0 ? 1 : 0;
        int best = W * H, ax = 0, ay = 0, bx = 0, by = 0;
        for (int y = 0; y < H; y++)
            for (int x = 0; x < W; x++) {
                if (label[y][x] != other) continue;
                for (int v = 0; v < H; v++)
                    for (int u = 0; u < W; u++) {
                        int dist = std::abs(u - x) + std::abs(v - y);
                        if (label[v][u] == main && dist < best)
                            best = dist, ax = x, ay = y, bx = u, by = v;
                    }
            }
        tunnel(g, r, ax, ay, bx, by, pass, [](int c) { return !standable(c); });
    }
}

// Stairs up on a floor cell, stairs down on the floor cell farthest from them by walking.
void stairs(grid& g, rng& r)
{
    std::vector<std::pair<int, int>> floors;
    for (int y = 1; y < H - 1; y++)
        for (int x = 1; x < W - 1; x++)
            if (g[y][x] == FLOOR) floors.push_back({x, y});
    if (floors.empty()) return;
    auto [ux, uy] = floors[r.below(static_cast<int>(floors.size()))];
    std::array<std::array<int, W>, H> dist;
    for (auto& row : dist) row.fill(-1);
    std::queue<std::pair<int, int>> q;
    q.push({ux, uy});
    dist[uy][ux] = 0;
    int fx = ux, fy = uy;
    while (!q.empty()) {
        auto [x, y] = q.front();
        q.pop();
        if (g[y][x] == FLOOR && dist[y][x] > dist[fy][fx]) fx = x, fy = y;
        for (int d = 0; d < 4; d++) {
            int nx = x + dxs[d], ny = y + dys[d];
            if (inner(nx, ny) && standable(g[ny][nx]) && dist[ny][nx] < 0) {
                dist[ny][nx] = dist[y][x] + 1;
                q.push({nx, ny});
            }
        }
    }
    g[uy][ux] = UP;
    g[fy][fx] = DOWN;
}

// ---------------------------------------------------------------- the three grounds

auto anyof(std::initializer_list<int> codes)
{
    std::vector<int> list(codes);
    return [list](int c) {
        for (int k : list)
            if (k == c) return true;
        return false;
    };
}

// Caves and chambers joined by shafts, rubble and puddles, ore and gems in the walls.
void mine(grid& g, rng& r, int n)
{
    paint(g, caves(r, [n](int, int) { return 43 + n * 2; }, 4), FLOOR);
    int rooms = r.range(3, 5), px = 0, py = 0;
    for (int i = 0; i < rooms; i++) {
        int w = r.range(4, 8), h = r.range(3, 6);
        int x = r.range(2, W - 3 - w), y = r.range(2, H - 3 - h);
        room(g, x, y, w, h, FLOOR);
        if (i) tunnel(g, r, px, py, x + w / 2, y + h / 2, FLOOR, [](int) { return true; });
        px = x + w / 2, py = y + h / 2;
    }
    blobs(g, r, r.range(3, 5), 10, 25, ROUGH, anyof({FLOOR}));
    blobs(g, r, r.range(2, 3), 8, 18, ROUGH2, anyof({FLOOR}));
    blobs(g, r, r.range(2, 4), 3, 6, METAL, anyof({FLOOR}));  // boulders of ore in the open
    connect(g, r, FLOOR);
    edges(g, r, WALL, METAL, 16);
    edges(g, r, WALL, GEM, 6);
    blobs(g, r, 3, 4, 10, GEM, anyof({WALL}));
    stairs(g, r);
}

// Clearings in thick wood, winding paths, undergrowth and a pond here and there.
void forest(grid& g, rng& r, int n)
{
    room(g, 1, 1, W - 2, H - 2, TREE);
    paint(g, caves(r, [n](int, int) { return 52 + n; }, 3), FLOOR);
    for (int i = 0; i < 3; i++)
        tunnel(g, r, r.range(2, W - 3), r.range(2, H - 3), r.range(2, W - 3), r.range(2, H - 3),
               FLOOR, anyof({TREE}));
    scatter(g, r, FLOOR, TREE, 9);
    blobs(g, r, r.range(5, 8), 8, 20, ROUGH, anyof({FLOOR}));
    blobs(g, r, r.range(1, 3), 6, 12, ROUGH2, anyof({FLOOR}));
    if (n % 2 == 0)
        blob(g, r, r.range(8, W - 9), r.range(8, H - 9), 40, WATER, anyof({FLOOR, TREE}));
    if (n >= 3) blobs(g, r, 2, 6, 14, WALL, anyof({TREE}));  // rocky outcrops
    connect(g, r, FLOOR);
    stairs(g, r);
}

// Shores of a sea or a lake: water on one side or all round, shallows and reeds, rocks.
void sea(grid& g, rng& r, int n)
{
    std::function<int(int, int)> wet;
    switch (n) {
    case 0: wet = [](int x, int) { return 85 - x * 2; }; break;       // sea to the west
    case 1: wet = [](int x, int) { return 8 + x * 2; }; break;        // to the east
    case 2: wet = [](int, int y) { return 85 - y * 2; }; break;       // to the north
    case 3: wet = [](int, int y) { return 8 + y * 2; }; break;        // to the south
    case 4:  // a lake in the middle
        wet = [](int x, int y) { return 95 - 3 * (std::abs(x - 20) + std::abs(y - 20)); };
        break;
    default: wet = [](int, int) { return 46; }; break;                // islands
    }
    room(g, 1, 1, W - 2, H - 2, FLOOR);
    paint(g, caves(r, wet, 4), WATER);
    blobs(g, r, r.range(2, 4), 15, 35, WATER, anyof({FLOOR}));  // ponds and lagoons
    blobs(g, r, r.range(3, 5), 5, 14, WALL, anyof({FLOOR}));    // rocks on the shore
    blobs(g, r, r.range(3, 5), 4, 10, TREE, anyof({FLOOR}));
    edges(g, r, WATER, ROUGH2, 35);                            // shallows
    blobs(g, r, r.range(4, 7), 6, 16, ROUGH, anyof({FLOOR}));  // reeds
    connect(g, r, ROUGH2);                                     // fords through the water
    stairs(g, r);
}

// ---------------------------------------------------------------- the rules a map keeps

bool fit(const grid& g)
{
    int floor = 0, stand = 0, up = 0, down = 0;
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) {
            int c = g[y][x];
            if (!inner(x, y) && c != WALL) return false;
            floor += c == FLOOR;
            stand += standable(c);
            up += c == UP;
            down += c == DOWN;
        }
    std::array<std::array<int, W>, H> label;
    return floor >= 100 && stand >= 250 && up && down && regions(g, label).size() == 1;
}

// Map n of a ground: the first seed of its series that gives a fit map.
grid make(int ground, int n)
{
    for (uint32_t attempt = 0; attempt < 1000; attempt++) {
        rng r{0x9E3779B9u ^ ((ground * 8u + n + 1u) * 2654435761u) ^ (attempt * 40503u)};
        if (!r.s) r.s = 1;
        grid g;
        for (auto& row : g) row.fill(WALL);
        if (ground == 0) mine(g, r, n);
        else if (ground == 1) forest(g, r, n);
        else sea(g, r, n);
        if (fit(g)) return g;
    }
    std::fprintf(stderr, "kurashi_mapgen: no seed gives a fit map %s/map%d\n", grounds[ground], n);
    std::exit(1);
}

std::string text(const grid& g)
{
    std::string s;
    for (const auto& row : g)
        for (int x = 0; x < W; x++) {
            s += static_cast<char>('0' + row[x]);
            s += x == W - 1 ? '\n' : ' ';
        }
    return s;
}

std::filesystem::path mapfile(const std::filesystem::path& dir, int ground, int n)
{
    return dir / "map" / grounds[ground] / ("map" + std::to_string(n));
}

bool writemaps(const std::filesystem::path& dir)
{
    for (int ground = 0; ground < 3; ground++) {
        std::filesystem::create_directories(dir / "map" / grounds[ground]);
        for (int n = 0; n < 6; n++) {
            std::ofstream out(mapfile(dir, ground, n), std::ios::binary);
            out << text(make(ground, n));
            if (!out) {
                std::fprintf(stderr, "kurashi_mapgen: cannot write %s\n",
                             mapfile(dir, ground, n).c_str());
                return false;
            }
        }
    }
    return true;
}

bool checkmaps(const std::filesystem::path& dir)
{
    bool same = true;
    for (int ground = 0; ground < 3; ground++)
        for (int n = 0; n < 6; n++) {
            std::ifstream in(mapfile(dir, ground, n), std::ios::binary);
            std::string have((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
            if (have != text(make(ground, n))) {
                std::fprintf(stderr, "kurashi_mapgen: %s differs from what the generator makes\n",
                             mapfile(dir, ground, n).c_str());
                same = false;
            }
        }
    return same;
}
}  // namespace

int main(int argc, char** argv)
{
    bool check = argc == 3 && !std::strcmp(argv[1], "--check");
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: kurashi_mapgen [--check] DIR\n");
        return 2;
    }
    std::filesystem::path dir = argv[argc - 1];
    return (check ? checkmaps(dir) : writemaps(dir)) ? 0 : 1;
}
