#pragma once
// Where the files of the data folder last only once handed on (the browser keeps them in
// its own storage), the platform sets a keeper that hands them on; on a disk there is none.

#include <string>

// The keeper returns false with the reason in why.
using filekeeper = bool (*)(std::string& why);
void setfilekeeper(filekeeper k);
// Hands the data folder's files on to where they last, when the platform has a keeper.
bool keepfiles(std::string& why);
