#pragma once
// The disk side of the save files: a whole file read at once, and files replaced so that a
// failed or interrupted save never damages the copies already on disk.

#include <cstddef>
#include <string>

#include "core/keeper.h"

// The most a save file may hold; a longer file is no save of ours.
constexpr size_t SAVEFILECAP = 1 << 20;

// Reads a whole file of at most cap bytes. False with errno's value in err when it cannot
// be read (EFBIG when it is longer than cap).
bool readfile(const std::string& path, std::string& out, size_t cap, int& err);

struct filewrite {
    std::string path;
    std::string bytes;
};

// Replaces the files, in order. Each is first written whole to a new file beside it, named
// for this game alone ("<path>.tmp-<pid>"), and synced; only then are they renamed over
// the old files, the old ones kept by a second name of the game's own ("<path>.old-<pid>")
// until all are in place. When anything fails, every file is left as it was and why says
// what went wrong ("save/save3.tmp-812: No space left on device").
bool replacefiles(const filewrite* files, int n, std::string& why);

// replacefiles hands the files on (keepfiles) after every replacement, before it reports
// success.

// Removes the passing files an interrupted save of path left: those of a game no longer
// running, or untouched for an hour, and the ".tmp" and ".old" of earlier versions. Another
// running game's files, and links or folders by those names, are left alone.
void removeleftovers(const std::string& path);

// Makes the folder unless it is there; false when there is no folder afterwards.
bool makefolder(const std::string& path);

// An advisory lock (flock) on the lock file at path, held for as long as the object lives,
// so that two games on one data folder take turns with their saves. It waits up to waitms
// for another game to let go, and never longer. A lock file that cannot be opened, or a
// file system without locks, leaves the lock untaken and the caller going on as for one
// game alone; busy() tells that another game held it all the while.
class folderlock {
public:
    folderlock(const std::string& path, int waitms);
    ~folderlock();
    folderlock(const folderlock&) = delete;
    folderlock& operator=(const folderlock&) = delete;
    bool busy() const { return isbusy; }

private:
    int fd = -1;
    bool isbusy = false;
};
