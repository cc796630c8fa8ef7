#pragma once
// The ways the game ends: quit and death (status 0), input closed (3), a start-up error (1).
// Every end goes through gameend, which unwinds to main, where the terminal is restored in
// one place; tests catch GameEnd to drive a game to its end.

enum { EXITOK = 0, EXITSTARTUP = 1, EXITUSAGE = 2, EXITINPUT = 3 };

struct GameEnd {
    int status;
};

[[noreturn]] void gameend(int status);
