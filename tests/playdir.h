#pragma once
// A folder to play the built game in: its own save/ and dead.txt, the game's maps through a
// link; and a recording replayed there by the built game.

#include <string>

#include "tempdir.h"

struct PlayDir : TempDir {
    PlayDir();
};

// Replays the recording through the built game with --dir dir and the flags: the exit status
// (-1 when it did not exit), and everything it wrote to stdout in out.
int replaybinary(const std::string& recording, const std::string& dir, std::string& out,
                 const std::string& flags = "");
