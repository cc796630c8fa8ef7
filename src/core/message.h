#pragma once
// The message buffer: field and home messages, each a line beginning with "\n", formatted
// into buf and appended to message. The oldest whole lines make way when it is full.

#include <string_view>

// Formats one message into buf and appends it to message.
void addmes(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
// Appends text as it stands; the message log keeps it too.
void appendmes(const char* text);
void clearmes();
// The newest part of text: from its 8th line break from the end (all of it when it has
// fewer).
std::string_view newestlines(std::string_view text);
// Prints the newest part of message.
void putmes();
