#include "core/paths.h"

namespace {
std::string maps = ".", data = ".";
const char* const grounds[3] = {"mine", "forest", "sea"};

std::string join(const std::string& folder, const std::string& rel)
{
    if (folder.empty() || folder == ".") return rel;
    return folder.back() == '/' ? folder + rel : folder + "/" + rel;
}
}  // namespace

void setfolders(const std::string& mapfolder, const std::string& datafolder)
{
    maps = mapfolder;
    data = datafolder;
}

std::string mappath(int ground, int n)
{
    return join(maps, "map/" + std::string(grounds[ground % 3]) + "/map" + std::to_string(n));
}

std::string datapath(const std::string& rel) { return join(data, rel); }
const std::string& mapfolder() { return maps; }
const std::string& datafolder() { return data; }
