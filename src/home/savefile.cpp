#include "home/savefile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <string>
#include <string_view>

#include "core/console.h"
#include "core/paths.h"
#include "core/rules.h"
#include "core/text.h"
#include "core/ui.h"
#include "home/savedisk.h"
#include "home/savegame.h"

namespace {
constexpr int PLACES = 16;

// One place of the index, with its name both as the file holds it and as the game shows it.
struct indexline {
    std::string sjis = "nochar";
    indexentry e{"nochar", 0};
};

std::string indexpath() { return datapath("save/save"); }
std::string gamepath(int place) { return datapath("save/save" + std::to_string(place)); }

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// A line "name level"; anything else leaves the place empty.
void parseline(std::string_view text, indexline& out)
{
    std::string_view words[3];
    int n = 0;
    for (size_t p = 0; p < text.size() && n < 3;) {
        while (p < text.size() && blank(text[p])) p++;
        size_t start = p;
        while (p < text.size() && !blank(text[p])) p++;
        if (p > start) words[n++] = text.substr(start, p - start);
    }
    if (n != 2) return;
    int lv = 0;
    auto [end, ec] = std::from_chars(words[1].data(), words[1].data() + words[1].size(), lv);
    if (ec != std::errc() || end != words[1].data() + words[1].size() || lv < -1) return;
    indexline l;
    if (!namefromsjis(words[0], l.e.name)) return;
    l.sjis = words[0];
    l.e.lv = lv;
    out = l;
}

void parselines(std::string_view text, indexline list[PLACES])
{
    size_t pos = 0;
    for (int i = 0; i < PLACES && pos < text.size(); i++) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        parseline(text.substr(pos, end - pos), list[i]);
        pos = end + 1;
    }
}

std::string formatindex(const indexline list[PLACES])
{
    std::string out;
    for (int i = 0; i < PLACES; i++)
        out += list[i].sjis + " " + std::to_string(list[i].e.lv) + "\n";
    return out;
}

// Makes the entry name the game that place p's file holds; false when it already does,
// or when there is no such game (a missing or broken file is told when it is loaded).
bool nameplace(int p, indexline& l)
{
    if (l.e.lv == -1) return false;  // a place written without asking keeps its entry
    std::string text, sjis;
    int err;
    savedgame g;
    loaderror bad;
    if (!readfile(gamepath(p), text, SAVEFILECAP, err) || !readgame(text, g, bad) ||
        !sjisname(g.name, sjis))
        return false;
    if (l.sjis == sjis && l.e.lv == g.lv) return false;
    l.sjis = sjis;
    std::memcpy(l.e.name, g.name, NAMESIZE);
    l.e.lv = g.lv;
    return true;
}

// A save cut off between its two files (the game file is written first) leaves the new game
// under the old entry, or under none: the index is made to name what each place holds.
void nameplaces()
{
    std::string text;
    int err;
    if (!readfile(indexpath(), text, SAVEFILECAP, err)) return;
    indexline list[PLACES];
    parselines(text, list);
    bool changed = false;
    for (int p = 0; p < PLACES; p++) changed |= nameplace(p, list[p]);
    if (!changed) return;
    filewrite f{indexpath(), formatindex(list)};
    std::string why;
    replacefiles(&f, 1, why);  // a disk that takes nothing leaves the old index: no worse
}

void loadindex(indexline list[PLACES])
{
    tidysaves();
    for (int i = 0; i < PLACES; i++) list[i] = indexline{};
    std::string text;
    int err;
    if (readfile(indexpath(), text, SAVEFILECAP, err)) parselines(text, list);
}
}  // namespace

void tidysaves()
{
    if (!makefolder(datapath("save"))) return;
    removeleftovers(indexpath());
    for (int i = 0; i < PLACES; i++) removeleftovers(gamepath(i));
    struct stat s;
    if (lstat(indexpath().c_str(), &s) != 0 && errno == ENOENT) {
        indexline empty[PLACES];
        filewrite f{indexpath(), formatindex(empty)};
        std::string why;
        replacefiles(&f, 1, why);  // a folder that takes no file shows up when saving
    }
    nameplaces();
}

void parseindex(std::string_view text, indexentry list[16])
{
    indexline lines[PLACES];
    parselines(text, lines);
    for (int i = 0; i < PLACES; i++) list[i] = lines[i].e;
}

void readindex(indexentry list[16])
{
    indexline lines[PLACES];
    loadindex(lines);
    for (int i = 0; i < PLACES; i++) list[i] = lines[i].e;
}

// ---------------------------------------------------------------- saving

