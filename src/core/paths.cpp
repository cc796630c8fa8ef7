#include "core/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifndef KURASHI_DATADIR
#define KURASHI_DATADIR "/usr/local/share/kurashi"
#endif
#ifndef KURASHI_LOCALEDIR
#define KURASHI_LOCALEDIR "/usr/local/share/locale"
#endif

namespace {
std::string maps = ".", data = ".";
const char* const grounds[3] = {"mine", "forest", "sea"};

std::string join(const std::string& folder, const std::string& rel)
{
    if (folder.empty() || folder == ".") return rel;
    return folder.back() == '/' ? folder + rel : folder + "/" + rel;
}

bool isfolder(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool holdsmaps(const std::string& folder) { return isfolder(join(folder, "map")); }

// The folder of the running program.
std::string programfolder()
{
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return "";
    path[n] = 0;
    char* slash = std::strrchr(path, '/');
    if (!slash) return "";
    *slash = 0;
    return path;
}

// The installed maps: beside the program in ../share/kurashi, in the folder fixed when it
// was built, or (for a program still in its build folder) the source folder above it.
std::string installedmaps()
{
    std::string bin = programfolder();
    for (const std::string& f : {bin + "/../share/kurashi", std::string(KURASHI_DATADIR),
                                 bin + "/.."}) {
        char real[4096];
        if (!bin.empty() && holdsmaps(f)) return realpath(f.c_str(), real) ? real : f;
    }
    return holdsmaps(KURASHI_DATADIR) ? KURASHI_DATADIR : ".";
}

// Empty when there is no home to find it in: never the working directory by accident.
std::string xdgdata()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return join(xdg, "kurashi");
    const char* home = std::getenv("HOME");
    return home && *home ? join(home, ".local/share/kurashi") : "";
}

std::string xdgconfig()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return join(xdg, "kurashi");
    const char* home = std::getenv("HOME");
    return home && *home ? join(home, ".config/kurashi") : "";
}

bool makefolders(const std::string& path)
{
    for (size_t i = 1; i <= path.size(); i++) {
        if (i < path.size() && path[i] != '/') continue;
        std::string part = path.substr(0, i);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return isfolder(path);
}
}  // namespace

folders findfolders(const std::string& dir)
{
    if (!dir.empty()) return {dir, dir, "--dir"};
    if (holdsmaps(".")) return {".", ".", "the working directory holds map/"};
    return {installedmaps(), xdgdata(), "installed"};
}

bool preparedata(const std::string& folder, std::string& err)
{
    if (!makefolders(folder)) {
        err = "cannot create the folder " + folder + ": " + std::strerror(errno);
        return false;
    }
    // a real write tells more than the permission bits (read-only mounts, full disks); a
    // name of its own, made new, so that nothing already there is touched
    std::string probe = join(folder, ".kurashi-write-test-XXXXXX");
    int fd = mkstemp(probe.data());
    if (fd < 0) {
        err = "cannot write in the folder " + folder + ": " + std::strerror(errno);
        return false;
    }
    close(fd);
    unlink(probe.c_str());
    return true;
}

std::string catalogfolder()
{
    std::string bin = programfolder();
    for (const std::string& f :
         {bin + "/locale", bin + "/../share/locale", std::string(KURASHI_LOCALEDIR)}) {
        struct stat st;
        if ((!bin.empty() || f == KURASHI_LOCALEDIR) &&
            stat((f + "/en/LC_MESSAGES/kurashi.mo").c_str(), &st) == 0 && S_ISREG(st.st_mode))
            return f;
    }
    return "";
}

std::string optionspath()
{
    std::string folder = xdgconfig();
    return folder.empty() ? "" : join(folder, "kurashi.ini");
}

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
