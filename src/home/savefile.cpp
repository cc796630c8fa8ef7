#include "home/savefile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdarg>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

#include "core/console.h"
#include "core/nofollow.h"
#include "core/lang.h"
#include "core/paths.h"
#include "core/rules.h"
#include "core/text.h"
#include "core/ui.h"
#include "home/savedisk.h"
#include "home/savegame.h"

namespace {
constexpr int PLACES = 16;
// Another game's save takes milliseconds; a lock held longer is a game stuck in its save.
constexpr int LOCKWAIT_MS = 3000;

// One place of the index, with its name both as the file holds it and as the game shows it,
// and the fingerprint of the place's game file when it was read (0: no file).
struct indexline {
    std::string sjis = "nochar";
    indexentry e{"nochar", 0};
    unsigned long long held = 0;
};

// A message for the player, formatted: it names paths, which may be long.
std::string textf(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string textf(const char* fmt, ...)
{
    char out[2048];
    va_list ap;
    va_start(ap, fmt);
    vformat(out, sizeof out, fmt, ap);
    va_end(ap);
    return out;
}

std::string indexpath() { return datapath("save/save"); }
std::string gamepath(int place) { return datapath("save/save" + std::to_string(place)); }
// Two games on one data folder take turns under the lock of this file: each save, and each
// look at the save list, which may tidy the folder.
std::string lockpath() { return datapath("save/lock"); }

unsigned long long fingerprint(std::string_view bytes) { return std::hash<std::string_view>{}(bytes) | 1; }

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

// Takes the fingerprint of place p's game file and makes the entry name the game it holds;
// false when the entry already does, or when there is no such game (a missing or broken
// file is told when it is loaded).
bool nameplace(int p, indexline& l)
{
    std::string text, sjis;
    int err;
    savedgame g;
    loaderror bad;
    l.held = 0;
    if (!readfile(gamepath(p), text, SAVEFILECAP, err)) return false;
    l.held = fingerprint(text);
    if (l.e.lv == -1) return false;  // a place written without asking keeps its entry
    if (!readgame(text, g, bad) || !sjisname(g.name, sjis)) return false;
    if (l.sjis == sjis && l.e.lv == g.lv) return false;
    l.sjis = sjis;
    std::memcpy(l.e.name, g.name, NAMESIZE);
    l.e.lv = g.lv;
    return true;
}

// The index as it stands, each place named after the game its file holds: a save cut off
// between its two files (the game file is written first), or another game's save, leaves
// a game under an old entry or under none. With tidy, which only the holder of the lock
// may do, what an interrupted save left behind is cleared first, and the index is written
// when it is missing (16 places "nochar 0" and whatever the game files hold) or named a
// place wrongly.
void lookplaces(indexline list[PLACES], bool tidy)
{
    if (tidy) {
        removeleftovers(indexpath());
        for (int i = 0; i < PLACES; i++) removeleftovers(gamepath(i));
    }
    for (int i = 0; i < PLACES; i++) list[i] = indexline{};
    std::string text;
    int err = 0;
    bool there = readfile(indexpath(), text, SAVEFILECAP, err);
    if (there) parselines(text, list);
    bool changed = false;
    for (int p = 0; p < PLACES; p++) changed |= nameplace(p, list[p]);
    if (!tidy || !(there ? changed : err == ENOENT)) return;
    filewrite f{indexpath(), formatindex(list)};
    std::string why;
    replacefiles(&f, 1, why);  // a disk that takes nothing leaves the old index: no worse
}

void loadindex(indexline list[PLACES])
{
    makefolder(datapath("save"));
    folderlock lock(lockpath(), LOCKWAIT_MS);
    // while another game will not let go, the list is read as it stands, tidying nothing
    lookplaces(list, !lock.busy());
}
}  // namespace

void tidysaves()
{
    indexline list[PLACES];
    loadindex(list);
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
    print("%s", _("どこにセーブしますか\n\n"));
    for (int i = 0; i < PLACES; i++) {
        const indexentry& e = list[i].e;
        if (e.lv == 0)
            print(_("%c:セーブデータがありません\n"), alphabet[i]);
        else
            print("%c:%s(Lv.%d)\n", alphabet[i], e.name, e.lv);
    }
}

// True when another game saved into place p since this game loaded it, saved into it, or
// (moved) since the list it was chosen from was read.
bool overwritten(const indexline& l, int p, bool moved)
{
    return l.held != 0 && (moved || (placeknown[p] != 0 && placeknown[p] != l.held));
}

// The place the player picks, with the overwrite question; -1 when Esc leaves the screen.
// With asked, the list is of the places as another game's save has just left them, and
// the question is put again for that place.
int chooseplace(const indexline list[PLACES], int asked)
{
    for (;;) {
        showplaces(list);
        int p = asked;
        const bool again = asked >= 0;
        asked = -1;
        if (!again) {
            int key = mygetch();
            if (key == KEYESC) return -1;
            p = alp2int(key);
            if (p >= PLACES) continue;
            if (list[p].e.lv == -1) return p;
        }
        if (overwritten(list[p], p, again))
            print(_("%c:のデータは、ほかのゲームがセーブしたものに変わっている\n"), alphabet[p]);
        print("%s", _("データを上書きしますか？\n"));
        print("y/n");
        if (yesno()) return p;
    }
}

// The text of the game in play as its file holds it, and its name as the index does;
// false with the reason when it cannot be saved.
bool gametext(std::string& text, std::string& name, std::string& why)
{
    savedgame g, check;
    capturegame(g);
    loaderror err;
    if (!writegame(g, text) || !sjisname(pc.name, name)) {
        why = _("名前がセーブファイルに書けない");
        return false;
    }
    // never put a file on disk that could not be loaded again
    if (!readgame(text, check, err)) {
        why = textf(_("このゲームの%d行目が読み戻せない: %s"), err.line, err.what.c_str());
        return false;
    }
    return true;
}

// Writes a game file's text into place p and its entry into the index the list holds; false
// with the reason in why, the files then as they were.
bool writeplace(int p, const indexline list[PLACES], const indexline& entry,
                const std::string& text, std::string& why)
{
    indexline named[PLACES];
    std::copy(list, list + PLACES, named);
    named[p] = entry;
    const filewrite files[2] = {{gamepath(p), text}, {indexpath(), formatindex(named)}};
    return replacefiles(files, 2, why);
}

std::string stucklock()
{
    return textf(_("ほかのゲームがセーブを終えない: %s"), lockpath().c_str());
}

enum class saveresult { saved, failed, overwritten };

// Writes the game into place p under the folder's lock, naming it in an index read anew
// from what every place's game file holds, so that what another game saved meanwhile
// keeps its entry. When place p's file is no longer what it was when the list was read,
// another game has saved there: nothing is written, the list holds what the places hold
// now, and the result says so. On failure why has the reason, the files as they were.
saveresult writesave(int p, indexline list[PLACES], std::string& why)
{
    indexline entry;
    std::string text;
    if (!gametext(text, entry.sjis, why)) return saveresult::failed;
    folderlock lock(lockpath(), LOCKWAIT_MS);
    if (lock.busy()) {
        why = stucklock();
        return saveresult::failed;
    }
    const unsigned long long seen = list[p].held;
    lookplaces(list, true);
    if (list[p].held != seen && list[p].e.lv != -1) return saveresult::overwritten;
    std::memcpy(entry.e.name, pc.name, NAMESIZE);
    entry.e.lv = pc.lv;
    if (!writeplace(p, list, entry, text, why)) return saveresult::failed;
    placeknown[p] = fingerprint(text);
    return saveresult::saved;
}
}  // namespace

