#pragma once
// The key fuzzer: whole games played from the title with weighted random keys, the state
// checked at every key the game reads. Each game is one seed; the keys it was given make a
// recording that `kurashi --replay` plays again exactly.

#include <string>

struct fuzzsettings {
    long keys = 5000;          // a game ends as if its input closed after this many keys
    bool keepscreens = false;  // keep every screen, as the plain console writes them
    int stucklimit = 2000;     // this many keys on one unchanged screen is a fault
    bool passmore = false;     // "-- 続き --" and the assisted view's questions answered apart
                               // from the keys a recording holds
};

struct fuzzgame {
    unsigned seed = 0;
    int status = -1;          // how the game ended: 0 quit or death, 3 no keys left
    long keys = 0;            // keys handed out (a word counts as one)
    std::string problem;      // empty while the state stayed sound
    std::string recording;    // header and key bytes, for --replay
    std::string screens;      // with keepscreens: everything written, "\f" at each clear
    std::string lastscreen;
    // A game that begins by loading a seasoned household: the files of save/ it loads,
    // which a replay needs in the save/ of its --dir.
    std::string savedgame, savedindex;
};

// Plays one game of seed from the title. The maps must be loaded and the data folder set:
// its save/ is emptied first, so that every game starts as a replay does.
fuzzgame fuzzone(unsigned seed, const fuzzsettings& s);
// Plays one game of seed that begins by loading the game file text from place a.
fuzzgame fuzzloaded(unsigned seed, const std::string& text, const fuzzsettings& s);
// Plays a recording (as fuzzone writes it, or --record) with the same checks; the save
// files of a game that loads one are passed in savedgame and savedindex of start.
fuzzgame replaychecked(const std::string& recording, const fuzzgame& start, const fuzzsettings& s);

// The game being played, for a watchdog that must report a game that stopped reading keys.
const fuzzgame* currentfuzzgame();
