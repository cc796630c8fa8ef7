#define NCURSES_NOMACROS
#include "core/termconsole.h"

#include <langinfo.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <stdexcept>

#include <curses.h>

#include "core/gameend.h"
#include "core/lineinput.h"
#include "core/termnotice.h"
#include "core/text.h"

namespace {
volatile std::sig_atomic_t signalled = 0;
sigset_t waking;  // the signals let through while the game sleeps waiting for a key

void onsignal(int sig) { signalled = sig; }

// Ctrl-C, SIGTERM and SIGHUP end the game. They are held back while the game works and
// let through only while it sleeps waiting for a key (waitinput), so that one coming
// while a screen is drawn is not lost before the wait begins.
void catchsignals()
{
    struct sigaction sa {};
    sa.sa_handler = onsignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = 0;  // no restart: the wait returns at once
    sigset_t held;
    sigemptyset(&held);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(sig, &sa, nullptr);
        sigaddset(&held, sig);
    }
    sigprocmask(SIG_BLOCK, &held, &waking);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigdelset(&waking, sig);
}

// Sleeps until a key comes, a signal arrives or the terminal goes; false when it went.
bool waitinput()
{
    pollfd p{0, POLLIN, 0};
    return !(::ppoll(&p, 1, nullptr, &waking) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)));
}

// Windows palette order (bit 0 blue, 1 green, 2 red) to curses colour numbers.
constexpr short cursesbase[8] = {COLOR_BLACK, COLOR_BLUE,    COLOR_GREEN,  COLOR_CYAN,
                                 COLOR_RED,   COLOR_MAGENTA, COLOR_YELLOW, COLOR_WHITE};

constexpr char MARK = 1;  // in the screen record: the next byte is a colour attribute

// Scan codes of the extended keys.
int scancode(int key)
{
    switch (key) {
    case KEY_UP: return KEYUP;
    case KEY_DOWN: return KEYDOWN;
    case KEY_LEFT: return KEYLEFT;
    case KEY_RIGHT: return KEYRIGHT;
    case KEY_HOME: return KEYHOME;
    case KEY_END: return KEYEND;
    case KEY_PPAGE: return KEYPGUP;
    case KEY_NPAGE: return KEYPGDN;
    case KEY_IC: return 82;
    case KEY_DC: return 83;
    default: return -1;
    }
}
}  // namespace

int caughtsignal() { return signalled; }

TermConsole::TermConsole()
{
    std::setlocale(LC_ALL, "");
    const char* codeset = nl_langinfo(CODESET);
    // an unset locale says ASCII; Japanese needs more, and UTF-8 terminals are the rule
    if (std::strcmp(codeset, "ANSI_X3.4-1968") == 0 && std::setlocale(LC_CTYPE, "C.UTF-8"))
        codeset = nl_langinfo(CODESET);
    if (std::strcmp(codeset, "UTF-8") != 0) {
        char to[64];
        format(to, sizeof to, "%s//TRANSLIT", codeset);
        tolocale = iconv_open(to, "UTF-8");
    }
    catchsignals();
    if (!newterm(nullptr, stdout, stdin))
        throw std::runtime_error("this terminal cannot be used (try --plain)");
    active = true;
    cbreak();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    nodelay(stdscr, TRUE);  // the waiting is waitinput's
    set_escdelay(25);
    scrollok(stdscr, TRUE);
    curs_set(0);
    leaveok(stdscr, TRUE);  // the cursor is hidden: no moving it after every screen
    if (has_colors()) {
        start_color();
        // between screens the terminal's own colours, to which curses returns after every
        // refresh with a shorter control; every cell the game draws has colours of its own
        use_default_colors();
        bright16 = COLORS >= 16;
    }
    // KURASHI_REPAINT=1 sends every screen whole, as if nothing were on the terminal yet:
    // the yardstick tools/perfcheck.py measures the real traffic against
    fullrepaint = std::getenv("KURASHI_REPAINT") != nullptr;
    shift.setup();
    // curses keeps a record of each colour pair and each control it formats, made the
    // first time; the game's pairs (every colour on black, and on grey for the cursor)
    // and the controls are made now, so that play allocates nothing
    for (int bg : {CBLACK, CGREY})
        for (int fg = 0; fg < 16; fg++) pairof(fg, bg);
    formatcontrols();
    paint(15);
    wbkgdset(stdscr, static_cast<chtype>(COLOR_PAIR(pairof(15, 0))));
    werase(stdscr);
    // Until curses has been through one endwin and refresh it sends what it has after
    // every cursor move, a screen in dozens of writes (and as many packets down an ssh
    // line); after it, a screen goes out in one.
    endwin();
    wrefresh(stdscr);
    small = LINES < SCREENROWS || COLS < SCREENCOLS;
}

