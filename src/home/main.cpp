// kurashi: a life in a town house, and expeditions below it.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "core/gameend.h"
#include "core/paths.h"
#include "core/plainconsole.h"
#include "core/termconsole.h"
#include "field/floor.h"
#include "home/home.h"
#include "home/options.h"
#include "home/title.h"

namespace {
std::unique_ptr<Console> openconsole(bool plain)
{
    if (plain || !isatty(0) || !isatty(1)) return std::make_unique<PlainConsole>(0, 1);
    return std::make_unique<TermConsole>();
}

void play()
{
    begin();
    homeloop();
}
}  // namespace

int main(int argc, char** argv)
{
    options o;
    int rc = parseoptions(argc, argv, o);
    if (rc >= 0) return rc;
    folders f = findfolders(o.dir);
    if (o.help) {
        printhelp(f);
        return EXITOK;
    }
    std::srand(o.seed);
    setfolders(f.maps, f.data);

    char err[512];
    if (!loadmaps(err, sizeof err)) {
        std::fprintf(stderr, "kurashi: %s\n", err);
        return EXITSTARTUP;
    }
    std::string why;
    if (!preparedata(f.data, why)) {
        std::fprintf(stderr, "kurashi: %s\n(start the game with --dir DIR, a folder you can write)\n",
                     why.c_str());
        return EXITSTARTUP;
    }

    int status = EXITOK;
    std::unique_ptr<Console> console;
    try {
        console = openconsole(o.plain);
        setconsole(console.get());
        play();
    } catch (const GameEnd& e) {
        status = e.status;
    } catch (const std::exception& e) {
        console.reset();  // the terminal first, so the message can be read
        std::fprintf(stderr, "kurashi: %s\n", e.what());
        return EXITSTARTUP;
    }
    console.reset();
    return status;
}
