#include "home/savegame.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "core/catalog.h"
#include "core/lang.h"
#include "core/text.h"

namespace {
// The bag capacity of a mode: easy 32, normal 16, hard 8, lunatic 4.
int bagof(int mode) { return LISTSIZE >> mode; }

template <class T, int N>
void emptyall(T (&list)[N])
{
    for (T& e : list) e = T{};
    for (T& e : list) e.kind = -1;
}

template <class T, int N>
void copylist(T (&to)[N], const T (&from)[N])
{
    std::copy(from, from + N, to);
}

// Used entries first, in their order; what the screens list stops at the first empty one.
template <class T>
void closeup(T* list, int n)
{
    std::stable_partition(list, list + n, [](const T& e) { return e.kind != -1; });
}

// An entry holding nothing, no piece and no performance, is no entry: a game that let a
// purchase of none take a bag entry wrote such entries. A spent wand is kept.
template <class T>
void dropempty(T* list, int n, bool items)
{
    for (int i = 0; i < n; i++)
        if (list[i].kind != -1 && list[i].count <= 0 && !(items && iswand(list[i].kind)))
            list[i].kind = -1;
}

// A spell is learned once: a second mention of one is no spell.
void dropknown(int (&magic)[LISTSIZE])
{
    bool seen[NMAGIC] = {};
    for (int& m : magic) {
        if (m == -1) continue;
        if (seen[m]) m = -1;
        else seen[m] = true;
    }
}

bool goodsjis(std::string_view s)
{
    if (s.empty() || s.size() > NAMESJIS) return false;
    // trail bytes of Shift-JIS are 0x40 and above, so this sees only single-byte blanks
    // and control characters, which would break the file's words or the terminal
    for (unsigned char c : s)
        if (c <= 0x20 || c == 0x7F) return false;
    return true;
}
}  // namespace

bool sjisname(const char* utf8, std::string& out) { return tosjis(utf8, out) && goodsjis(out); }

bool namefromsjis(std::string_view sjis, char* out)
{
    std::string u;
    if (!goodsjis(sjis) || !fromsjis(sjis, u) || u.size() >= static_cast<size_t>(NAMESIZE))
        return false;
    std::memcpy(out, u.data(), u.size());
    out[u.size()] = 0;
    return true;
}

// ---------------------------------------------------------------- the game and the file

namespace {
// Only a game loaded at a bound of the file can pass it; its save holds the bound.
void holdinbounds(savedgame& g)
{
    auto stat = [](int& v) { v = std::clamp(v, -SAVESTATMAX, SAVESTATMAX); };
    stat(g.maxhp), stat(g.maxmp), stat(g.exp), stat(g.full);
    for (int& b : g.base) stat(b);
    for (int& w : g.worn) stat(w);
    for (int s = 0; s < 8; s++) stat(g.skl[2 * s + 1]);
    for (int s = 0; s < 8; s++) g.skl[2 * s] = std::min(g.skl[2 * s], SAVELEVELMAX);
    g.lv = std::min(g.lv, SAVELEVELMAX);
    g.year = std::min(g.year, SAVELEVELMAX);
}
}  // namespace

void capturegame(savedgame& g)
{
    g.mode = modecode();
    std::memcpy(g.name, pc.name, NAMESIZE);
    g.maxhp = pc.maxhp;
    g.maxmp = pc.maxmp;
    for (int s = 0; s < NSTAT; s++) g.base[s] = *statof(pc, s).base;
    const int worn[5] = {pc.eqsword, pc.eqarmor, pc.eqgauntlet, pc.eqhat, pc.eqshoes};
    std::copy(worn, worn + 5, g.worn);
    g.lv = pc.lv;
    g.exp = pc.exp;
    copylist(g.magic, pc.magic);
    g.year = year, g.month = month, g.day = day, g.hour = hour, g.min = min;
    g.full = pc.full;
    g.money = money;
    copylist(g.inv, inv), copylist(g.mat, mat), copylist(g.equipment, equipment);
    copylist(g.skl, skl);
    g.warehouselv = warehouselv, g.farmlv = farmlv, g.townlv = townlv, g.shoplv = shoplv;
    copylist(g.warehouseitm, warehouseitm), copylist(g.warehousemat, warehousemat);
    copylist(g.crp, crp);
    copylist(g.equipmyshop, equipmyshop), copylist(g.itemmyshop, itemmyshop);
    copylist(g.itemnpcshop, itemnpcshop), copylist(g.equipnpcshop, equipnpcshop);
    holdinbounds(g);
}

