#pragma once
// Committed expected output: compared byte for byte, or written anew when the environment
// says KURASHI_REGENERATE=1 (for a change of the screens made on purpose).

#include <string>

// A file of the source tree, relative to it ("tests/replays/01-expedition.out").
std::string sourcefile(const std::string& rel);
// Expects the committed file rel to hold actual; on a difference the first differing part
// (parts end at each separator: '\f' for screens, '\n' for lines) is shown both ways.
void expectcommitted(const std::string& rel, const std::string& actual, char separator);
