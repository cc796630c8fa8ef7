// The field screen, painted from scratch for every command: the window around the player
// with the calendar, depth and hunger beside it, the two status lines, the running stat
// changes and the newest messages.

#include "field/screen.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>

#include "core/console.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/opts.h"
#include "core/rulenumbers.h"
#include "core/state.h"
#include "core/text.h"

namespace {
constexpr int WINW = 20, WINH = 14;  // the window, in cells
constexpr int LEFT = 10, ABOVE = 7;  // cells of it left of and above the player

// Text gathered while its colour stays the same, so a screen costs a few dozen writes to
// the console rather than one per cell; the colour is switched only when it changes.
class painter {
public:
    ~painter() { flush(); }
    void color(int a)
    {
        if (a == attr) return;
        flush();
        setcolor(a);
        attr = a;
    }
    void text(const char* s, size_t n)
    {
        if (len + n > sizeof held) flush();
        if (n > sizeof held) return con().write(std::string_view(s, n));
        std::memcpy(held + len, s, n);
        len += n;
    }
    void textf(int a, const char* fmt, ...) __attribute__((format(printf, 3, 4)))
    {
        char line[LINESIZE];
        va_list ap;
        va_start(ap, fmt);
        size_t n = vformat(line, sizeof line, fmt, ap);
        va_end(ap);
        color(a);
        text(line, n);
    }
    void flush()
    {
        if (len) con().write(std::string_view(held, len));
        len = 0;
    }

private:
    int attr = -1;  // unknown after a clear
    char held[512];
    size_t len = 0;
};

// A glyph as printed: its low byte, and a blank for anything that would not show.
char glyphchar(int glyph)
{
    int c = glyph & 0xFF;
    return c >= 32 && c < 127 ? static_cast<char>(c) : ' ';
}

void cells(painter& p, int i)
{
    for (int j = pc.x - LEFT; j < pc.x - LEFT + WINW; j++) {
        int back = j == tx && i == ty ? CGREY : CBLACK;
        if (!onmap(j, i)) {
            p.color(back * 16 + CWHITE);  // outside the floor all is wall
            p.text("# ", 2);
            continue;
        }
        tile t = viewtile(map[i][j], mi[i][j]);
        const char cell[2] = {glyphchar(t.glyph), ' '};
        p.color(back * 16 + t.color);
        p.text(cell, 2);
    }
}

void hungerword(painter& p)
{
    int s = pc.full;
    if (s == 0) p.textf(CLIGHTRED, _("\t餓死中"));
    else if (s < 50) p.textf(CLIGHTRED, _("\t飢餓"));
    else if (s < 150) p.textf(CYELLOW, _("\t空腹"));
    else if (s < 300) p.textf(CWHITE, _("\t空腹"));
}

// The turns the player has left on this floor once its warning has come, counting the turn
// of the fall itself; 0 before the warning.
int turnsleft()
{
    bool warned = pc.floorturn > stayfloor - WARNTURNS;
    return warned && pc.floorturn < stayfloor ? stayfloor - pc.floorturn : 0;
}

// In the assisted view hit points at a third of the maximum or below are a warning.
bool lowhp() { return opts.assist && pc.hp * 3 <= pc.maxhp; }

// The second status line; with hit points low, their "hp/max" in the warning colour.
void statusline(painter& p)
{
    char hp[32];
    format(hp, sizeof hp, "%d/%d", pc.hp, pc.maxhp);
    std::string_view line(status);
    size_t at = lowhp() ? line.find(hp) : std::string_view::npos;
    if (at == std::string_view::npos) return p.textf(CWHITE, "%s\n", status);
    p.color(CWHITE);
    p.text(status, at);
    p.color(CLIGHTRED);
    p.text(status + at, std::strlen(hp));
    p.color(CWHITE);
    p.text(status + at + std::strlen(hp), line.size() - at - std::strlen(hp));
    p.text("\n", 1);
}

// Beside the first three rows of the window: the calendar, the floor, the hunger. In the
// assisted view, below them the turns left before the fall, a word when hit points run low
// and the aiming cursor's keys.
void sidetext(painter& p, int row, bool aiming)
{
    if (row == 0)
        p.textf(CWHITE, _("\t%d年 %d月 %d日 %d時 %d分"), year, month + 1, day + 1, hour,
                min / 100);
    else if (row == 1)
        p.textf(CWHITE, _("\t地下%d階"), depth);
    else if (row == 2)
        hungerword(p);
    if (!opts.assist) return;
    if (row == 3 && turnsleft() > 0)
        p.textf(CLIGHTRED, NG_("\t落下まであと%dターン", "\t落下まであと%dターン", turnsleft()),
                turnsleft());
    else if (row == 4 && lowhp())
        p.textf(CLIGHTRED, "%s", _("\tHPが残りわずか"));
    else if (row == 5 && aiming)
        p.textf(CYELLOW, _("\t方向キー:動かす Tab:生き物へ"));
    else if (row == 6 && aiming)
        p.textf(CYELLOW, _("\tEnter/t:決定 Esc/q:やめる"));
}

// Every stat under a temporary change, with its turns left: raised in yellow, else magenta.
void statchanges(painter& p)
{
    // the row's short names, kept apart from the words of the messages
    const char* const names[NSTAT] = {P_("status", "攻撃力"), P_("status", "防御力"),
                                      P_("status", "器用"), P_("status", "魔力"),
                                      P_("status", "速さ")};
    for (int s = 0; s < NSTAT; s++) {
        statview v = statof(pc, s);
        if (*v.turn <= 0) continue;
        bool up = *v.base < *v.cur;
        p.textf(up ? CYELLOW : CLIGHTMAGENTA, up ? "%sUP:%d " : "%sDOWN:%d ", names[s], *v.turn);
    }
}

// The whole screen with the messages given.
void paint(bool aiming, std::string_view messages)
{
    cls();
    painter p;
    for (int r = 0; r < WINH; r++) {
        cells(p, pc.y - ABOVE + r);
        sidetext(p, r, aiming);
        p.text("\n", 1);
    }
    p.textf(CWHITE, "%s\n", para);
    statusline(p);
    statchanges(p);
    p.color(CWHITE);
    p.flush();
    con().write(messages);
}

constexpr int PAGE = 7;  // messages on a held page: its prompt takes the eighth line

int linebreaks(std::string_view text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// Where the nth line break of text stands (n from 1; there must be as many).
size_t nthbreak(std::string_view text, int n)
{
    size_t at = text.find('\n');
    while (--n > 0) at = text.find('\n', at + 1);
    return at;
}
}  // namespace

void draw() { paint(false, newestlines(message)); }

void drawaim() { paint(true, newestlines(message)); }

void drawturn()
{
    std::string_view rest(message);
    // every message of the turn is seen, in order; the key read here is no command
    while (opts.assist && linebreaks(rest) > 8) {
        size_t end = nthbreak(rest, PAGE + 1);
        paint(false, rest.substr(0, end));
        setcolor(CYELLOW);
        print(_("\n-- 続き --"));
        setcolor(CWHITE);
        mygetch();
        rest.remove_prefix(end);
    }
    paint(false, newestlines(rest));
}
