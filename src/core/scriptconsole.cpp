#include "core/scriptconsole.h"

#include "core/gameend.h"
#include "core/lineinput.h"

int ScriptConsole::getkey()
{
    if (pos >= keys.size()) gameend(EXITINPUT);
    unsigned char c = static_cast<unsigned char>(keys[pos++]);
    return c == '\n' || c == '\r' ? KEYENTER : c;
}

void ScriptConsole::clear()
{
    screens.emplace_back();
    painted += "\f";
}

void ScriptConsole::color(int a)
{
    attr = a;
    painted += "<" + std::to_string(a) + ">";
}

void ScriptConsole::write(std::string_view text)
{
    screens.back().append(text);
    painted.append(text);
}

std::string ScriptConsole::readword(size_t maxbytes, bool leavable)
{
    bool ended, lastcr = false;  // a script's keys have no CR LF line ends
    auto next = [this]() -> int {
        return pos < keys.size() ? static_cast<unsigned char>(keys[pos++]) : -1;
    };
    std::string word = wholechars(wordofline(next, maxbytes, leavable, lastcr, ended));
    if (ended) gameend(EXITINPUT);
    write(word + "\n");
    return word;
}

std::string ScriptConsole::all() const
{
    std::string s;
    for (size_t i = 0; i < screens.size(); i++) {
        if (i) s += "\f";
        s += screens[i];
    }
    return s;
}
