#include "core/pager.h"

#include <cstdarg>

#include "core/console.h"
#include "core/text.h"

namespace {
constexpr size_t LINEBYTES = 320;  // a row of PAGECOLS columns, whatever its characters

void draw(const pagesource& src, int top)
{
    int n = src.rows();
    cls();
    src.head();
    setcolor(CWHITE);
    print("\n\n");
    for (int r = top; r < top + PAGEROWS; r++) {
        if (r < n) src.row(r);
        setcolor(CWHITE);
        print("\n");
    }
    setcolor(CLIGHTCYAN);
    print("%s", src.keys());
    if (n > PAGEROWS) print(" (%d-%d/%d行)", top + 1, top + PAGEROWS < n ? top + PAGEROWS : n, n);
    setcolor(CWHITE);
}
}  // namespace

int pagebottom(const pagesource& src)
{
    int n = src.rows();
    return n > PAGEROWS ? n - PAGEROWS : 0;
}

bool leavespager(int key) { return key == KEYESC || key == 'q'; }

int pager(const pagesource& src, int& top)
{
    for (;;) {
        int last = pagebottom(src);
        top = top < 0 ? 0 : top > last ? last : top;
        draw(src, top);
        switch (int key = mygetch()) {
        case KEYUP: top--; break;
        case KEYDOWN: top++; break;
        case KEYPGUP: top -= PAGEROWS; break;
        case KEYPGDN:
        case ' ': top += PAGEROWS; break;
        case KEYHOME: top = 0; break;
        case KEYEND: top = last; break;
        default: return key;
        }
    }
}

void pagelines::vput(int color, const char* fmt, va_list ap)
{
    if (!shown()) return;
    char text[LINEBYTES];
    vformat(text, sizeof text, fmt, ap);
    setcolor(color);
    con().write(text);
}

void pagelines::put(int color, const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    vput(color, fmt, ap);
    va_end(ap);
}

void pagelines::cell(int color, const char* text, int cols)
{
    if (!shown()) return;
    setcolor(color);
    int w = textwidth(text);
    print("%s%*s", text, w < cols ? cols - w : 0, "");
}

void pagelines::line(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    vput(CWHITE, fmt, ap);
    va_end(ap);
    end();
}
