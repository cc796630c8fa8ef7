#include "core/message.h"

#include <cstdarg>
#include <cstring>

#include "core/console.h"
#include "core/msglog.h"
#include "core/state.h"
#include "core/text.h"

void clearmes() { message[0] = 0; }

void appendmes(const char* text)
{
    logtext(text);
    size_t add = std::strlen(text), have = std::strlen(message);
    if (add >= sizeof message) return;
    // make room by dropping the oldest lines whole; a line starts at a line break
    while (have + add >= sizeof message) {
        const char* next = std::strchr(message + 1, '\n');
        if (!next) {
            have = 0;
            break;
        }
        have -= next - message;
        std::memmove(message, next, have + 1);
    }
    std::memcpy(message + have, text, add + 1);
}

void addmes(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    vformat(buf, sizeof buf, fmt, ap);
    va_end(ap);
    appendmes(buf);
}

std::string_view newestlines(std::string_view text)
{
    size_t from = text.size();
    int breaks = 0;
    while (from > 0 && breaks < 8) {
        from--;
        if (text[from] == '\n') breaks++;
    }
    return text.substr(from);
}

void putmes() { con().write(newestlines(message)); }
