#pragma once
// Save files: the index of the 16 places and one game file per place, in Shift-JIS.

#include <string>
#include <string_view>

#include "core/state.h"

struct indexentry {
    char name[NAMESIZE];
    int lv;  // 0: no game; -1: a place that is written without asking
};

// Reads save/save: entries the file lacks, and lines that are no name and level, are
// "nochar" with level 0. Tidies the folder first (tidysaves).
void readindex(indexentry list[16]);
// The entries of an index file's text, as readindex reads them (without the folder).
void parseindex(std::string_view text, indexentry list[16]);
// Makes the folder save/ and the index (16 places "nochar 0") when they are missing, and
// removes what an interrupted save left behind. Safe to call at any start, and while
// another game runs on the same folder: it waits for that game's save to end.
void tidysaves();
// The save screen of the home menu. Two games on one folder take turns with their saves
// (the lock save/lock), and neither's save drops the other's from the index.
void save();
// Loads the game of a place into the globals; on a missing or broken file the player is
// told, nothing is changed, and the result is false.
bool loadgame(int place);
// Puts a game file from elsewhere (a copy of the game on another machine) into a place as it
// stands, after the loader has checked it, and names it in the index as a save does. The
// message tells the place and the game, or why it was refused (what loading it would say).
bool putgame(int place, std::string_view text, std::string& message);
