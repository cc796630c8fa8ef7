#pragma once
// The command line: kurashi [--seed N] [--plain] [--dir DIR] [--help] [--version]

#include <string>

struct options {
    unsigned seed = 0;
    bool seedgiven = false;
    bool plain = false;
    std::string dir;  // the folder holding map/ and save/; empty: the working directory
};

// Reads the arguments. Returns -1 to go on and play, or the exit status at once (after
// the usage or version has been printed).
int parseoptions(int argc, char** argv, options& o);
