#pragma once
// The death report: everything about a death a player may want to read afterwards, as
// UTF-8 text in the language of the screens, one file a death in morgue/ beside dead.txt.

#include <ctime>
#include <string>

// The report of the death that just came: the cause and the place, the character, what
// they carried and owned, and the last messages of the log with their times.
std::string deathreport();
// Writes text to morgue/YYYY-MM-DD-HHMMSS-<name>.txt in the data folder (the time of the
// death, the character's name), with "-2", "-3" ... before ".txt" when that name is
// taken; never through a link. False when it could not be written.
bool keepreport(const std::string& text, const std::tm& when);
