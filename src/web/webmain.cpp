// kurashi in the browser: the terminal game's own library with the web console, the maps
// among the page's files and the player's files (save/, dead.txt) in the browser's storage.

#include <emscripten.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "core/gameend.h"
#include "core/lang.h"
#include "core/opts.h"
#include "core/paths.h"
#include "core/record.h"
#include "core/text.h"
#include "field/floor.h"
#include "home/home.h"
#include "home/options.h"
#include "home/savedisk.h"
#include "home/savefile.h"
#include "home/title.h"
#include "webconsole.h"

// The page's side (web/page.js): the storage, and the end of the game.
EM_ASYNC_JS(int, pageopenstorage, (), { return await Module.kurashi.openstorage(FS, IDBFS); });
EM_ASYNC_JS(int, pagekeep, (char* why, int cap), {
    const err = await Module.kurashi.keep();
    if (err === null) return 1;
    stringToUTF8(err, why, cap);
    return 0;
});
EM_JS(void, pagebegun, (), { Module.kurashi.begun(); });
EM_JS(void, pageended, (int status), { Module.kurashi.ended(status); });

namespace {
const char MAPS[] = "/game";              // holds map/, packed with the page
const char DATA[] = "/data";              // the browser's storage, mounted by the page
const char RECORDING[] = "/kurashi.rec";  // this game's keys, for the page to download
const char LOCALE[] = "/game/locale";     // the English catalogue, packed with the page

bool frompage = false;  // the page calls in (an upload) while the game waits for a key

// The keeper of the data folder: the files go to the browser's storage before the game
// says they are saved.
bool keepinstorage(std::string& why)
{
    if (frompage) return true;  // the page hands them on itself when its call returns
    char reason[256] = "";
    if (pagekeep(reason, sizeof reason)) return true;
    why = std::string(_("ブラウザの保存領域に残せない: ")) + reason;
    return false;
}

int fail(const std::string& what)
{
    std::fprintf(stderr, "kurashi: %s\n", what.c_str());
    pageended(EXITSTARTUP);
    return EXITSTARTUP;
}

// Takes flag out of the arguments; true when it was there.
bool takeflag(int& argc, char** argv, const char* flag)
{
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], flag) != 0) continue;
        std::copy(argv + i + 1, argv + argc + 1, argv + i);  // with the null that ends them
        argc--;
        return true;
    }
    return false;
}

// The game from the title to its end, with every key kept in the recording when there is one.
int play(std::FILE* record)
{
    WebConsole web;
    RecordConsole recorder(web, record);
    setconsole(record ? static_cast<Console*>(&recorder) : &web);
    int status = EXITOK;
    try {
        begin();
        pagebegun();  // from here the page's settings wait for the next game
        homeloop();
    } catch (const GameEnd& e) {
        status = e.status;
    }
    web.send();
    return status;
}
}  // namespace

// An uploaded game file into a place (0..15): checked by the loader and written as a save
// is. The message (UTF-8, cut to cap) says where it went, or why it was refused.
extern "C" EMSCRIPTEN_KEEPALIVE int kurashi_putgame(int place, const char* bytes, int n,
                                                    char* message, int cap)
{
    frompage = true;
    std::string m;
    bool ok = putgame(place, std::string_view(bytes, static_cast<size_t>(n)), m);
    frompage = false;
    format(message, static_cast<size_t>(cap), "%s", m.c_str());
    return ok;
}

int main(int argc, char** argv)
{
    // The browser has no options file: the page keeps the player's settings and gives them
    // as arguments, --assist as the terminal game takes it, --vikeys, which the terminal
    // game reads from its options file alone, and --lang en for the screens in English.
    opts.vikeys = takeflag(argc, argv, "--vikeys");
    options o;
    int rc = parseoptions(argc, argv, o);
    if (rc >= 0) return fail("the page gave the game options it does not know");
    if (o.assist >= 0) opts.assist = o.assist;
    // the catalogue is packed with the page: without it the game plays in Japanese
    if (o.lang == EN && opencatalog(LOCALE)) opts.lang = EN;
    setlang(opts.lang);
    std::srand(o.seed);
    pageopenstorage();  // DATA, with what the browser kept of it
    if (chdir(DATA) != 0) return fail(std::string("no folder ") + DATA);
    setfolders(MAPS, ".");  // the player's files named as the terminal game names them

    char maperr[512];
    if (!loadmaps(maperr, sizeof maperr)) return fail(maperr);
    std::string err;
    if (!preparedata(DATA, err)) return fail(err);
    setfilekeeper(keepinstorage);
    tidysaves();

    std::FILE* record = std::fopen(RECORDING, "wb");
    if (record && !writereplayheader(record, o.seed, opts)) {
        std::fclose(record);
        record = nullptr;
    }
    int status;
    try {
        status = play(record);
    } catch (const std::exception& e) {
        return fail(e.what());
    }
    if (record) std::fclose(record);
    pageended(status);
    return status;
}
