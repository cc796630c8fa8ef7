#pragma once
// What the parser fuzzers (fuzz/) and the tests ask of the readers of the game's files:
// nothing crashes them, and what they take is sound. Each gives "" when all holds, else
// what went wrong.

#include <string>
#include <string_view>

// A game file: refused with a line and a reason, or taken into a sound game that writes
// and reads back to the very same text.
std::string gamefileproblem(std::string_view text);
// An index: every place a whole name the save files can hold again, levels -1 or more.
std::string indexproblem(std::string_view text);
// A map file: refused, or taken holding terrain codes 0..9 only.
std::string mapproblem(const char* path);
// A game file the reader takes, loaded from the title and played for 400 fuzzed keys (the
// draws and keys follow from the text): the state stays sound. The maps must be loaded and
// the data folder set.
std::string playfileproblem(std::string_view text);
