#include "core/msglog.h"

#include <cstdarg>
#include <cstring>

#include "core/console.h"
#include "core/lang.h"
#include "core/pager.h"
#include "core/text.h"

namespace {
logline ring[LOGSIZE];
int first;  // the oldest line's place in ring
int used;

// A line on the log screen: its date and time in the first STAMPCOLS columns, its text in
// the rest, carried on to further rows when it is longer.
constexpr int STAMPCOLS = 19;
constexpr int TEXTCOLS = PAGECOLS - STAMPCOLS;
constexpr size_t BODYSIZE = LINESIZE + 16;

// The text as shown: a line said again at the same moment gets its count.
size_t body(const logline& l, char* out)
{
    if (l.repeats > 1) return format(out, BODYSIZE, "%s (x%d)", l.text, l.repeats);
    return format(out, BODYSIZE, "%s", l.text);
}

int rowsof(const logline& l)
{
    char b[BODYSIZE];
    std::string_view rest(b, body(l, b));
    int rows = 0;
    do {
        rest.remove_prefix(widthcut(rest, TEXTCOLS));
        rows++;
    } while (!rest.empty());
    return rows;
}

bool samemoment(const logline& l)
{
    return l.year == year && l.month == month && l.day == day && l.hour == hour && l.min == min;
}

// Keeps one line; the same line said again at the same moment only counts up.
void keep(std::string_view said)
{
    char text[LINESIZE] = {};
    size_t len = utf8cut(said, LINESIZE - 1);
    if (len == 0) return;
    for (size_t i = 0; i < len; i++)  // a tab or another control shows as a blank
        text[i] = static_cast<unsigned char>(said[i]) < ' ' ? ' ' : said[i];
    if (used > 0) {
        logline& last = ring[(first + used - 1) % LOGSIZE];
        if (samemoment(last) && !std::strcmp(text, last.text)) {
            last.repeats++;
            last.rows = rowsof(last);
            return;
        }
    }
    logline& l = ring[(first + used) % LOGSIZE];
    if (used < LOGSIZE) used++;
    else first = (first + 1) % LOGSIZE;
    l = {year, month, day, hour, min, 1, 0, {}};
    std::memcpy(l.text, text, sizeof text);
    l.rows = rowsof(l);
}

class logsource : public pagesource {
public:
    int rows() const override
    {
        int n = 0;
        for (int i = 0; i < used; i++) n += logat(i).rows;
        return used ? n : 1;
    }
    void row(int r) const override
    {
        if (used == 0) return print("%s", _("(まだ何もない)"));
        int i = 0;
        while (i < used && r >= logat(i).rows) r -= logat(i++).rows;
        if (i == used) return;
        const logline& l = logat(i);
        char b[BODYSIZE], when[LINESIZE] = "";
        std::string_view rest(b, body(l, b));
        for (int k = 0; k < r; k++) rest.remove_prefix(widthcut(rest, TEXTCOLS));
        // the date as the home and field screens write it, on the line's first row only
        if (r == 0)
            format(when, sizeof when, _("%d年%d月%d日 %d:%02d"), l.year, l.month + 1, l.day + 1,
                   l.hour, l.min / 100);
        setcolor(CGREY);
        print("%s%*s", when, STAMPCOLS - textwidth(when), "");
        setcolor(CWHITE);
        con().write(rest.substr(0, widthcut(rest, TEXTCOLS)));
    }
    void head() const override { print("%s", _("メッセージ履歴 (下ほど新しい)")); }
    const char* keys() const override
    {
        return _("[上下キー]1行 [PgUp・PgDn・スペース]1画面 [ESC・q]戻る");
    }
};
}  // namespace

void logtext(const char* text)
{
    while (*text) {
        const char* end = std::strchr(text, '\n');
        size_t len = end ? static_cast<size_t>(end - text) : std::strlen(text);
        keep(std::string_view(text, len));
        text += len + (end ? 1 : 0);
    }
}

void printlog(const char* fmt, ...)
{
    char text[LINESIZE];
    va_list ap;
    va_start(ap, fmt);
    vformat(text, sizeof text, fmt, ap);
    va_end(ap);
    con().write(text);
    logtext(text);
}

void clearlog()
{
    first = used = 0;
}

int loglines() { return used; }

const logline& logat(int i) { return ring[(first + i) % LOGSIZE]; }

void showlog()
{
    logsource src;
    int top = pagebottom(src);
    while (!leavespager(pager(src, top))) {
    }
}
