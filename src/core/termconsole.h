#pragma once
// The terminal console: ncursesw in the player's terminal. The screen is sent only when
// the game waits for a key, so ncurses sends just what changed. The terminal is always
// given back as it was: on quit, death, errors, signals and hang-ups.

#include <iconv.h>

#include <string>

#include "core/console.h"
#include "core/termshift.h"

class TermConsole : public Console {
public:
    TermConsole();
    ~TermConsole() override;
    int getkey() override;
    void clear() override;
    void color(int attr) override;
    void write(std::string_view text) override;
    std::string readword(size_t maxbytes) override;
    // Gives the terminal back; safe to call more than once.
    void shutdown();

private:
    void send();                                 // the screen to the terminal
    int readwide(unsigned& ch, bool& special);  // one key of the terminal
    void put(std::string_view utf8);             // to the window, in the terminal's charset
    void paint(int attr);
    int pairof(int fg, int bg);
    void replay();  // draws the current screen again (after a resize), with what is typed
    void resized();
    void notice();  // in place of the screen while the terminal is too small for it
    void showcursor(bool show);
    void remember(std::string_view text);

    bool active = false;
    int pending = -1;    // second byte of an extended key
    iconv_t tolocale = reinterpret_cast<iconv_t>(-1);
    int current = 15;
    bool bright16 = false;
    bool fullrepaint = false;  // every refresh sends the whole screen
    SideShift shift;           // rows moved sideways by the terminal itself
    short pairs[256] = {};
    int usedpairs = 0;
    char screen[32768];  // what was written since the last clear, colours marked
    size_t screenlen = 0;
    std::string typing;  // the word being typed at a word prompt
    int failures = 0;
    bool small = false;      // the terminal is smaller than the game's screens
    bool prompting = false;  // at a word prompt, where the cursor shows
};

// Signal that ended the game, or 0: set by the handlers the terminal console installs.
int caughtsignal();
