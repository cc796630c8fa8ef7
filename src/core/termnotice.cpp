#include "core/termnotice.h"

#include <cstring>

#include "core/lang.h"
#include "core/text.h"

namespace {
constexpr char BREAK = '|';  // in a wording: a line may break here; nothing shows

// Each wording takes the terminal's columns and rows, then those the game needs.
constexpr const char* JAFULL = "画面が小さすぎます|（いま%dx%d）。|%dx%d以上に|広げると|続きから|遊べます。";
constexpr const char* ENFULL =
    "Terminal too small (%dx%d): need at least %dx%d. Resize to continue.";
constexpr const char* JASHORT = "いま%dx%d、|%dx%d以上に|してください";
constexpr const char* ENSHORT = "Too small: %dx%d, need %dx%d";
constexpr const char* TINY = "%dx%d|<%dx%d";
constexpr const char* NEED = "%dx%d";  // the size needed alone

// What is tried, the longest first: paragraphs, parted by a blank line or not. The last
// is shown cut when nothing fits.
struct wording {
    const char* paragraphs[2];
    bool gap;
    bool needonly = false;  // takes only the size needed
};
constexpr wording wordings[] = {
    {{JAFULL, ENFULL}, true},   {{JAFULL, ENFULL}, false}, {{JASHORT, ENSHORT}, true},
    {{JASHORT, ENSHORT}, false}, {{ENSHORT, nullptr}, false}, {{TINY, nullptr}, false},
    {{NEED, nullptr}, false, true},
};

size_t charbytes(unsigned char lead)
{
    return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}
// Every character of the wordings beyond ASCII is a full-width one.
int charwidth(unsigned char lead) { return lead < 0x80 ? 1 : 2; }

// Paragraphs broken into lines of at most cols columns: at spaces and BREAK marks where
// they can, anywhere where a word is wider than a line.
class layout {
public:
    layout(int cols, noticeline* out) : cols(cols), out(out) {}
    int count = 0;      // lines made, also those past NOTICELINES (counted, not kept)
    bool lost = false;  // a character wider than a whole line was left out

    void blank() { newline(); }
    void paragraph(const char* text)
    {
        newline();
        bool space = false;
        for (const char* p = text; *p;) {
            if (*p == ' ' || *p == BREAK) {
                space = space || *p == ' ';
                p++;
                continue;
            }
            size_t len = 0;
            int width = 0;
            for (; p[len] && p[len] != ' ' && p[len] != BREAK; len += charbytes(p[len]))
                width += charwidth(p[len]);
            word(p, len, width, space);
            p += len;
            space = false;
        }
    }

private:
    int cols;
    noticeline* out;

    noticeline* line() { return count > 0 && count <= NOTICELINES ? &out[count - 1] : nullptr; }
    int used() { return line() ? line()->width : 0; }
    void newline()
    {
        if (++count <= NOTICELINES) out[count - 1] = noticeline{};
    }
    void word(const char* p, size_t len, int width, bool space)
    {
        int before = used() > 0 && space;
        if (used() > 0 && used() + before + width > cols) newline();
        else if (before) add(" ", 1, 1);
        for (size_t i = 0; i < len;) {
            size_t n = charbytes(p[i]);
            int w = charwidth(p[i]);
            if (used() + w > cols && used() > 0) newline();
            if (w <= cols) add(p + i, n, w);
            else lost = true;
            i += n;
        }
    }
    void add(const char* s, size_t n, int w)
    {
        noticeline* l = line();
        if (!l) return;
        size_t len = std::strlen(l->text);
        if (len + n >= sizeof l->text) return;
        std::memcpy(l->text + len, s, n);
        l->width += w;
    }
};

// The lines of one wording for a terminal of rows x cols.
layout lay(const wording& w, int rows, int cols, noticeline* out)
{
    layout made(cols, out);
    for (const char* text : w.paragraphs) {
        // the English alone when the game speaks English
        if (!text || (curlang() == EN && w.paragraphs[1] && text == w.paragraphs[0])) continue;
        if (made.count > 0 && w.gap) made.blank();
        char para[128];
        if (w.needonly) format(para, sizeof para, text, SCREENCOLS, SCREENROWS);
        else format(para, sizeof para, text, cols, rows, SCREENCOLS, SCREENROWS);
        made.paragraph(para);
    }
    return made;
}
}  // namespace

int layoutnotice(int rows, int cols, noticeline (&out)[NOTICELINES])
{
    if (rows <= 0 || cols <= 0) return 0;
    int room = rows < NOTICELINES ? rows : NOTICELINES;
    int count = 0;
    for (const wording& w : wordings) {
        layout made = lay(w, rows, cols, out);
        count = made.count < room ? made.count : room;
        if (made.count <= room && !made.lost) break;
    }
    int widest = 0;
    for (int i = 0; i < count; i++)
        if (out[i].width > widest) widest = out[i].width;
    for (int i = 0; i < count; i++) {
        out[i].y = (rows - count) / 2 + i;
        out[i].x = (cols - widest) / 2;
    }
    return count;
}
