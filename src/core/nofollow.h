#pragma once
// Writing the player's files without ever going through a symbolic link: the game writes
// only into its own folders, whatever a link in place of one of its files points at.

#include <string>

// Writes all of bytes to fd, going on after a signal; false with errno set when it fails.
bool writeall(int fd, const std::string& bytes);

// Appends bytes to the regular file at path, made when missing. 0, or errno's value: ELOOP
// for a symbolic link in its place, which is never followed, and EINVAL for a FIFO, a
// device or a folder.
int appendfile(const std::string& path, const std::string& bytes);

// Whether path is a symbolic link: the game writes through none, and says so.
bool islink(const std::string& path);