void restoregame(const savedgame& g)
{
    setmode(g.mode);
    pcdata p{};
    std::memcpy(p.name, g.name, NAMESIZE);
    p.maxhp = p.hp = g.maxhp;
    p.maxmp = p.mp = g.maxmp;
    for (int s = 0; s < NSTAT; s++) *statof(p, s).base = *statof(p, s).cur = g.base[s];
    p.eqsword = g.worn[0], p.eqarmor = g.worn[1], p.eqgauntlet = g.worn[2];
    p.eqhat = g.worn[3], p.eqshoes = g.worn[4];
    p.lv = g.lv;
    p.exp = g.exp;
    copylist(p.magic, g.magic);
    p.full = g.full;
    pc = p;
    year = g.year, month = g.month, day = g.day, hour = g.hour, min = g.min;
    money = g.money;
    copylist(inv, g.inv), copylist(mat, g.mat), copylist(equipment, g.equipment);
    copylist(skl, g.skl);
    warehouselv = g.warehouselv, farmlv = g.farmlv, townlv = g.townlv, shoplv = g.shoplv;
    copylist(warehouseitm, g.warehouseitm), copylist(warehousemat, g.warehousemat);
    copylist(crp, g.crp);
    copylist(equipmyshop, g.equipmyshop), copylist(itemmyshop, g.itemmyshop);
    copylist(itemnpcshop, g.itemnpcshop), copylist(equipnpcshop, g.equipnpcshop);
}

// ---------------------------------------------------------------- writing

namespace {
void put(std::string& out, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
void put(std::string& out, const char* fmt, ...)
{
    char b[256];
    va_list ap;
    va_start(ap, fmt);
    int n = std::vsnprintf(b, sizeof b, fmt, ap);
    va_end(ap);
    if (n > 0) out.append(b, static_cast<size_t>(n));
}

void putslots(std::string& out, const slot* s, int n)
{
    for (int i = 0; i < n; i++) put(out, "%d %d ", s[i].kind, s[i].count);
}

void putshop(std::string& out, const shopentry* s, int n)
{
    for (int i = 0; i < n; i++) put(out, "%d %d %d ", s[i].kind, s[i].count, s[i].price);
    out += '\n';
}

void putcrops(std::string& out, const cropdata* c, int n)
{
    for (int i = 0; i < n; i++)
        put(out, "%d %d %d %d %d %d ", c[i].kind, c[i].sowyear, c[i].sowmonth, c[i].sowday,
            c[i].sowhour, c[i].grade);
    out += '\n';
}

void putpc(std::string& out, const savedgame& g, const std::string& name)
{
    const int* w = g.worn;
    out += name;
    put(out, " %d %d", g.maxhp, g.maxmp);
    for (int v : g.base) put(out, " %d", v);
    put(out, " %d %d %d %d %d %d %d\n", w[0], w[1], w[2], w[3], w[4], g.lv, g.exp);
    // the worn values are kept twice; the reader lets the second copy stand
    put(out, "%d %d %d %d %d\n", w[0], w[1], w[2], w[3], w[4]);
    for (int m : g.magic) put(out, "%d ", m);
    put(out, "%d %d %d %d %d %d %d\n", g.year, g.month, g.day, g.hour, g.min, g.full, g.money);
}
}  // namespace

bool writegame(const savedgame& g, std::string& out)
{
    std::string name;
    if (g.mode < 0 || g.mode > 3 || !sjisname(g.name, name)) return false;
    const int bag = bagof(g.mode);
    out.clear();
    put(out, "%d\n", g.mode);
    putpc(out, g, name);
    for (const slot* b : {g.inv, g.mat, g.equipment}) {
        putslots(out, b, bag);
        out += '\n';
    }
    for (int s = 0; s < 7; s++) put(out, "%d %d ", g.skl[2 * s], g.skl[2 * s + 1]);
    put(out, "%d %d\n", g.skl[14], g.skl[15]);
    put(out, "%d %d %d %d\n", g.warehouselv, g.farmlv, g.townlv, g.shoplv);
    putslots(out, g.warehouseitm, g.warehouselv);
    out += '\n';
    putslots(out, g.warehousemat, g.warehouselv);
    out += '\n';
    putcrops(out, g.crp, g.farmlv);
    putshop(out, g.equipmyshop, g.shoplv);
    putshop(out, g.itemmyshop, g.shoplv);
    putslots(out, g.itemnpcshop, g.townlv);
    out += '\n';
    putslots(out, g.equipnpcshop, g.townlv);  // the file ends without a line end
    return true;
}

// ---------------------------------------------------------------- reading

namespace {
// The words of a game file, read as numbers in their ranges. The first fault is kept and
// every later read gives the low end of its range, so a broken file never drives a loop
// or an index out of bounds before the fault is reported.
class reader {
public:
    explicit reader(std::string_view t) : text(t) {}
    bool failed() const { return bad; }
    const loaderror& error() const { return err; }

