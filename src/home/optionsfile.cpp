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
    bool wantskey = false;  // the line read holds something that is no comment or section
    bool keyed = false;     // and inih has handed a key of it over
    std::vector<std::pair<int, std::string>> faults;

    void fault(const std::string& what) { faults.emplace_back(line, what); }
    // inih tells only the first line that is no "key = value"; the others are found here, as
    // lines with words that gave no key
    void settle()
    {
        if (wantskey && !keyed) fault("not a \"key = value\" line");
        wantskey = keyed = false;
    }
};

// Whether inih reads the line as a key (or a value going on): not blank, a comment or a
// section heading. A heading left open is read as one, to be told as a line at fault.
bool keyish(const char* s, bool first)
{
    if (first && !std::strncmp(s, "\xEF\xBB\xBF", 3)) s += 3;  // a byte order mark
    s += std::strspn(s, " \t\r\n\v\f");
    if (*s == '[') return !std::strchr(s, ']');
    return *s && *s != ';' && *s != '#';
}

// Hands inih one line at a time, so that the handler knows the line it is called for; the
// rest of a line too long for inih is dropped with it rather than read as a line of its own.
char* nextline(char* str, int num, void* stream)
{
    reading& r = *static_cast<reading*>(stream);
    r.settle();
    if (!std::fgets(str, num, r.file)) return nullptr;
    r.line++;
    r.wantskey = keyish(str, r.line == 1);
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
    r.keyed = true;
    if (!strcasecmp(name, "lang")) {
        if (!langnamed(value, r.o.lang))
            r.fault(std::string("lang must be ja or en, not \"") + value + "\"");
        return 1;
    }
    bool* target = !strcasecmp(name, "assist")   ? &r.o.assist
                   : !strcasecmp(name, "vikeys") ? &r.o.vikeys
                                                 : nullptr;
    if (!target) {
        r.fault(std::string("unknown key \"") + name + "\" (the keys are assist, vikeys and lang)");
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
    reading r{f, found, 0, false, false, {}};
    int first = ini_parse_stream(nextline, &r, onekey, &r);
    r.settle();  // inih does not ask again after the last line
    bool unread = std::ferror(f);
    std::fclose(f);
    if (unread || first < 0) {
        complaints += "kurashi: " + path + ": cannot be read; playing with the defaults\n";
        return;
    }
    // what inih finds at fault, should it see a line otherwise than keyish does
    auto at = [](const auto& fault, int line) { return fault.first < line; };
    auto place = std::lower_bound(r.faults.begin(), r.faults.end(), first, at);
    if (first > 0 && (place == r.faults.end() || place->first != first))
        r.faults.emplace(place, first, "not a \"key = value\" line");
    for (const auto& [line, what] : r.faults)
        complaints += "kurashi: " + path + ":" + std::to_string(line) + ": " + what +
                      "; the file's settings are not used, the defaults are\n";
    if (r.faults.empty()) o = found;
}
