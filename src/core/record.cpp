#include "core/record.h"

#include <unistd.h>

namespace {
const char magic[] = "kurashi recording 1 seed ";
}

int RecordConsole::getkey()
{
    int k = inner.getkey();
    std::fputc(k, file);
    std::fflush(file);  // a crash still leaves every key read so far
    return k;
}

std::string RecordConsole::readword(size_t maxbytes, bool leavable)
{
    std::string w = inner.readword(maxbytes, leavable);
    // a prompt left is kept as Escape: a blank line could be read as the end of a CR LF
    std::fputs(w.empty() ? "\x1b" : w.c_str(), file);
    std::fputc('\n', file);
    std::fflush(file);
    return w;
}

std::string replayheader(unsigned seed, const optdata& o)
{
    std::string lang = o.lang == JA ? "" : std::string(" lang=") + langname(o.lang);
    return magic + std::to_string(seed) + (o.assist ? " assist" : "") +
           (o.vikeys ? " vikeys" : "") + lang + "\n";
}

namespace {
// The options named after the seed, each after a blank.
bool parseoptions(std::string_view words, optdata& o)
{
    while (!words.empty()) {
        if (words[0] != ' ') return false;
        words.remove_prefix(1);
        std::string_view w = words.substr(0, words.find(' '));
        words.remove_prefix(w.size());
        if (w == "assist") o.assist = true;
        else if (w == "vikeys") o.vikeys = true;
        else if (w == "lang=ja" || w == "lang=en") o.lang = w == "lang=en" ? EN : JA;
        else return false;
    }
    return true;
}
}  // namespace

bool parsereplayheader(std::string_view line, unsigned& seed, optdata& o)
{
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    std::string_view m(magic);
    if (line.substr(0, m.size()) != m) return false;
    std::string_view digits = line.substr(m.size());
    size_t blank = digits.find(' ');
    o = {};
    if (blank != std::string_view::npos) {
        if (!parseoptions(digits.substr(blank), o)) return false;
        digits = digits.substr(0, blank);
    }
    if (digits.empty() || digits.size() > 10) return false;
    unsigned long long v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<unsigned>(c - '0');
    }
    if (v > 0xFFFFFFFFULL) return false;
    seed = static_cast<unsigned>(v);
    return true;
}

bool writereplayheader(std::FILE* f, unsigned seed, const optdata& o)
{
    std::string h = replayheader(seed, o);
    return std::fputs(h.c_str(), f) >= 0 && std::fflush(f) == 0;
}

bool readreplayheader(int fd, unsigned& seed, optdata& o)
{
    char line[128];
    size_t len = 0;
    char c = 0;  // an empty file reads nothing into it
    while (len + 1 < sizeof line && ::read(fd, &c, 1) == 1 && c != '\n') line[len++] = c;
    return c == '\n' && parsereplayheader(std::string_view(line, len), seed, o);
}
