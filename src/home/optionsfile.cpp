#include "home/optionsfile.h"

#include <fcntl.h>
#include <ini.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

namespace {
// A few lines of options never come near this; a longer file is no options file of ours.
constexpr size_t OPTIONSCAP = 64 * 1024;
// Faults told one by one; the rest are counted in one line.
constexpr size_t SHOWNFAULTS = 10;

// One pass over the file's text: where the reader stands, and what it found at fault.
struct reading {
    std::string_view text;
    optdata& o;
    size_t pos = 0;
    int line = 0;
    bool wantskey = false;  // the line read holds something that is no comment or section
    bool keyed = false;     // and inih has handed a key of it over
    std::vector<std::pair<int, std::string>> faults;  // the first SHOWNFAULTS, by line
    int more = 0;                                     // and how many came after them

    void fault(const std::string& what)
    {
        if (faults.size() < SHOWNFAULTS) faults.emplace_back(line, what);
        else more++;
    }
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

// Hands inih one line at a time, so that the handler knows the line it is called for. A line
// too long for inih, or holding a NUL byte, is read as a blank line and told at fault.
char* nextline(char* str, int num, void* stream)
{
    reading& r = *static_cast<reading*>(stream);
    r.settle();
    if (r.pos >= r.text.size()) return nullptr;
    size_t end = r.text.find('\n', r.pos);
    end = end == std::string_view::npos ? r.text.size() : end + 1;
    std::string_view l = r.text.substr(r.pos, end - r.pos);
    r.pos = end;
    r.line++;
    str[0] = 0;
    if (l.size() + 1 > static_cast<size_t>(num)) return r.fault("line too long"), str;
    if (l.find('\0') != std::string_view::npos) return r.fault("a NUL byte in the line"), str;
    std::memcpy(str, l.data(), l.size());
    str[l.size()] = 0;
    r.wantskey = keyish(str, r.line == 1);
#ifndef KURASHI_INI_MULTILINE_SWITCH
    // this inih would take an indented line as more of the key above it
    if (r.wantskey && (str[0] == ' ' || str[0] == '\t') && r.line > 1) {
        r.wantskey = false;
        str[0] = 0;
        r.fault("an indented line (each key starts its own line)");
    }
#endif
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

// The text with its control bytes written out (\n, \x1b), so a complaint never steers the
// terminal it is shown on.
std::string escaped(std::string_view s)
{
    std::string out;
    for (unsigned char c : s) {
        if (c >= 0x20 && c != 0x7F) out += static_cast<char>(c);
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else if (c == '\r') out += "\\r";
        else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    return out;
}

// The whole text of the options file at path, when it is a regular file of at most
// OPTIONSCAP bytes; else false with the reason (empty for a file that is not there). It is
// opened without waiting, so that a FIFO or a device in its place never holds up the start.
bool slurp(const std::string& path, std::string& text, std::string& why)
{
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR) why = std::strerror(errno);
        return false;
    }
    struct stat st;
    if (fstat(fd, &st) != 0) why = std::strerror(errno);
    else if (!S_ISREG(st.st_mode)) why = "not a regular file";
    else if (st.st_size > static_cast<off_t>(OPTIONSCAP)) why = "larger than 64 KiB";
    char chunk[4096];
    while (why.empty()) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) why = std::strerror(errno);
        if (n <= 0) break;
        if (text.size() + static_cast<size_t>(n) > OPTIONSCAP) why = "larger than 64 KiB";
        else text.append(chunk, static_cast<size_t>(n));
    }
    close(fd);
    return why.empty();
}
}  // namespace

void readoptionsfile(const std::string& path, optdata& o, std::string& complaints)
{
    std::string text, why;
    const std::string at = "kurashi: " + escaped(path);
    if (path.empty() || !slurp(path, text, why)) {
        if (!why.empty()) complaints += at + ": " + why + "; playing with the defaults\n";
        return;
    }
    optdata found = o;
    reading r{text, found, 0, 0, false, false, {}, 0};
#ifdef KURASHI_INI_MULTILINE_SWITCH
    ini_allow_multiline = false;  // an indented line is a line of its own
#endif
    int first = ini_parse_stream(nextline, &r, onekey, &r);
    r.settle();  // inih does not ask again after the last line
    if (first < 0) {
        complaints += at + ": cannot be read; playing with the defaults\n";
        return;
    }
    // what inih finds at fault, should it see a line otherwise than keyish does
    auto before = [](const auto& fault, int line) { return fault.first < line; };
    auto place = std::lower_bound(r.faults.begin(), r.faults.end(), first, before);
    if (first > 0 && place != r.faults.end() && place->first != first) {
        r.faults.emplace(place, first, "not a \"key = value\" line");
        if (r.faults.size() > SHOWNFAULTS) r.faults.pop_back(), r.more++;
    } else if (first > 0 && place == r.faults.end() && r.faults.size() < SHOWNFAULTS) {
        r.faults.emplace_back(first, "not a \"key = value\" line");
    }
    for (const auto& [line, what] : r.faults)
        complaints += at + ":" + std::to_string(line) + ": " + escaped(what) +
                      "; the file's settings are not used, the defaults are\n";
    if (r.more)
        complaints += at + ": \u2026 and " + std::to_string(r.more) + " more lines at fault\n";
    if (r.faults.empty()) o = found;
}
