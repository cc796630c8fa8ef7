#pragma once
// Where this run finds its files: the folder holding map/, and the folder holding save/
// and dead.txt (the same folder unless the game is installed).

#include <string>

void setfolders(const std::string& mapfolder, const std::string& datafolder);

// "map/mine/map3" and the like, inside the map folder.
std::string mappath(int ground, int n);
// A file of the player's, inside the data folder: "save/save", "save/save3", "dead.txt".
std::string datapath(const std::string& rel);
const std::string& mapfolder();
const std::string& datafolder();
