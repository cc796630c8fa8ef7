#pragma once
// The message log: the last LOGSIZE lines the game said, each with the game's date and time
// when it was said. Every message the message buffer receives is kept, and the home texts
// that the next screen wipes away. A fixed ring, not part of the saved game.

#include "core/state.h"

constexpr int LOGSIZE = 500;
constexpr int KEYLOG = 16;  // Ctrl-P opens the log, from the field and from home

struct logline {
    int year, month, day, hour, min;  // the clock when it was said
    int repeats;                      // said this many times in a row at that moment
    int rows;                         // rows it takes on the log screen
    char text[LINESIZE];
};

// Keeps each line of text (lines are parted by "\n"; empty ones are not kept).
void logtext(const char* text);
// Prints a home text as print does, and keeps it in the log.
void printlog(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
void clearlog();
// Lines kept, at most LOGSIZE; line 0 is the oldest.
int loglines();
const logline& logat(int i);

// The log screen: the newest line at the bottom, paged until Escape or q. No time passes.
void showlog();
