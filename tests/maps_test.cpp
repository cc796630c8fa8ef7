// The committed map files, and the start-up check that reads them.

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <queue>
#include <sstream>

#include "core/paths.h"
#include "field/floor.h"
#include "floorkit.h"
#include "testkit.h"

namespace fs = std::filesystem;

namespace {
const char* const grounds[3] = {"mine", "forest", "sea"};

fs::path gamemap(int ground, int n)
{
    return fs::path(KURASHI_SOURCE_DIR) / "map" / grounds[ground] / ("map" + std::to_string(n));
}

bool standable(int c)
{
    return c == TFLOOR || c == TDOWN || c == TUP || c == TROUGH || c == TROUGH2;
}

// Standable cells reached by walking from the first one.
int reachable(const std::vector<std::vector<int>>& m)
{
    std::vector<std::vector<bool>> seen(MAPH, std::vector<bool>(MAPW));
    std::queue<std::pair<int, int>> q;
    for (int y = 0; y < MAPH && q.empty(); y++)
        for (int x = 0; x < MAPW && q.empty(); x++)
            if (standable(m[y][x])) q.push({x, y}), seen[y][x] = true;
    int count = 0;
    while (!q.empty()) {
        auto [x, y] = q.front();
        q.pop();
        count++;
        const int d[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (auto& s : d) {
            int nx = x + s[0], ny = y + s[1];
            if (onmap(nx, ny) && standable(m[ny][nx]) && !seen[ny][nx])
                seen[ny][nx] = true, q.push({nx, ny});
        }
    }
    return count;
}
}  // namespace

TEST(MapFiles, EveryMapIsAGoodFloorOfItsGround)
{
    for (int g = 0; g < 3; g++)
        for (int n = 0; n < 6; n++) {
            SCOPED_TRACE(gamemap(g, n).string());
            std::ifstream in(gamemap(g, n));
            ASSERT_TRUE(in);
            std::vector<std::vector<int>> m;
            int count[10] = {};
            for (std::string line; std::getline(in, line);) {
                std::istringstream row(line);
                m.emplace_back();
                for (int v; row >> v;) {
                    ASSERT_TRUE(v >= 0 && v <= 9);
                    m.back().push_back(v);
                    count[v]++;
                }
                ASSERT_EQ(m.back().size(), 40u) << "40 numbers a line";
            }
            ASSERT_EQ(m.size(), 40u) << "40 lines";
            for (int i = 0; i < 40; i++) {
                EXPECT_EQ(m[0][i], TWALL);
                EXPECT_EQ(m[39][i], TWALL);
                EXPECT_EQ(m[i][0], TWALL);
                EXPECT_EQ(m[i][39], TWALL);
            }
            EXPECT_GE(count[TDOWN], 1);
            EXPECT_GE(count[TUP], 1);
            int stand = count[0] + count[2] + count[3] + count[7] + count[8];
            EXPECT_GE(count[TFLOOR], 100);
            EXPECT_GE(stand, 250);
            EXPECT_EQ(reachable(m), stand) << "every cell to stand on is reached by walking";
            EXPECT_GE(count[TROUGH], 5);
            EXPECT_GE(count[TROUGH2], 5);
            // a mine of ores and gems, a forest of trees, a shore with water
            const int own[3][2] = {{TMETAL, 30}, {TTREE, 300}, {TWATER, 100}};
            EXPECT_GE(count[own[g][0]], own[g][1]);
            EXPECT_GE(count[TGEM], g == 0 ? 15 : 0);
        }
}

class MapCheck : public GameTest {
protected:
    fs::path dir;
    std::string maps, data;

    void SetUp() override
    {
        GameTest::SetUp();
        maps = mapfolder();
        data = datafolder();
        dir = fs::temp_directory_path() / ("kurashi-maps-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy(fs::path(KURASHI_SOURCE_DIR) / "map", dir / "map", fs::copy_options::recursive);
        setfolders(dir.string(), data);
    }
    void TearDown() override
    {
        setfolders(maps, data);
        fs::remove_all(dir);
        GameTest::TearDown();
    }
    void write(const char* rel, const std::string& text) { std::ofstream(dir / rel) << text; }
    std::string check()
    {
        char err[512] = "";
        return loadmaps(err, sizeof err) ? "ok" : err;
    }
};

TEST_F(MapCheck, TheGameMapsPass) { EXPECT_EQ(check(), "ok"); }

TEST_F(MapCheck, SaysWhichFileIsMissingOrBrokenAndWhereToStart)
{
    fs::remove(dir / "map/forest/map4");
    std::string err = check();
    EXPECT_NE(err.find("map/forest/map4 is missing"), std::string::npos) << err;
    EXPECT_NE(err.find("--dir"), std::string::npos) << "how to start the game";

    fs::copy_file(gamemap(1, 4), dir / "map/forest/map4");
    std::string text;
    for (int i = 0; i < 1599; i++) text += "1 ";
    write("map/sea/map2", text);
    EXPECT_NE(check().find("map/sea/map2 is broken: it holds 1599"), std::string::npos);

    write("map/sea/map2", text + "10");
    EXPECT_NE(check().find("number 1600, \"10\", is not a terrain code"), std::string::npos);
    write("map/sea/map2", text + "x");
    EXPECT_NE(check().find("\"x\""), std::string::npos);
}

TEST_F(MapCheck, AMapNeedsRoomForTheMostCrowdedMode)
{
    // 31 floor cells and 98 rough ones: one short of the easy mode's items
    auto map = [](int floor, int rough) {
        std::string text;
        for (int i = 0; i < 1600; i++) text += i < floor ? "0 " : i < floor + rough ? "7 " : "1 ";
        return text;
    };
    write("map/mine/map5", map(31, 98));
    EXPECT_NE(check().find("map/mine/map5 has too little room"), std::string::npos);
    write("map/mine/map5", map(32, 96));  // 128 to stand on: no room for the player
    EXPECT_NE(check().find("too little room"), std::string::npos);
    write("map/mine/map5", map(32, 97));
    EXPECT_EQ(check(), "ok");
}

TEST_F(MapCheck, AnyLayoutOfTheNumbersGivesTheSameFloor)
{
    std::ifstream in(gamemap(0, 2));
    std::string oneline, signs;
    for (int v, i = 0; in >> v; i++) {
        oneline += std::to_string(v) + " ";
        signs += (i % 7 ? "+" : "\t\n") + std::to_string(v) + "  ";
    }
    codes a, b, c;
    char err[256];
    ASSERT_TRUE(readmap(gamemap(0, 2).c_str(), a, err, sizeof err));
    write("one", oneline + "\n99 trailing words are not read");
    write("signs", signs);
    ASSERT_TRUE(readmap((dir / "one").c_str(), b, err, sizeof err)) << err;
    ASSERT_TRUE(readmap((dir / "signs").c_str(), c, err, sizeof err)) << err;
    EXPECT_EQ(std::memcmp(a, b, sizeof a), 0);
    EXPECT_EQ(std::memcmp(a, c, sizeof a), 0);
}