TermConsole::~TermConsole()
{
    shutdown();
    if (tolocale != reinterpret_cast<iconv_t>(-1)) iconv_close(tolocale);
}

void TermConsole::shutdown()
{
    if (!active) return;
    active = false;
    wattrset(stdscr, A_NORMAL);
    curs_set(1);
    endwin();
    sigprocmask(SIG_SETMASK, &waking, nullptr);
}

int TermConsole::pairof(int fg, int bg)
{
    if (!has_colors()) return 0;
    int key = (bg & 15) * 16 + (fg & 15);
    if (pairs[key]) return pairs[key];
    if (usedpairs + 1 >= COLOR_PAIRS) return 0;
    short f = cursesbase[fg & 7], b = cursesbase[bg & 7];
    if (bright16) {
        if (fg & 8) f = static_cast<short>(f + 8);
        if (bg & 8) b = static_cast<short>(b + 8);
    }
    init_pair(static_cast<short>(++usedpairs), f, b);
    return pairs[key] = static_cast<short>(usedpairs);
}

void TermConsole::paint(int attr)
{
    int fg = attr & 15, bg = (attr >> 4) & 15;
    attr_t a = A_NORMAL;
    if (!bright16 && (fg & 8)) a |= A_BOLD;
    if (!has_colors() && bg != 0) a |= A_REVERSE;
    wattrset(stdscr, static_cast<int>(a | COLOR_PAIR(pairof(fg, bg))));
}

void TermConsole::color(int attr)
{
    current = attr;
    paint(attr);
    char mark[2] = {MARK, static_cast<char>(attr)};
    remember(std::string_view(mark, 2));
}

void TermConsole::remember(std::string_view text)
{
    if (screenlen + text.size() > sizeof screen) return;  // too long to replay whole
    std::memcpy(screen + screenlen, text.data(), text.size());
    screenlen += text.size();
}

void TermConsole::put(std::string_view text)
{
    if (tolocale == reinterpret_cast<iconv_t>(-1)) {
        waddnstr(stdscr, text.data(), static_cast<int>(text.size()));
        return;
    }
    char out[4096];
    char* src = const_cast<char*>(text.data());
    size_t left = text.size();
    while (left > 0) {
        char* dst = out;
        size_t room = sizeof out;
        size_t r = iconv(tolocale, &src, &left, &dst, &room);
        waddnstr(stdscr, out, static_cast<int>(dst - out));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            waddstr(stdscr, "?");  // a byte the terminal's charset cannot show
            src++;
            left--;
        }
    }
}

void TermConsole::write(std::string_view text)
{
    remember(text);
    put(text);
}

void TermConsole::clear()
{
    werase(stdscr);
    wmove(stdscr, 0, 0);
    screenlen = 0;
    paint(current);
    char mark[2] = {MARK, static_cast<char>(current)};
    remember(std::string_view(mark, 2));
}

void TermConsole::replay()
{
    werase(stdscr);
    wmove(stdscr, 0, 0);
    size_t from = 0;
    for (size_t i = 0; i < screenlen; i++) {
        if (screen[i] != MARK) continue;
        put(std::string_view(screen + from, i - from));
        if (i + 1 < screenlen) paint(static_cast<unsigned char>(screen[i + 1]));
        from = i + 2;
        i++;
    }
    if (from < screenlen) put(std::string_view(screen + from, screenlen - from));
    put(typing);
}

