#include "core/pager.h"

#include <cstdarg>

#include "core/console.h"
#include "core/lang.h"
#include "core/text.h"

namespace {
constexpr size_t LINEBYTES = 1024;  // a paragraph of a few rows, whatever its characters

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
    if (n > PAGEROWS) print(_(" (%d-%d/%d行)"), top + 1, top + PAGEROWS < n ? top + PAGEROWS : n, n);
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

void pagelines::show(int color, std::string_view text)
{
    col += textwidth(text);
    if (!shown() || text.empty()) return;
    setcolor(color);
    con().write(text);
}

void pagelines::add(int color, std::string_view text)
{
    for (;;) {
        size_t brk = text.find('\n');
        std::string_view part = text.substr(0, brk);
        if (lead == col) {  // still in the line's first blanks
            size_t first = part.find_first_not_of(' ');
            lead += static_cast<int>(first == std::string_view::npos ? part.size() : first);
        }
        while (col + textwidth(part) > PAGECOLS) {
            size_t fit = widthcut(part, PAGECOLS - col);
            size_t blank = part.substr(0, fit + 1).rfind(' ');
            int indent = lead;
            // a word that would fit a fresh row is not cut
            size_t cut = blank != std::string_view::npos ? blank : col > indent ? 0 : fit;
            show(color, part.substr(0, cut));
            part.remove_prefix(cut);
            while (!part.empty() && part[0] == ' ') part.remove_prefix(1);
            end();
            char blanks[PAGECOLS + 1];
            int pad = indent < PAGECOLS / 2 ? indent : PAGECOLS / 2;
            format(blanks, sizeof blanks, "%*s", pad, "");
            show(CWHITE, blanks);
            lead = pad;
        }
        show(color, part);
        if (brk == std::string_view::npos) return;
        end();
        text.remove_prefix(brk + 1);
    }
}

void pagelines::vput(int color, const char* fmt, va_list ap)
{
    char text[LINEBYTES];
    vformat(text, sizeof text, fmt, ap);
    add(color, text);
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
    int from = col;
    add(color, text);
    int w = from + cols - col;
    if (w > 0) put(color, "%*s", w, "");
}

void pagelines::line(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    vput(CWHITE, fmt, ap);
    va_end(ap);
    end();
}
