#pragma once
// Sideways moves done by the terminal itself. curses sends only the cells that changed
// and scrolls rows up and down, but a row whose text moved sideways (the field window
// following a player who steps left or right) it sends again whole. Before a refresh,
// SideShift finds such rows, has the terminal delete and insert characters to move them,
// and tells curses what the terminal now shows, so that the refresh sends only the new
// cells: a third less for a sideways step.

class SideShift {
public:
    // Reads the terminal's controls once curses is running; a terminal that cannot
    // insert and delete characters, or erases in other than the current background
    // colour, gets no shifts.
    void setup();
    // Moves the rows that are worth it, writing the controls to the terminal's
    // descriptor out. Call it right before the refresh.
    void shiftrows(int out);

private:
    bool usable = false;
    const char* cup = nullptr;  // cursor to row and column
    const char* dch = nullptr;  // delete n characters
    const char* ich = nullptr;  // insert n blanks
    const char* save = nullptr;     // the cursor and the colours kept ...
    const char* restore = nullptr;  // ... and brought back
    const char* setab = nullptr;    // background colour
};

// Has curses format every control of the terminal once, so that what it keeps of each is
// kept at start-up rather than during play.
void formatcontrols();
