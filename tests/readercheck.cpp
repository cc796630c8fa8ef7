#include "readercheck.h"

#include <cstring>
#include <functional>
#include <string>

#include "field/floor.h"
#include "home/savefile.h"
#include "home/savegame.h"
#include "keyfuzz.h"
#include "soundness.h"

std::string gamefileproblem(std::string_view text)
{
    savedgame g, again;
    loaderror err;
    if (!readgame(text, g, err))
        return err.line < 1 || err.what.empty() ? "a refusal that does not say where and why" : "";
    resetstate();
    restoregame(g);
    std::string problems = homeproblems();
    if (!problems.empty()) return "a file taken into an unsound game: " + problems;
    std::string written, rewritten;
    if (!writegame(g, written)) return "a game taken that cannot be written";
    if (!readgame(written, again, err)) return "a game written that does not read back: " + err.what;
    if (!writegame(again, rewritten) || rewritten != written) return "a game that changes when read back";
    return "";
}

std::string indexproblem(std::string_view text)
{
    indexentry list[16];
    parseindex(text, list);
    for (const indexentry& e : list) {
        if (e.lv < -1) return "a level below -1";
        if (!std::memchr(e.name, 0, NAMESIZE)) return "a name without its end";
        std::string sjis;
        if (std::strcmp(e.name, "nochar") != 0 && !sjisname(e.name, sjis))
            return "a name the save files cannot hold";
    }
    return "";
}

std::string mapproblem(const char* path)
{
    int codes[MAPH][MAPW];
    char err[512];
    if (!readmap(path, codes, err, sizeof err)) return err[0] ? "" : "a refusal without a reason";
    for (auto& row : codes)
        for (int c : row)
            if (c < 0 || c > 9) return "a terrain code out of 0..9";
    return "";
}

std::string playfileproblem(std::string_view text)
{
    savedgame g;
    loaderror bad;
    if (!readgame(text, g, bad)) return "";  // refused files are gamefileproblem's
    fuzzsettings s;
    s.keys = 400;
    std::string file(text);
    fuzzgame played = fuzzloaded(static_cast<unsigned>(std::hash<std::string>{}(file)), file, s);
    if (played.problem.empty()) return "";
    return "seed " + std::to_string(played.seed) + ": " + played.problem;
}
