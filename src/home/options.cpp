#include "home/options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "commit.h"
#include "core/gameend.h"
#include "core/lang.h"
#include "core/paths.h"

namespace {
const char usage[] =
    "usage: kurashi [--seed N] [--plain] [--dir DIR] [--assist | --no-assist]\n"
    "               [--lang ja|en] [--record FILE] [--replay FILE]\n"
    "               [--help] [--version]\n";

const char keys[] =
    "\n"
    "  --seed N       start the random draws from N (the same seed and keys give\n"
    "                 the same game)\n"
    "  --plain        keys from stdin, text to stdout without colours (also when\n"
    "                 either is not a terminal); arrow keys are typed as H K M P\n"
    "  --dir DIR      the folder holding map/ and save/ (default: the working\n"
    "                 directory when it holds map/, else the installed maps with\n"
    "                 your saves in $XDG_DATA_HOME/kurashi or\n"
    "                 ~/.local/share/kurashi)\n"
    "  --assist, --no-assist\n"
    "                 the assisted view on or off, whatever the options file says:\n"
    "                 spells listed with letters, MP and what they do; the two\n"
    "                 rough grounds and seeds in glyphs of their own; the turns\n"
    "                 left before the fall; the aim's keys, Tab to the nearest\n"
    "                 creature; the look names every ground; more than 8 messages\n"
    "                 in a turn wait for a key (-- 続き --)\n"
    "  --lang ja|en   the language of the screens: Japanese (the default, whatever\n"
    "                 the locale says) or English; the files are the same in both\n"
    "  --record FILE  write the seed, the options and every key read into FILE\n"
    "  --replay FILE  play a recording back through the plain console (same seed,\n"
    "                 same keys, same screens); saves go to a temporary folder\n"
    "                 unless --dir is given; in the recording's language unless\n"
    "                 --lang is given\n"
    "\n"
    "home menu: a buy  b sell (then c: look at your shop)  c go out  d discard\n"
    "           e eat  f equip  g craft  h expand  i information  j save  k quit\n"
    "           ? guide\n"
    "field:     arrows move/attack  > < stairs  g pick up  r rest  f shoot  T throw\n"
    "           t use  m cast  * look  F fish  C fell  D dig  w equip  d discard\n"
    "           ? help (? again: guide)  x quit    (vikeys: h j k l move too)\n"
    "both:      Ctrl-P message log (no game time passes in the log or the guide);\n"
    "           Esc or an empty Enter leaves a quantity or price prompt\n"
    "\n"
    "options file: lines of key = value, read at start-up; with a bad line in it,\n"
    "none counts and the game starts with the defaults (and the flags)\n"
    "  assist = on|off   the assisted view (default off)\n"
    "  vikeys = on|off   h j k l move, aim and choose a direction (default off)\n"
    "  lang = ja|en      the language of the screens (default ja)\n";

bool number(const char* s, unsigned& out)
{
    if (!*s) return false;
    char* end;
    errno = 0;
    unsigned long v = std::strtoul(s, &end, 10);
    if (*end || errno || s[0] == '-' || v > 0xFFFFFFFFul) return false;
    out = static_cast<unsigned>(v);
    return true;
}

int fail(const char* what, const char* arg)
{
    std::fprintf(stderr, "kurashi: %s: %s\n%s", what, arg, usage);
    return EXITUSAGE;
}
}  // namespace

int parseoptions(int argc, char** argv, options& o)
{
    o.seed = static_cast<unsigned>(std::time(nullptr));
    for (int i = 1; i < argc; i++) {
        const char* a = argv[i];
        bool more = i + 1 < argc;
        if (!std::strcmp(a, "--help")) {
            o.help = true;
        } else if (!std::strcmp(a, "--version")) {
            // the commit, when built from a checkout, tells a bug report which game it is
            if (*KURASHI_COMMIT) std::printf("kurashi %s (git %s)\n", KURASHI_VERSION, KURASHI_COMMIT);
            else std::printf("kurashi %s\n", KURASHI_VERSION);
            return EXITOK;
        } else if (!std::strcmp(a, "--assist") || !std::strcmp(a, "--no-assist")) {
            o.assist = !std::strcmp(a, "--assist");
        } else if (!std::strcmp(a, "--lang")) {
            langcode l;
            if (!more || !langnamed(argv[i + 1], l))
                return fail("--lang needs ja or en", more ? argv[i + 1] : "");
            o.lang = l;
            i++;
        } else if (!std::strcmp(a, "--plain")) {
            o.plain = true;
        } else if (!std::strcmp(a, "--seed")) {
            if (!more || !number(argv[++i], o.seed)) return fail("--seed needs a number", more ? argv[i] : "");
            o.seedgiven = true;
        } else if (!std::strcmp(a, "--dir")) {
            if (!more || !*argv[i + 1]) return fail("--dir needs a folder", "");
            o.dir = argv[++i];
        } else if (!std::strcmp(a, "--record") || !std::strcmp(a, "--replay")) {
            if (!more || !*argv[i + 1]) return fail(a, "needs a file");
            std::string& file = !std::strcmp(a, "--record") ? o.record : o.replay;
            file = argv[++i];
        } else {
            return fail("unknown option", a);
        }
    }
    // a replay looks as it was played: the 続き prompt of the assisted view reads a key
    if (!o.replay.empty() && o.assist >= 0)
        return fail("a replay plays with the options it was recorded with",
                    o.assist ? "--assist" : "--no-assist");
    return -1;
}

void printhelp(const folders& f, const std::string& optionsfile)
{
    std::string saves = f.data + "/save", deaths = f.data + "/dead.txt", reports = f.data + "/morgue";
    if (f.data.empty()) saves = deaths = reports = "(no home folder: none)";
    std::string catalog = catalogfolder();
    std::printf("%s%s\nthis run (%s):\n  maps:        %s/map\n  saves:       %s\n"
                "  death log:   %s\n  reports:     %s (one file a death)\n"
                "  options:     %s\n  English:     %s%s\n",
                usage, keys, f.why, f.maps.c_str(), saves.c_str(), deaths.c_str(), reports.c_str(),
                optionsfile.empty() ? "(no home folder: none)" : optionsfile.c_str(),
                catalog.empty() ? "(not installed)" : catalog.c_str(),
                catalog.empty() ? "" : "/en/LC_MESSAGES/kurashi.mo");
}
