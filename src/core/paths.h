#pragma once
// Where this run finds its files: the folder holding map/, and the folder holding save/
// and dead.txt. Run from the game's own folder both are that folder; an installed game
// reads its maps from the installed data and keeps the player's files in
// $XDG_DATA_HOME/kurashi (or ~/.local/share/kurashi).

#include <string>

struct folders {
    std::string maps;  // holds map/
    std::string data;  // holds save/ and dead.txt; empty when there is no home folder for it
    const char* why;   // how they were chosen, for --help
};

// --dir when given; else the working directory when it holds map/; else the installed
// maps with the player's files in the XDG data folder.
folders findfolders(const std::string& dir);
// Creates the data folder when missing and checks that it can be written; false with the
// reason (naming the path) in err.
bool preparedata(const std::string& data, std::string& err);

// The player's options file: $XDG_CONFIG_HOME/kurashi/kurashi.ini, or
// ~/.config/kurashi/kurashi.ini; empty when there is no home to find it in.
std::string optionspath();

// The folder of the English catalogue (locale/ beside a program in its build folder, the
// installed share/locale), or "" when none holds it.
std::string catalogfolder();

void setfolders(const std::string& mapfolder, const std::string& datafolder);

// "map/mine/map3" and the like, inside the map folder.
std::string mappath(int ground, int n);
// A file of the player's, inside the data folder: "save/save", "save/save3", "dead.txt".
std::string datapath(const std::string& rel);
const std::string& mapfolder();
const std::string& datafolder();
