#include "core/lineinput.h"

#include "core/text.h"

std::string wholechars(std::string word)
{
    // utf8cut needs the byte after the cut; re-check the tail character's length instead
    size_t n = word.size(), p = n;
    while (p > 0 && (static_cast<unsigned char>(word[p - 1]) & 0xC0) == 0x80) p--;
    if (p > 0) {
        unsigned char lead = static_cast<unsigned char>(word[p - 1]);
        size_t need = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (p - 1 + need > n) word.resize(p - 1);
    }
    return word;
}

std::string firstword(const std::string& line)
{
    size_t b = line.find_first_not_of(' ');
    if (b == std::string::npos) return "";  // the prompt was left
    size_t e = line.find(' ', b);
    return line.substr(b, e == std::string::npos ? std::string::npos : e - b);
}

wordedit editword(std::string& typing, size_t maxbytes, bool leavable, wordkey key, unsigned ch)
{
    bool blank = typing.find_first_not_of(' ') == std::string::npos;
    if (leavable && (key == wordkey::esc || (key == wordkey::enter && blank))) {
        typing.clear();
        return wordedit::left;
    }
    switch (key) {
    case wordkey::enter: return blank ? wordedit::none : wordedit::done;
    case wordkey::back:
        if (typing.empty()) return wordedit::none;
        while ((static_cast<unsigned char>(typing.back()) & 0xC0) == 0x80) typing.pop_back();
        typing.pop_back();
        return wordedit::erased;
    case wordkey::ch: {
        if (ch < 32 || ch == 127) return wordedit::none;
        std::string c;
        pututf8(ch, c);
        if (typing.size() + c.size() > maxbytes) return wordedit::none;
        typing += c;
        return wordedit::added;
    }
    default: return wordedit::none;
    }
}
