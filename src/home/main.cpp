// kurashi: a life in a town house, and expeditions below it.

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>

#include "core/gameend.h"
#include "core/lang.h"
#include "core/opts.h"
#include "core/paths.h"
#include "core/plainconsole.h"
#include "core/record.h"
#include "core/termconsole.h"
#include "field/floor.h"
#include "home/home.h"
#include "home/options.h"
#include "home/optionsfile.h"
#include "home/savefile.h"
#include "home/title.h"

namespace {
volatile std::sig_atomic_t stopsignal = 0;
void onstop(int sig) { stopsignal = sig; }
bool stopping() { return stopsignal != 0; }

// From here on SIGINT, SIGTERM and SIGHUP only note that the run is to stop.
void catchstops()
{
    struct sigaction sa {};
    sa.sa_handler = onstop;  // no SA_RESTART: a wait for input is broken off
    sigemptyset(&sa.sa_mask);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaction(sig, &sa, nullptr);
}

// A replay's console: once SIGINT, SIGTERM or SIGHUP has come, the game ends at its next
// key (or the wait for it), so that the replay's temporary folder is cleared on the way out.
class StoppableConsole : public Console {
public:
    explicit StoppableConsole(std::unique_ptr<PlainConsole> plain)
    {
        plain->stopped = stopping;
        inner = std::move(plain);
    }
    int getkey() override { return stopped(), inner->getkey(); }
    void clear() override { inner->clear(); }
    void color(int attr) override { inner->color(attr); }
    void write(std::string_view text) override { inner->write(text); }
    std::string readword(size_t maxbytes, bool leavable = false) override
    {
        stopped();
        return inner->readword(maxbytes, leavable);
    }

private:
    std::unique_ptr<Console> inner;
    void stopped()
    {
        if (stopsignal) gameend(128 + stopsignal);
    }
};

// What a run holds on to until it ends: its consoles and files.
struct session {
    std::unique_ptr<Console> console;
    std::unique_ptr<RecordConsole> recorder;
    std::FILE* record = nullptr;
    int replayfd = -1;
    std::string tempdata;  // a replay's own save folder

    ~session()
    {
        recorder.reset();
        console.reset();  // gives the terminal back
        if (record) std::fclose(record);
        if (replayfd >= 0) close(replayfd);
        std::error_code ignored;
        if (!tempdata.empty()) std::filesystem::remove_all(tempdata, ignored);
    }
    Console& top() { return recorder ? *recorder : *console; }
};

int fail(const std::string& what)
{
    std::fprintf(stderr, "kurashi: %s\n", what.c_str());
    return EXITSTARTUP;
}

// Opens the replay and takes its seed and options; false with the reason.
bool openreplay(const options& o, session& s, unsigned& seed, std::string& err)
{
    s.replayfd = open(o.replay.c_str(), O_RDONLY);
    if (s.replayfd < 0) return err = "cannot read " + o.replay, false;
    if (!readreplayheader(s.replayfd, seed, opts))
        return err = o.replay + " is no recording", false;
    if (!o.dir.empty()) return true;
    // never the player's own folder: a replay that has no folder of its own does not start
    std::error_code ec;
    std::string folder = (std::filesystem::temp_directory_path(ec) / "kurashi-replay-XXXXXX").string();
    catchstops();
    if (ec || !mkdtemp(folder.data()))
        return err = "no temporary folder for the replay's saves (set TMPDIR, or give --dir DIR)", false;
    s.tempdata = folder;
    return true;
}

bool openrecord(const options& o, session& s, unsigned seed, std::string& err)
{
    s.record = std::fopen(o.record.c_str(), "wb");
    if (!s.record || !writereplayheader(s.record, seed, opts))
        return err = "cannot write " + o.record, false;
    return true;
}

// The options file, then the command line over it.
void chooseoptions(const options& o)
{
    std::string complaints;
    readoptionsfile(optionspath(), opts, complaints);
    std::fputs(complaints.c_str(), stderr);  // a bad line never stops the game
    if (o.assist >= 0) opts.assist = o.assist;
}

// The language of the screens: the flag over the options file or the recording, never the
// locale's, as Japanese is the game as it is written. English needs its catalogue: the
// folder holding it, or "".
std::string chooselang(const options& o)
{
    if (o.lang >= 0) opts.lang = static_cast<langcode>(o.lang);
    std::string catalog = opts.lang == EN ? catalogfolder() : "";
    if (opts.lang == EN && catalog.empty()) {
        std::fputs("kurashi: the English catalogue (kurashi.mo) is not installed;"
                   " playing in Japanese\n", stderr);
        opts.lang = JA;
    }
    return catalog;
}

// After the console, which sets the locale up from the environment.
void speak(const std::string& catalog)
{
    if (opts.lang == EN && !opencatalog(catalog.c_str())) opts.lang = JA;
    setlang(opts.lang);
}

void openconsole(const options& o, session& s)
{
    if (s.replayfd >= 0 && !s.tempdata.empty())
        s.console = std::make_unique<StoppableConsole>(std::make_unique<PlainConsole>(s.replayfd, 1));
    else if (s.replayfd >= 0) s.console = std::make_unique<PlainConsole>(s.replayfd, 1);
    else if (o.plain || !isatty(0) || !isatty(1)) s.console = std::make_unique<PlainConsole>(0, 1);
    else s.console = std::make_unique<TermConsole>();
    if (s.record) s.recorder = std::make_unique<RecordConsole>(*s.console, s.record);
    setconsole(&s.top());
}

int run(int argc, char** argv)
{
    options o;
    int rc = parseoptions(argc, argv, o);
    if (rc >= 0) return rc;
    folders f = findfolders(o.dir);
    if (o.help) {
        printhelp(f, optionspath());
        return EXITOK;
    }

    session s;
    std::string err;
    unsigned seed = o.seed;
    if (o.replay.empty()) chooseoptions(o);
    else if (!openreplay(o, s, seed, err)) return fail(err);
    std::string catalog = chooselang(o);
    if (!o.record.empty() && !openrecord(o, s, seed, err)) return fail(err);
    std::srand(seed);
    if (!s.tempdata.empty()) f.data = s.tempdata;
    if (f.data.empty())
        return fail("no home folder for the saves: set HOME or XDG_DATA_HOME, or give --dir DIR");
    setfolders(f.maps, f.data);

    char maperr[512];
    if (!loadmaps(maperr, sizeof maperr)) return fail(maperr);
    if (!preparedata(f.data, err))
        return fail(err + "\n(start the game with --dir DIR, a folder you can write)");

    tidysaves();  // what an interrupted save left behind

    int status = EXITOK;
    try {
        openconsole(o, s);
        speak(catalog);
        begin();
        homeloop();
    } catch (const GameEnd& e) {
        status = e.status;
    } catch (const std::exception& e) {
        s.console.reset();  // the terminal first, so the message can be read
        return fail(e.what());
    }
    return status;
}
}  // namespace

// The run, and then a signal that stopped a replay ends the program as it would have.
int main(int argc, char** argv)
{
    int status = run(argc, argv);
    if (stopsignal) {
        std::signal(stopsignal, SIG_DFL);
        std::raise(stopsignal);
    }
    return status;
}
