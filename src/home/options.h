#pragma once
// The command line: kurashi [--seed N] [--plain] [--dir DIR] [--assist | --no-assist]
// [--lang ja|en] [--record FILE] [--replay FILE] [--help] [--version]

#include <string>

struct options {
    unsigned seed = 0;
    bool seedgiven = false;
    bool plain = false;
    std::string dir;  // the folder holding map/ and save/; empty: found as usual
    bool help = false;
    std::string record;  // write the seed and every key into this file
    std::string replay;  // play a recording back through the plain console
    int assist = -1;     // --assist 1, --no-assist 0, neither -1: as the options file says
    int lang = -1;       // --lang: a langcode; -1 as the options file or the recording says
};

struct folders;

// Reads the arguments. Returns -1 to go on (to play, or to print the help when o.help is
// set), or the exit status at once (after a bad option or the version has been printed).
int parseoptions(int argc, char** argv, options& o);
// The usage, the keys, and the folders and options file this run uses.
void printhelp(const folders& f, const std::string& optionsfile);
