#pragma once
// One screen for reading more lines than fit: a heading, PAGEROWS rows of text and a line
// of keys at the foot, paged with the up and down arrows, PgUp, PgDn and Space (Home and
// End go to the ends). The message log, the guide and the look at the own shop use it.

#include <cstdarg>
#include <string_view>

constexpr int PAGEROWS = 22;
constexpr int PAGECOLS = 79;  // a row stops short of the last column, so it never wraps

// What a pager shows. Nothing of it is kept between screens: rows are drawn on demand.
class pagesource {
public:
    virtual int rows() const = 0;
    // Writes row r (0 <= r < rows()) in at most PAGECOLS columns, without a line break; it
    // may change the colour.
    virtual void row(int r) const = 0;
    // The heading line, likewise.
    virtual void head() const = 0;
    // The keys of the foot line.
    virtual const char* keys() const = 0;

protected:
    ~pagesource() = default;
};

// Shows src from row top and pages through it until a key that is no paging key comes;
// returns that key, with top where the reader left it.
int pager(const pagesource& src, int& top);
// The top row that shows the last row at the bottom of the screen.
int pagebottom(const pagesource& src);
// Escape or q, the keys that leave a pager's screen.
bool leavespager(int key);

// A page written as a run of lines, played once to count its lines and once more for each
// row shown, when only that row is printed. Nothing is kept, so nothing is allocated.
// A line too wide for the page goes on in the next row at its last blank that fits, under
// the line's first text: so a translated text of any length still fits the screen.
class pagelines {
public:
    explicit pagelines(int want = -1) : want(want) {}
    // Adds text in a colour to the line being written; a "\n" in it ends the line there.
    void put(int color, const char* fmt, ...) __attribute__((format(printf, 3, 4)));
    // Adds text in a colour, filled with blanks up to cols columns from where it began.
    void cell(int color, const char* text, int cols);
    // Ends the line being written.
    void end()
    {
        n++;
        col = 0;
        lead = 0;
    }
    // A whole line in white (more than one where it holds "\n").
    void line(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    int count() const { return n; }

private:
    void vput(int color, const char* fmt, va_list ap);
    void add(int color, std::string_view text);
    void show(int color, std::string_view text);
    bool shown() const { return n == want; }
    int want;
    int n = 0;
    int col = 0;    // columns written in the line
    int lead = 0;   // blank columns at its start, while nothing else came
};

// A pager's source whose rows are a page written line by line with pagelines.
class writtensource : public pagesource {
public:
    int rows() const override
    {
        pagelines w;
        write(w);
        return w.count();
    }
    void row(int r) const override
    {
        pagelines w(r);
        write(w);
    }

protected:
    ~writtensource() = default;
    virtual void write(pagelines& w) const = 0;
};