// While the terminal is too small the notice stands in for every screen, and keys are
// dropped: the game acts on nothing it cannot show. Back to size, the screen shows whole.
void TermConsole::resized()
{
    bool was = small;
    small = LINES < SCREENROWS || COLS < SCREENCOLS;
    if (small) {
        notice();
        return;
    }
    replay();
    if (was) showcursor(prompting);
    send();
}

void TermConsole::notice()
{
    noticeline lines[NOTICELINES];
    int n = layoutnotice(LINES, COLS, lines);
    showcursor(false);
    scrollok(stdscr, FALSE);  // its last cell written, the window stays put
    paint(15);
    werase(stdscr);
    for (int i = 0; i < n; i++) {
        wmove(stdscr, lines[i].y, lines[i].x);
        put(lines[i].text);
    }
    scrollok(stdscr, TRUE);
    paint(current);
    wrefresh(stdscr);
}

void TermConsole::showcursor(bool show)
{
    curs_set(show ? 1 : 0);
    leaveok(stdscr, show ? FALSE : TRUE);
}

void TermConsole::send()
{
    if (fullrepaint) clearok(stdscr, TRUE);
    else shift.shiftrows(fileno(stdout));
    wrefresh(stdscr);
}

int TermConsole::readwide(unsigned& ch, bool& special)
{
    if (small) notice();
    else send();
    for (;;) {
        if (signalled) gameend(128 + signalled);
        wint_t wc;
        int r = wget_wch(stdscr, &wc);
        if (r == ERR) {
            // nothing to read: sleep until there is; a terminal that hung up, or keeps
            // saying there is input that never comes, ends the game instead of spinning
            if (!waitinput() || ++failures > 100) gameend(EXITINPUT);
            continue;
        }
        failures = 0;
        special = r == KEY_CODE_YES;
        if (special && wc == KEY_RESIZE) {
            resized();
            continue;
        }
        if (small) continue;
        ch = static_cast<unsigned>(wc);
        return 0;
    }
}

int TermConsole::getkey()
{
    if (pending >= 0) {
        int k = pending;
        pending = -1;
        return k;
    }
    for (;;) {
        unsigned ch;
        bool special;
        readwide(ch, special);
        if (special) {
            if (ch == KEY_ENTER) return KEYENTER;
            if (ch == KEY_BACKSPACE) return KEYBACKSPACE;
            if (ch >= static_cast<unsigned>(KEY_F(1)) && ch <= static_cast<unsigned>(KEY_F(10))) {
                pending = 59 + static_cast<int>(ch - KEY_F(1));
                return 0;
            }
            int code = scancode(static_cast<int>(ch));
            if (code < 0) continue;
            pending = code;
            return KEYPREFIX;
        }
        if (ch == '\n' || ch == '\r') return KEYENTER;
        if (ch == 127) return KEYBACKSPACE;
        if (ch < 128) return static_cast<int>(ch);
        // other characters mean nothing at a one-key prompt
    }
}

namespace {
wordkey wordkeyof(unsigned ch, bool special)
{
    if (special ? ch == KEY_ENTER : (ch == '\n' || ch == '\r')) return wordkey::enter;
    if (special ? ch == KEY_BACKSPACE : (ch == 127 || ch == 8)) return wordkey::back;
    if (!special && ch == KEYESC) return wordkey::esc;
    return special ? wordkey::other : wordkey::ch;  // a key of the keypad types nothing
}
}  // namespace

std::string TermConsole::readword(size_t maxbytes, bool leavable)
{
    typing.clear();
    prompting = true;
    showcursor(true);
    for (wordedit e = wordedit::none; e != wordedit::done && e != wordedit::left;) {
        unsigned ch;
        bool special;
        readwide(ch, special);  // a resize draws the screen again, with what is typed
        size_t had = typing.size();
        e = editword(typing, maxbytes, leavable, wordkeyof(ch, special), ch);
        if (e == wordedit::added) put(std::string_view(typing).substr(had));
        // the screen as it was, with less typed, or nothing when the prompt is left
        else if ((e == wordedit::erased || e == wordedit::left) && had) replay();
    }
    prompting = false;
    showcursor(false);
    std::string line;
    line.swap(typing);
    remember(line);
    put("\n");
    remember("\n");
    return firstword(line);
}