namespace {
void showplaces(const indexline list[PLACES])
{
    cls();
    print("どこにセーブしますか\n\n");
    for (int i = 0; i < PLACES; i++) {
        const indexentry& e = list[i].e;
        if (e.lv == 0)
            print("%c:セーブデータがありません\n", alphabet[i]);
        else
            print("%c:%s(Lv.%d)\n", alphabet[i], e.name, e.lv);
    }
}

// The place the player picks, with the overwrite question; -1 when Esc leaves the screen.
int chooseplace(const indexline list[PLACES])
{
    for (;;) {
        showplaces(list);
        int key = mygetch();
        if (key == KEYESC) return -1;
        int p = alp2int(key);
        if (p >= PLACES) continue;
        if (list[p].e.lv == -1) return p;
        print("データを上書きしますか？\n");
        print("y/n");
        if (yesno()) return p;
    }
}

// Writes a game file's text into place p and names the game g in the index; false with
// the reason in why, the files on disk then as they were.
bool writeplace(int p, const indexline list[PLACES], const savedgame& g, const std::string& text,
                std::string& why)
{
    std::string name;
    if (!sjisname(g.name, name)) {
        why = "名前がセーブファイルに書けない";
        return false;
    }
    indexline named[PLACES];
    std::copy(list, list + PLACES, named);
    named[p].sjis = name;
    std::memcpy(named[p].e.name, g.name, NAMESIZE);
    named[p].e.lv = g.lv;
    const filewrite files[2] = {{gamepath(p), text}, {indexpath(), formatindex(named)}};
    return replacefiles(files, 2, why);
}

// Writes the game into place p; false with the reason in why, the files on disk then as
// they were.
bool writesave(int p, const indexline list[PLACES], std::string& why)
{
    savedgame g, check;
    capturegame(g);
    std::string text;
    loaderror err;
    if (!writegame(g, text)) {
        why = "名前がセーブファイルに書けない";
        return false;
    }
    // never put a file on disk that could not be loaded again
    if (!readgame(text, check, err)) {
        why = "このゲームの" + std::to_string(err.line) + "行目が読み戻せない: " + err.what;
        return false;
    }
    return writeplace(p, list, g, text, why);
}
}  // namespace

void save()
{
    indexline list[PLACES];
    loadindex(list);
    int p = chooseplace(list);
    if (p < 0) return;
    std::string why;
    if (writesave(p, list, why))
        print("セーブしました\n");
    else
        print("セーブできなかった\n(%s)\n", why.c_str());
    waitkey();
}

// ---------------------------------------------------------------- loading

namespace {
// What the player is told of a game file that cannot be read, or that is broken.
std::string unreadable(int place, const std::string& path, int err)
{
    return std::string("セーブデータ") + alphabet[place] +
           (err == ENOENT ? "が見つからない\n(" : "が読めない\n(") + path + ": " +
           std::strerror(err) + ")\n";
}

std::string broken(int place, const std::string& path, const loaderror& bad)
{
    return std::string("セーブデータ") + alphabet[place] + "が壊れている\n(" + path + " " +
           std::to_string(bad.line) + "行目: " + bad.what + ")\n";
}
}  // namespace

bool loadgame(int place)
{
    if (place < 0 || place >= PLACES) return false;
    const std::string path = gamepath(place);
    std::string text;
    int err;
    savedgame g;
    loaderror bad;
    bool read = readfile(path, text, SAVEFILECAP, err);
    if (!read || !readgame(text, g, bad)) {
        cls();
        print("%s", (read ? broken(place, path, bad) : unreadable(place, path, err)).c_str());
        waitkey();
        return false;
    }
    restoregame(g);
    return true;
}

bool putgame(int place, std::string_view text, std::string& message)
{
    if (place < 0 || place >= PLACES) return false;
    const std::string path = gamepath(place);
    savedgame g;
    loaderror bad;
    // a file the loader could not read back is refused as it would be on loading
    if (text.size() > SAVEFILECAP) {
        message = unreadable(place, path, EFBIG);
        return false;
    }
    if (!readgame(text, g, bad)) {
        message = broken(place, path, bad);
        return false;
    }
    indexline list[PLACES];
    loadindex(list);
    std::string why;
    if (!writeplace(place, list, g, std::string(text), why)) {
        message = "セーブできなかった\n(" + why + ")\n";
        return false;
    }
    char done[128];
    format(done, sizeof done, "%c:%s(Lv.%d)\n", alphabet[place], g.name, g.lv);
    message = done;
    return true;
}