void save()
{
    indexline list[PLACES];
    loadindex(list);
    std::string why;
    saveresult r = saveresult::overwritten;
    for (int p = -1; r == saveresult::overwritten;) {
        p = chooseplace(list, p);
        if (p < 0) return;
        r = writesave(p, list, why);
    }
    if (r == saveresult::saved)
        print("%s", _("セーブしました\n"));
    else
        print(_("セーブできなかった\n(%s)\n"), why.c_str());
    // the lock is never taken through a link: games then save without taking turns
    if (islink(lockpath())) print(_("(%s がリンクなので、ロックを使わなかった)\n"), lockpath().c_str());
    waitkey();
}

// ---------------------------------------------------------------- loading

namespace {
// What the player is told of a game file that cannot be read, or that is broken.
std::string unreadable(int place, const std::string& path, int err)
{
    if (err == ENOENT)
        return textf(_("セーブデータ%cが見つからない\n(%s: %s)\n"), alphabet[place], path.c_str(),
                     std::strerror(err));
    return textf(_("セーブデータ%cが読めない\n(%s: %s)\n"), alphabet[place], path.c_str(),
                 std::strerror(err));
}

std::string broken(int place, const std::string& path, const loaderror& bad)
{
    return textf(_("セーブデータ%cが壊れている\n(%s %d行目: %s)\n"), alphabet[place], path.c_str(),
                 bad.line, bad.what.c_str());
}

// Writes a game from elsewhere into place p as another game's save is written: under the
// lock, into the index as the places hold it.
bool putplace(int p, const savedgame& g, const std::string& text, std::string& why)
{
    indexline entry, list[PLACES];
    if (!sjisname(g.name, entry.sjis)) {
        why = _("名前がセーブファイルに書けない");
        return false;
    }
    std::memcpy(entry.e.name, g.name, NAMESIZE);
    entry.e.lv = g.lv;
    folderlock lock(lockpath(), LOCKWAIT_MS);
    if (lock.busy()) {
        why = stucklock();
        return false;
    }
    lookplaces(list, true);
    return writeplace(p, list, entry, text, why);
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
    placeknown[place] = fingerprint(text);
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
    std::string why;
    if (!putplace(place, g, std::string(text), why)) {
        message = textf(_("セーブできなかった\n(%s)\n"), why.c_str());
        return false;
    }
    char done[128];
    format(done, sizeof done, "%c:%s(Lv.%d)\n", alphabet[place], g.name, g.lv);
    message = done;
    return true;
}
