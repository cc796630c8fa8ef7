// kurashi_keyfuzz: plays seeded games with random keys and checks the state at every key.
// A finding is printed with its seed and written as a recording that `kurashi --replay`
// (or `kurashi_keyfuzz --replay`) plays again.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "core/paths.h"
#include "core/state.h"
#include "field/floor.h"
#include "keyfuzz.h"
#include "tempdir.h"

namespace {
struct settings {
    unsigned from = 1;
    long games = 200;
    long seconds = 0;  // when set, games go on until this many seconds have passed
    std::string out = ".";
    std::string maps = KURASHI_SOURCE_DIR;
    std::string replay;
    bool verbose = false;
    fuzzsettings game;
};

[[noreturn]] void usage()
{
    std::fputs("usage: kurashi_keyfuzz [--games N | --seconds N] [--keys N] [--from SEED]\n"
               "                       [--out DIR] [--maps DIR] [--replay FILE] [--verbose]\n",
               stderr);
    std::exit(2);
}

settings parse(int argc, char** argv)
{
    settings s;
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        if (a == "--verbose") {
            s.verbose = true;
            continue;
        }
        if (i + 1 >= argc) usage();
        const char* v = argv[++i];
        if (a == "--games") s.games = std::atol(v);
        else if (a == "--seconds") s.seconds = std::atol(v);
        else if (a == "--keys") s.game.keys = std::atol(v);
        else if (a == "--from") s.from = static_cast<unsigned>(std::strtoul(v, nullptr, 10));
        else if (a == "--out") s.out = v;
        else if (a == "--maps") s.maps = v;
        else if (a == "--replay") s.replay = v;
        else usage();
    }
    return s;
}

constexpr unsigned HANGSECONDS = 60;
char hangpath[4096];  // where the alarm writes the keys of a game that hangs

std::string casepath(const std::string& out, unsigned seed)
{
    return out + "/keyfuzz-" + std::to_string(seed) + ".rec";
}

// A game that stops reading keys cannot report itself: the alarm does, with its keys.
void onalarm(int)
{
    static const char line[] = "keyfuzz: FINDING: a game read no key for a minute (a hang); keys in ";
    ssize_t ignored = write(2, line, sizeof line - 1);
    ignored = write(2, hangpath, std::char_traits<char>::length(hangpath));
    ignored = write(2, "\n", 1);
    if (const fuzzgame* g = currentfuzzgame()) {
        int fd = open(hangpath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) ignored = write(fd, g->recording.data(), g->recording.size());
    }
    (void)ignored;
    _exit(1);
}

std::string slurp(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), {});
}

// The folder a case's replay runs in: "keyfuzz-N/" beside "keyfuzz-N.rec", holding the
// household the game loads and the maps.
std::string casefolder(const std::string& recording)
{
    return recording.substr(0, recording.size() - 4);
}

void writecase(const fuzzgame& g, const std::string& path, const std::string& maps)
{
    std::ofstream(path, std::ios::binary) << g.recording;
    if (g.savedgame.empty()) return;
    std::string dir = casefolder(path);
    std::error_code ignored;
    std::filesystem::create_directories(dir + "/save", ignored);
    std::filesystem::create_directory_symlink(std::filesystem::absolute(maps + "/map"), dir + "/map", ignored);
    std::ofstream(dir + "/save/save0", std::ios::binary) << g.savedgame;
    std::ofstream(dir + "/save/save", std::ios::binary) << g.savedindex;
}

int report(const fuzzgame& g, const settings& s)
{
    std::string path = casepath(s.out, g.seed);
    writecase(g, path, s.maps);
    std::string dir = g.savedgame.empty() ? "" : " --dir " + casefolder(path);
    std::fprintf(stderr,
                 "keyfuzz: FINDING in the game of seed %u after %ld keys: %s\n"
                 "The screen then:\n%s\n"
                 "Its keys are in %s; play them again with\n"
                 "  build/kurashi --replay %s%s\n  build/tests/kurashi_keyfuzz --replay %s\n",
                 g.seed, g.keys, g.problem.c_str(), g.lastscreen.c_str(), path.c_str(),
                 path.c_str(), dir.c_str(), path.c_str());
    return 1;
}

struct tally {
    long games = 0, keys = 0, deaths = 0, quits = 0, outofkeys = 0;
    int deepest = 0, toplevel = 0, days = 0;
};

int fuzz(const settings& s)
{
    tally t;
    auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] {
        return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start).count();
    };
    std::signal(SIGALRM, onalarm);
    for (unsigned seed = s.from; s.seconds ? elapsed() < s.seconds : t.games < s.games; seed++) {
        std::snprintf(hangpath, sizeof hangpath, "%s", casepath(s.out, seed).c_str());
        alarm(HANGSECONDS);
        fuzzgame g = fuzzone(seed, s.game);
        alarm(0);
        if (!g.problem.empty()) return report(g, s);
        if (s.verbose) std::printf("seed %u: %ld keys, status %d, depth %d, level %d, day %d\n%s\n", seed,
                                   g.keys, g.status, depth, pc.lv, day + 30 * month, g.lastscreen.c_str());
        t.games++;
        t.keys += g.keys;
        (g.status != 0 ? t.outofkeys : pc.hp < 0 ? t.deaths : t.quits)++;
        t.deepest = std::max(t.deepest, depth);
        t.toplevel = std::max(t.toplevel, pc.lv);
        t.days = std::max(t.days, day + 30 * month + 360 * year);
    }
    std::printf("keyfuzz: %ld games (seeds %u..%u), %ld keys; %ld deaths, %ld quits, %ld ran out "
                "of keys; deepest floor %d, top level %d, longest game %d days; no finding\n",
                t.games, s.from, s.from + static_cast<unsigned>(t.games) - 1, t.keys, t.deaths,
                t.quits, t.outofkeys, t.deepest, t.toplevel, t.days);
    return 0;
}

int replay(const settings& s)
{
    fuzzgame start;
    std::string dir = casefolder(s.replay);
    start.savedgame = slurp(dir + "/save/save0");
    start.savedindex = slurp(dir + "/save/save");
    fuzzgame g = replaychecked(slurp(s.replay), start, s.game);
    if (!g.problem.empty()) return report(g, s);
    std::printf("keyfuzz: %s replayed, %ld keys, ended with status %d; no finding\n",
                s.replay.c_str(), g.keys, g.status);
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    settings s = parse(argc, argv);
    TempDir data;
    setfolders(s.maps, data.path);
    char err[512];
    if (data.path.empty() || !loadmaps(err, sizeof err)) {
        std::fprintf(stderr, "keyfuzz: %s\n", data.path.empty() ? "no temporary folder" : err);
        return 2;
    }
    return s.replay.empty() ? fuzz(s) : replay(s);
}
