#pragma once
// The console layer: the only way the game reaches the player's screen and keyboard.
// Three backends: the terminal (ncursesw), plain text on stdin/stdout, and scripted keys
// for the tests.

#include <cstddef>
#include <string>
#include <string_view>

// Key bytes: printable ASCII as itself, Enter 13, Esc 27, Backspace 8. Arrow keys arrive
// as 224 and the scan code (up 72, left 75, right 77, down 80; Home 71, End 79, PgUp 73,
// PgDn 81); function keys as 0 and the scan code.
constexpr int KEYBACKSPACE = 8;
constexpr int KEYENTER = 13;
constexpr int KEYESC = 27;
constexpr int KEYPREFIX = 224;
constexpr int KEYUP = 72;
constexpr int KEYLEFT = 75;
constexpr int KEYRIGHT = 77;
constexpr int KEYDOWN = 80;
constexpr int KEYHOME = 71;
constexpr int KEYEND = 79;
constexpr int KEYPGUP = 73;
constexpr int KEYPGDN = 81;

class Console {
public:
    virtual ~Console() = default;
    virtual int getkey() = 0;                          // next key byte
    virtual void clear() = 0;                          // the screen is wiped, cursor home
    virtual void color(int attr) = 0;                  // background * 16 + foreground
    virtual void write(std::string_view text) = 0;     // UTF-8; \n and \t as a terminal
    // Echoed, ended by Enter, the first word. Where the player may leave (leavable),
    // Escape or Enter on an empty line leaves: the word is then empty.
    virtual std::string readword(size_t maxbytes, bool leavable = false) = 0;
};

// The console in use; set once by main (or by a test).
Console& con();
void setconsole(Console* c);

// One key, with the 224 prefix of the arrow and other extended keys folded away.
int mygetch();

// Formatted text to the console. Never pass player text as the format.
void print(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
void setcolor(int attr);
void cls();

// Colours of the 16-colour palette (bit 0 blue, bit 1 green, bit 2 red, bit 3 bright).
enum {
    CBLACK = 0,
    CGREY = 7,
    CDARKGREY = 8,
    CLIGHTBLUE = 9,
    CLIGHTGREEN = 10,
    CLIGHTCYAN = 11,
    CLIGHTRED = 12,
    CLIGHTMAGENTA = 13,
    CYELLOW = 14,
    CWHITE = 15,
};
