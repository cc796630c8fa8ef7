#pragma once
// The command line: kurashi [--seed N] [--plain] [--dir DIR] [--help] [--version]

#include <string>

struct options {
    unsigned seed = 0;
    bool seedgiven = false;
    bool plain = false;
    std::string dir;  // the folder holding map/ and save/; empty: found as usual
    bool help = false;
    std::string record;  // write the seed and every key into this file
    std::string replay;  // play a recording back through the plain console
};

struct folders;

// Reads the arguments. Returns -1 to go on (to play, or to print the help when o.help is
// set), or the exit status at once (after a bad option or the version has been printed).
int parseoptions(int argc, char** argv, options& o);
// The usage, the keys, and the folders this run uses.
void printhelp(const folders& f);
