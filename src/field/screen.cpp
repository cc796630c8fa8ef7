// The field screen, painted from scratch for every command: the window around the player
// with the calendar, depth and hunger beside it, the two status lines, the running stat
// changes and the newest messages.

#include "field/screen.h"

#include <cstdarg>
#include <cstring>

#include "core/console.h"
#include "core/message.h"
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
        const char cell[2] = {glyphchar(mi[i][j].glyph), ' '};
        p.color(back * 16 + mi[i][j].color);
        p.text(cell, 2);
    }
}

void hungerword(painter& p)
{
    int s = pc.full;
    if (s == 0) p.textf(CLIGHTRED, "\t餓死中");
    else if (s < 50) p.textf(CLIGHTRED, "\t飢餓");
    else if (s < 150) p.textf(CYELLOW, "\t空腹");
    else if (s < 300) p.textf(CWHITE, "\t空腹");
}

// Beside the first three rows of the window: the calendar, the floor, the hunger.
void sidetext(painter& p, int row)
{
    if (row == 0)
        p.textf(CWHITE, "\t%d年 %d月 %d日 %d時 %d分", year, month + 1, day + 1, hour, min / 100);
    else if (row == 1)
        p.textf(CWHITE, "\t地下%d階", depth);
    else if (row == 2)
        hungerword(p);
}

// Every stat under a temporary change, with its turns left: raised in yellow, else magenta.
void statchanges(painter& p)
{
    static const char* const names[NSTAT] = {"攻撃力", "防御力", "器用", "魔力", "速さ"};
    for (int s = 0; s < NSTAT; s++) {
        statview v = statof(pc, s);
        if (*v.turn <= 0) continue;
        bool up = *v.base < *v.cur;
        p.textf(up ? CYELLOW : CLIGHTMAGENTA, up ? "%sUP:%d " : "%sDOWN:%d ", names[s], *v.turn);
    }
}
}  // namespace

void draw()
{
    cls();
    painter p;
    for (int r = 0; r < WINH; r++) {
        cells(p, pc.y - ABOVE + r);
        sidetext(p, r);
        p.text("\n", 1);
    }
    p.textf(CWHITE, "%s\n", para);
    p.textf(CWHITE, "%s\n", status);
    statchanges(p);
    p.color(CWHITE);
    p.flush();
    putmes();
}
