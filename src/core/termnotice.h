#pragma once
// The notice a terminal too small for the game's screens shows in their place, in Japanese
// and English (in English alone when the game speaks English): the size needed, the size now, and that widening the terminal goes on with
// the game. It is laid out for any size, down to a single cell, in the longest wording
// that fits.

// The terminal the game's screens are drawn for.
constexpr int SCREENROWS = 25;
constexpr int SCREENCOLS = 80;

constexpr int NOTICELINES = 12;  // lines of the notice at most

struct noticeline {
    int y = 0, x = 0;  // where it starts on the terminal
    int width = 0;     // the columns it takes
    char text[128] = {};  // UTF-8
};

// Lays the notice out for a terminal of rows x cols, a block in its middle: no line past
// the terminal's edges, no more lines than it has rows. Returns the number of lines.
int layoutnotice(int rows, int cols, noticeline (&out)[NOTICELINES]);
