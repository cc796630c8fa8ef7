#include "home/optionsfile.h"

#include <ini.h>
#include <strings.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

namespace {
// One pass over the file: where the reader stands, and what it found at fault.
struct reading {
    std::FILE* file;
    optdata& o;
    int line = 0;
    std::vector<std::pair<int, std::string>> faults;

    void fault(const std::string& what) { faults.emplace_back(line, what); }
};

// Hands inih one line at a time, so that the handler knows the line it is called for; the
// rest of a line too long for inih is dropped with it rather than read as a line of its own.
char* nextline(char* str, int num, void* stream)
{
    reading& r = *static_cast<reading*>(stream);
    if (!std::fgets(str, num, r.file)) return nullptr;
    r.line++;
    size_t n = std::strlen(str);
    if (n + 1 == static_cast<size_t>(num) && str[n - 1] != '\n' && !std::feof(r.file)) {
        int c;
        while ((c = std::fgetc(r.file)) != EOF && c != '\n') {
        }
        r.fault("line too long");
        str[0] = 0;  // read as a blank line
    }
    return str;
}

bool onoff(const char* value, bool& out)
{
    if (!strcasecmp(value, "on")) return out = true, true;
    if (!strcasecmp(value, "off")) return out = false, true;
    return false;
}

int onekey(void* user, const char*, const char* name, const char* value)
{
    reading& r = *static_cast<reading*>(user);
    bool* target = !strcasecmp(name, "assist")   ? &r.o.assist
                   : !strcasecmp(name, "vikeys") ? &r.o.vikeys
                                                 : nullptr;
    if (!target) {
        r.fault(std::string("unknown key \"") + name + "\" (the keys are assist and vikeys)");
    } else {
        bool v;
        if (onoff(value, v)) *target = v;
        else r.fault(std::string(name) + " must be on or off, not \"" + value + "\"");
    }
    return 1;  // the faults are kept here, each with its own line
}
}  // namespace

void readoptionsfile(const std::string& path, optdata& o, std::string& complaints)
{
    std::FILE* f = path.empty() ? nullptr : std::fopen(path.c_str(), "r");
    if (!f) {
        if (!path.empty() && errno != ENOENT && errno != ENOTDIR)
            complaints += "kurashi: " + path + ": " + std::strerror(errno) +
                          "; playing with the defaults\n";
        return;
    }
    optdata found = o;
    reading r{f, found, 0, {}};
    int first = ini_parse_stream(nextline, &r, onekey, &r);
    bool unread = std::ferror(f);
    std::fclose(f);
    if (unread || first < 0) {
        complaints += "kurashi: " + path + ": cannot be read; playing with the defaults\n";
        return;
    }
    // inih tells only the first line that is no "key = value" at all
    auto at = [](const auto& fault, int line) { return fault.first < line; };
    auto place = std::lower_bound(r.faults.begin(), r.faults.end(), first, at);
    if (first > 0 && (place == r.faults.end() || place->first != first))
        r.faults.emplace(place, first, "not a \"key = value\" line");
    for (const auto& [line, what] : r.faults)
        complaints += "kurashi: " + path + ":" + std::to_string(line) + ": " + what +
                      "; line ignored\n";
    o = found;
}