    std::string_view word();
    int num(int lo = INT_MIN, int hi = INT_MAX);
    // A count or another field that only a used entry must keep in range.
    int field(bool used, int lo, int hi = INT_MAX) { return used ? num(lo, hi) : num(); }
    void fail(const std::string& what);

private:
    std::string_view text;
    size_t pos = 0;
    int line = 1;
    bool bad = false;
    loaderror err{0, ""};
};

bool blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// A word worth quoting in the message: short printable ASCII.
std::string quoted(std::string_view w)
{
    if (w.size() > 20) return "";
    for (char c : w)
        if (c < 0x21 || c > 0x7E) return "";
    return std::string(_("「")) + std::string(w) + _("」");
}

void reader::fail(const std::string& what)
{
    if (bad) return;
    bad = true;
    err = {line, what};
}

std::string_view reader::word()
{
    if (bad) return {};
    for (; pos < text.size() && blank(text[pos]); pos++)
        if (text[pos] == '\n') line++;
    size_t start = pos;
    while (pos < text.size() && !blank(text[pos])) pos++;
    if (start == pos) fail(_("ファイルが途中で終わっている"));
    return text.substr(start, pos - start);
}

int reader::num(int lo, int hi)
{
    std::string_view w = word();
    if (bad) return lo;
    int v = 0;
    auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
    if (ec == std::errc::result_out_of_range)
        fail(_("大きすぎる数") + quoted(w));
    else if (ec != std::errc() || end != w.data() + w.size())
        fail(_("数でない語") + quoted(w));
    else if (v < lo || v > hi)
        fail(_("範囲の外の値") + quoted(w));
    return bad ? lo : v;
}

// The count of a piece of equipment is its performance, which adds to a stat.
int countmax(int kinds) { return kinds == NEQUIP ? SAVESTATMAX : SAVEAMOUNTMAX; }

void readslots(reader& r, slot* s, int n, int kinds)
{
    for (int i = 0; i < n; i++) {
        s[i].kind = r.num(-1, kinds - 1);
        s[i].count = r.field(s[i].kind != -1, 0, countmax(kinds));
    }
}

void readshop(reader& r, shopentry* s, int n, int kinds)
{
    for (int i = 0; i < n; i++) {
        bool used = (s[i].kind = r.num(-1, kinds - 1)) != -1;
        s[i].count = r.field(used, 0, countmax(kinds));
        s[i].price = r.field(used, 1, SAVEAMOUNTMAX);  // the shop takes no price below 1
    }
}

void readcrops(reader& r, cropdata* c, int n)
{
    for (int i = 0; i < n; i++) {
        bool used = (c[i].kind = r.num(-1, 1)) != -1;
        c[i].sowyear = r.field(used, 0, SAVELEVELMAX);
        c[i].sowmonth = r.field(used, 0, 11);
        c[i].sowday = r.field(used, 0, 29);
        c[i].sowhour = r.field(used, 0, 23);
        c[i].grade = r.field(used, 1, SAVELEVELMAX);
    }
}

void readpc(reader& r, savedgame& g)
{
    std::string_view name = r.word();
    if (!r.failed() && !namefromsjis(name, g.name)) r.fail(_("名前が読めない"));
    g.maxhp = r.num(-SAVESTATMAX, SAVESTATMAX);
    g.maxmp = r.num(-SAVESTATMAX, SAVESTATMAX);
    for (int& b : g.base) b = r.num(-SAVESTATMAX, SAVESTATMAX);
    for (int& w : g.worn) w = r.num(0, SAVESTATMAX);
    g.lv = r.num(1, SAVELEVELMAX);  // kills divide by the level
    g.exp = r.num(0, SAVESTATMAX);
    for (int& w : g.worn) w = r.num(0, SAVESTATMAX);
    for (int& m : g.magic) m = r.num(-1, NMAGIC - 1);
    g.year = r.num(0, SAVELEVELMAX);
    g.month = r.num(0, 11);
    g.day = r.num(0, 29);
    g.hour = r.num(0, 23);
    g.min = r.num(0, 5999);
    g.full = r.num(0, SAVESTATMAX);
    g.money = r.num(0, SAVEAMOUNTMAX);
}

void readhousehold(reader& r, savedgame& g)
{
    for (int s = 0; s < 8; s++) {
        g.skl[2 * s] = r.num(1, SAVELEVELMAX);
        g.skl[2 * s + 1] = r.num(-SAVESTATMAX, SAVESTATMAX);  // below 0 before each level
    }
    g.warehouselv = r.num(1, LISTSIZE);
    g.farmlv = r.num(1, LISTSIZE);
    g.townlv = r.num(1, LISTSIZE);
    g.shoplv = r.num(1, LISTSIZE);
    readslots(r, g.warehouseitm, g.warehouselv, NITEM);
    readslots(r, g.warehousemat, g.warehouselv, NMATERIAL);
    readcrops(r, g.crp, g.farmlv);
    readshop(r, g.equipmyshop, g.shoplv, NEQUIP);
    readshop(r, g.itemmyshop, g.shoplv, NITEM);
    // the town stock keeps its gaps: a bought wand or piece of equipment leaves one
    readslots(r, g.itemnpcshop, g.townlv, NITEM);
    readslots(r, g.equipnpcshop, g.townlv, NEQUIP);
}

void emptystores(savedgame& g)
{
    emptyall(g.inv), emptyall(g.mat), emptyall(g.equipment);
    emptyall(g.warehouseitm), emptyall(g.warehousemat), emptyall(g.crp);
    emptyall(g.equipmyshop), emptyall(g.itemmyshop);
    emptyall(g.itemnpcshop), emptyall(g.equipnpcshop);
    std::fill(g.magic, g.magic + LISTSIZE, -1);
}
}  // namespace

bool readgame(std::string_view text, savedgame& g, loaderror& err)
{
    g = savedgame{};
    emptystores(g);
    reader r(text);
    g.mode = r.num(0, 3);
    readpc(r, g);
    const int bag = bagof(g.mode);
    readslots(r, g.inv, bag, NITEM);
    readslots(r, g.mat, bag, NMATERIAL);
    readslots(r, g.equipment, bag, NEQUIP);
    readhousehold(r, g);
    // whatever follows the last number is no concern of the game
    if (r.failed()) {
        err = r.error();
        return false;
    }
    dropknown(g.magic);
    std::stable_partition(g.magic, g.magic + LISTSIZE, [](int m) { return m != -1; });
    dropempty(g.inv, bag, true), dropempty(g.mat, bag, false), dropempty(g.equipment, bag, false);
    dropempty(g.warehouseitm, g.warehouselv, true), dropempty(g.warehousemat, g.warehouselv, false);
    dropempty(g.itemmyshop, g.shoplv, true), dropempty(g.equipmyshop, g.shoplv, false);
    // a town piece of no performance would sell for nothing and go into the bag as no entry;
    // a sold-out stock of goods stays in its place
    dropempty(g.equipnpcshop, g.townlv, false);
    closeup(g.inv, bag), closeup(g.mat, bag), closeup(g.equipment, bag);
    closeup(g.warehouseitm, g.warehouselv), closeup(g.warehousemat, g.warehouselv);
    closeup(g.crp, g.farmlv);
    closeup(g.equipmyshop, g.shoplv), closeup(g.itemmyshop, g.shoplv);
    return true;
}
