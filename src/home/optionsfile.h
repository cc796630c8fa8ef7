#pragma once
// The options file: "key = value" lines of an INI file, read with the inih library.
//   assist = on|off    the assisted view
//   vikeys = on|off    h j k l move in the field
//   lang = ja|en       the language of the screens
// This file alone needs the library: a build without it leaves optionsfile.cpp out and
// plays with the defaults and the command line.

#include <string>

#include "core/opts.h"

// Reads the file at path into o. A line at fault (no "key = value", an unknown key, a value
// it cannot take, a line too long) is told in complaints as one line
// "kurashi: PATH:LINE: what was wrong; ...", and then no line of the file counts: o stays as
// it was, the defaults. So does a file that cannot be read (one line) or is missing (none).
void readoptionsfile(const std::string& path, optdata& o, std::string& complaints);
