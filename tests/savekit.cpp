#include "savekit.h"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "core/paths.h"

namespace {
std::string oldmaps, olddata;

bool blank(char c) { return c == ' ' || c == '\n' || c == '\t' || c == '\r'; }

// Start and end of word i, or npos.
std::pair<size_t, size_t> wordat(const std::string& t, int i)
{
    size_t p = 0;
    for (int n = 0;; n++) {
        while (p < t.size() && blank(t[p])) p++;
        if (p == t.size()) return {std::string::npos, std::string::npos};
        size_t s = p;
        while (p < t.size() && !blank(t[p])) p++;
        if (n == i) return {s, p};
    }
}
}  // namespace

void SaveTest::SetUp()
{
    GameTest::SetUp();
    ASSERT_FALSE(folder.empty());
    oldmaps = mapfolder();
    olddata = datafolder();
    setfolders(oldmaps, folder);
}

void SaveTest::TearDown()
{
    setfolders(oldmaps, olddata);
    GameTest::TearDown();
}

std::string slurp(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void spit(const std::string& path, const std::string& bytes)
{
    unlink(path.c_str());  // a file emptied and written again is pushed to the disk at once
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << bytes;
}

bool exists(const std::string& path)
{
    struct stat s;
    return lstat(path.c_str(), &s) == 0;
}

std::string fixture(const std::string& name)
{
    std::string t = slurp(std::string(KURASHI_SOURCE_DIR) + "/tests/data/" + name);
    EXPECT_FALSE(t.empty()) << name;
    return t;
}

std::string worldbytes()
{
    std::string b;
    auto add = [&b](const auto& v) { b.append(reinterpret_cast<const char*>(&v), sizeof v); };
    add(pc), add(inv), add(mat), add(equipment), add(warehouseitm), add(warehousemat);
    add(itemnpcshop), add(equipnpcshop), add(itemmyshop), add(equipmyshop), add(crp);
    for (int v : {money, year, month, day, hour, min, warehouselv, shoplv, farmlv, townlv, numnpc,
                  numitem, maxinv, maxmat, maxequip, excite, stayfloor, depth, arrow})
        add(v);
    add(skl);
    add(map), add(itm), add(rest), add(gathering), add(tohouse), add(eat), add(tx), add(ty);
    for (const npcdata& c : npc)
        add(c.energy), add(c.hp), add(c.mp), add(c.x), add(c.y), add(c.attitude);
    return b;
}

std::string withword(const std::string& text, int i, const std::string& word)
{
    auto [s, e] = wordat(text, i);
    if (s == std::string::npos) return text;
    return text.substr(0, s) + word + text.substr(e);
}

int wordcount(const std::string& text)
{
    int n = 0;
    while (wordat(text, n).first != std::string::npos) n++;
    return n;
}
