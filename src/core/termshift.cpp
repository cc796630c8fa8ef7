#define NCURSES_NOMACROS
#include "core/termshift.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <cwchar>

#include <curses.h>
#include <term.h>

namespace {
constexpr int MAXCOLS = 512;  // wider or taller terminals get no shifts
constexpr int MAXROWS = 128;
constexpr int MAXSHIFT = 2;   // columns a row may have moved: one cell of the field
constexpr int OPCOST = 6;     // a delete or insert, with its cursor move, costs some cells

// A column of the screen: its character, attributes and colour as curses holds them.
struct cell {
    wchar_t ch = L' ';
    attr_t attr = 0;
    int color = 0;
    bool wide = false;  // either column of a wide character
};

bool same(const cell& a, const cell& b) { return a.ch == b.ch && a.attr == b.attr && a.color == b.color; }

// Read straight from curses' own record (getcchar is slow for thousands of cells).
cell cellof(const cchar_t& c)
{
#if NCURSES_EXT_COLORS
    return cell{c.chars[0], c.attr, c.ext_color, false};
#else
    return cell{c.chars[0], c.attr, 0, false};  // the colour is in the attributes
#endif
}

// A row of a window as curses keeps it, a wide character in one entry; two rows hold
// the same when their entries do. Nothing to construct: the rows for a whole screen take
// megabytes, and a page of them is touched only when a row is read into it.
struct packedrow {
    cchar_t cells[MAXCOLS + 1];
    size_t bytes;
    void read(WINDOW* w, int y, int cols)
    {
        bytes = sizeof(cchar_t) * static_cast<size_t>(cols + 1);
        std::memset(cells, 0, bytes);
        mvwin_wchnstr(w, y, 0, cells, cols);
    }
    bool operator==(const packedrow& o) const
    {
        return bytes == o.bytes && std::memcmp(cells, o.cells, bytes) == 0;
    }
};

// The row a cell per column; a wide character fills two.
void unpack(const packedrow& packed, cell* row, int cols)
{
    int x = 0;
    for (int i = 0; x < cols && i < cols; i++) {
        cell c = cellof(packed.cells[i]);
        if (c.ch == 0) break;
        int width = c.ch < 0x80 ? 1 : wcwidth(c.ch);
        c.wide = width > 1;
        for (int n = 0; n < (width > 1 ? width : 1) && x < cols; n++) row[x++] = c;
    }
    for (; x < cols; x++) row[x] = cell{};
}

// A move of the terminal's row: n characters deleted at column del, then n blanks
// inserted at column ins (either may be -1: not done).
struct plan {
    int del = -1, ins = -1, n = 0;
    int ops() const { return (del >= 0) + (ins >= 0); }
};

// Column x of the row as the terminal shows it after the plan.
const cell& after(const cell* old, int cols, const cell& fill, const plan& p, int x)
{
    if (p.ins >= 0 && x >= p.ins) {
        if (x < p.ins + p.n) return fill;
        x -= p.n;
    }
    if (p.del >= 0 && x >= p.del) {
        if (x + p.n >= cols) return fill;
        x += p.n;
    }
    return old[x];
}

bool narrow(const cell* row, int from, int to)
{
    for (int x = from < 0 ? 0 : from; x < to; x++)
        if (row[x].wide) return false;
    return true;
}

// A plan may not cut a wide character: not where it deletes or inserts, nor what the
// insertion pushes past the right edge.
bool whole(const cell* old, int cols, const cell& fill, const plan& p)
{
    if (p.del >= 0 && !narrow(old, p.del, p.del + p.n)) return false;
    if (p.ins < 0) return true;
    const plan deleted{p.del, -1, p.n};
    auto wideat = [&](int x) { return after(old, cols, fill, deleted, x).wide; };
    if ((p.ins > 0 && wideat(p.ins - 1)) || wideat(p.ins)) return false;
    for (int x = cols - p.n; x < cols; x++)
        if (wideat(x)) return false;
    return true;
}

// Cells from column a on that would still have to be sent after the plan.
int stillwrong(const cell* old, const cell* now, int cols, const cell& fill, const plan& p, int a)
{
    int wrong = 0;
    for (int x = a; x < cols; x++) wrong += !same(now[x], after(old, cols, fill, p, x));
    return wrong;
}

// Cells of the stretch [a, e) that a move by k columns (negative to the left) would
// bring into place.
int matches(const cell* old, const cell* now, int a, int e, int k)
{
    int n = 0;
    for (int x = a; x < e; x++)
        if (x - k >= a && x - k < e) n += same(now[x], old[x - k]);
    return n;
}

// The cheapest way to bring the row from old to now, its changes starting at column a
// and ending before e: a move to the left or right by up to MAXSHIFT columns, of the
// rest of the row or of the changed stretch alone; or no move (n = 0). Only moves that
// bring enough of the stretch into place are weighed in full.
plan bestplan(const cell* old, const cell* now, int cols, const cell& fill, int a, int e)
{
    plan best;
    int cheapest = stillwrong(old, now, cols, fill, best, a);
    int stay = matches(old, now, a, e, 0);
    for (int n = 1; n <= MAXSHIFT && n < e - a; n++) {
        bool left = matches(old, now, a, e, -n) > stay;
        bool right = matches(old, now, a, e, n) > stay;
        const plan tries[4] = {{a, -1, n}, {a, e - n, n}, {-1, a, n}, {e - n, a, n}};
        for (int t = 0; t < 4; t++) {
            if (!(t < 2 ? left : right)) continue;
            int cost = stillwrong(old, now, cols, fill, tries[t], a) + OPCOST * tries[t].ops();
            if (cost < cheapest && whole(old, cols, fill, tries[t])) best = tries[t], cheapest = cost;
        }
    }
    return best;
}

// The controls, gathered and written in one go.
class controls {
public:
    explicit controls(int fd) : fd(fd) {}
    ~controls() { flush(); }
    void put(const char* s)
    {
        size_t n = s ? std::strlen(s) : 0;
        if (len + n > sizeof held) flush();
        if (n > sizeof held) return;
        std::memcpy(held + len, s, n);
        len += n;
    }
    void flush()
    {
        size_t done = 0;
        while (done < len) {
            ssize_t n = ::write(fd, held + done, len - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        len = 0;
    }

private:
    int fd;
    char held[4096];
    size_t len = 0;
};

// The control that gives the terminal the window's background, which it fills what it
// vacates with; none when that is the terminal's own.
const char* paper(const char* setab, const cchar_t& background)
{
    wchar_t text[CCHARW_MAX + 1];
    attr_t attr;
    short pair, fg, bg;
    if (!setab || getcchar(&background, text, &attr, &pair, nullptr) == ERR) return nullptr;
    if (pair_content(pair, &fg, &bg) != OK || bg < 0) return nullptr;
    return tiparm(setab, bg);
}

const char* capability(const char* name)
{
    const char* s = tigetstr(name);
    return s == reinterpret_cast<const char*>(-1) ? nullptr : s;
}
}  // namespace

void formatcontrols()
{
    for (int i = 0; strnames[i]; i++) {
        const char* control = capability(strnames[i]);
        if (control && std::strchr(control, '%')) tiparm(control, 1, 1, 1, 1, 1, 1, 1, 1, 1);
    }
}

void SideShift::setup()
{
    cup = capability("cup");
    dch = capability("dch");
    ich = capability("ich");
    save = capability("sc");
    restore = capability("rc");
    setab = capability("setab");
    usable = cup && dch && ich && save && restore && tigetflag("bce") > 0;
}

namespace {
packedrow shown[MAXROWS], drawn[MAXROWS];  // on the terminal, and wanted

// Reads every row of both windows. Reading moves a window's cursor: both are put back.
void readscreen(int rows, int cols)
{
    int sy, sx, cy, cx;
    getyx(stdscr, sy, sx);
    getyx(curscr, cy, cx);
    for (int y = 0; y < rows; y++) {
        shown[y].read(curscr, y, cols);
        drawn[y].read(stdscr, y, cols);
    }
    wmove(stdscr, sy, sx);
    wmove(curscr, cy, cx);
}

// Rows that moved up or down are curses' to scroll; moving them sideways would spoil it.
bool scrolled(int rows)
{
    int moved = 0;
    for (int y = 1; y + 1 < rows; y++)
        moved += !(shown[y] == drawn[y]) && (shown[y - 1] == drawn[y] || shown[y + 1] == drawn[y]);
    return moved >= 3;
}

// How the terminal can best move row y sideways; no move (n = 0) when it cannot help.
plan planrow(int y, int cols, const cell& fill)
{
    if (shown[y] == drawn[y]) return plan{};
    static cell old[MAXCOLS], now[MAXCOLS];
    unpack(shown[y], old, cols);
    unpack(drawn[y], now, cols);
    int a = 0, e = cols;
    while (a < e && same(old[a], now[a])) a++;
    while (e > a && same(old[e - 1], now[e - 1])) e--;
    if (e - a <= OPCOST) return plan{};
    return bestplan(old, now, cols, fill, a, e);
}
}  // namespace

void SideShift::shiftrows(int out)
{
    int rows, cols;
    getmaxyx(curscr, rows, cols);
    if (!usable || cols > MAXCOLS || rows > MAXROWS || rows != LINES || cols != COLS ||
        is_cleared(curscr) || is_cleared(stdscr))
        return;
    readscreen(rows, cols);
    if (scrolled(rows)) return;

    cchar_t background, oldbackground;
    wgetbkgrnd(stdscr, &background);
    wgetbkgrnd(curscr, &oldbackground);
    const cell fill = cellof(background);
    int cy, cx;
    getyx(curscr, cy, cx);
    wbkgrndset(curscr, &background);  // what the terminal fills vacated cells with
    controls c(out);
    bool moved = false;
    for (int y = 0; y < rows; y++) {
        plan p = planrow(y, cols, fill);
        if (p.n == 0) continue;
        if (!moved) {
            c.put(save);  // the cursor and the colours, as curses left them
            c.put(paper(setab, background));
            moved = true;
        }
        // on the terminal, and in curses' record of what it shows
        if (p.del >= 0) {
            c.put(tiparm(cup, y, p.del));
            c.put(tiparm(dch, p.n));
            wmove(curscr, y, p.del);
            for (int i = 0; i < p.n; i++) wdelch(curscr);
        }
        if (p.ins >= 0) {
            c.put(tiparm(cup, y, p.ins));
            c.put(tiparm(ich, p.n));
            wmove(curscr, y, p.ins);
            for (int i = 0; i < p.n; i++) wins_wch(curscr, &background);
        }
    }
    if (moved) c.put(restore);
    wbkgrndset(curscr, &oldbackground);
    wmove(curscr, cy, cx);
}
