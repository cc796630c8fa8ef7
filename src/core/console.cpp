#include "core/console.h"

#include <cstdarg>
#include <cstdio>

#include "core/text.h"

namespace {
Console* current = nullptr;
}

Console& con() { return *current; }
void setconsole(Console* c) { current = c; }

int mygetch()
{
    int k = current->getkey();
    if (k == KEYPREFIX) return current->getkey();
    return k;
}

void print(const char* fmt, ...)
{
    char text[1024];
    va_list ap;
    va_start(ap, fmt);
    vformat(text, sizeof text, fmt, ap);
    va_end(ap);
    current->write(text);
}

void setcolor(int attr) { current->color(attr); }
void cls() { current->clear(); }
