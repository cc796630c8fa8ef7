#include "core/morgue.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>

#include "core/catalog.h"
#include "core/harm.h"
#include "core/keeper.h"
#include "core/lang.h"
#include "core/msglog.h"
#include "core/nofollow.h"
#include "core/paths.h"
#include "core/state.h"
#include "core/text.h"
#include "core/ui.h"

namespace {
constexpr int REPORTLINES = 100;  // the newest lines of the log the report keeps

void add(std::string& out, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
void add(std::string& out, const char* fmt, ...)
{
    char line[LINESIZE * 2];
    va_list ap;
    va_start(ap, fmt);
    vformat(line, sizeof line, fmt, ap);
    va_end(ap);
    out += line;
}

void heading(std::string& out, const char* title) { add(out, "\n== %s ==\n", title); }

void who(std::string& out)
{
    int code = modecode();
    add(out, "%s\n", _("kurashi 死亡レポート"));
    add(out, _("名前: %s\n"), pc.name);
    add(out, _("モード: %s\n"), code >= 0 ? modenames[code] : "?");
    add(out, _("死因: %s\n"), causetext().c_str());
    add(out, _("場所: %s (この階の%dターン目)\n"), placetext().c_str(), pc.floorturn);
    add(out, _("日付: %d年%d月%d日 %d:%02d\n"), year, month + 1, day + 1, hour, min / 100);
}

void character(std::string& out)
{
    static const char* const stats[NSTAT] = {N_("攻撃力"), N_("防御力"), N_("器用"), N_("魔力"),
                                             N_("速さ")};
    heading(out, _("能力"));
    add(out, _("Lv:%d 経験値:%d/100\n"), pc.lv, pc.exp);
    add(out, _("HP:%d/%d MP:%d/%d\n"), pc.hp, pc.maxhp, pc.mp, pc.maxmp);
    add(out, "%s\n", _("能力      基本  実効"));
    for (int s = 0; s < NSTAT; s++) {
        statview v = statof(pc, s);
        const char* name = _(stats[s]);
        add(out, "%s%*s%4d  %4d\n", name, 10 - textwidth(name), "", *v.base, *v.cur + *v.mod);
    }
    heading(out, _("装備"));
    const int worn[NEQUIP] = {pc.eqsword, pc.eqarmor, pc.eqgauntlet, pc.eqhat, pc.eqshoes};
    for (int e = 0; e < NEQUIP; e++) {
        if (worn[e]) add(out, "%s: %d\n", _(equiplist[e]), worn[e]);
        else add(out, "%s: %s\n", _(equiplist[e]), _("(なし)"));
    }
    // weapon-making and armour-making are both the one equipment-making skill
    static const struct {
        const char* name;
        int skill;
    } skills[] = {{N_("武器製作"), SKEQUIP}, {N_("防具製作"), SKEQUIP}, {N_("道具製作"), SKTOOL},
                  {N_("料理"), SKCOOK},      {N_("採鉱"), SKMINE},     {N_("伐採"), SKFELL},
                  {N_("釣り"), SKFISH},      {N_("栽培"), SKGROW},     {N_("商売"), SKTRADE}};
    heading(out, _("スキル"));
    for (const auto& s : skills)
        add(out, _("%s: Lv%d (経験%d)\n"), _(s.name), skl[2 * s.skill], skl[2 * s.skill + 1]);
}

void bag(std::string& out, const char* title, const slot* b, int cap, bagof what, int kinds)
{
    heading(out, title);
    int shown = 0;
    for (int i = 0; i < cap && i < LISTSIZE; i++) {
        if (b[i].kind < 0 || b[i].kind >= kinds) continue;
        const char* name = _(bagname(what, b[i].kind));
        if (what == ITEMS && iswand(b[i].kind)) add(out, _("%s(残り%d回)\n"), name, b[i].count);
        else add(out, "%s x%d\n", name, b[i].count);
        shown++;
    }
    if (!shown) add(out, "%s\n", _("(なし)"));
}

void belongings(std::string& out)
{
    bag(out, _("アイテム"), inv, maxinv, ITEMS, NITEM);
    bag(out, _("素材"), mat, maxmat, MATERIALS, NMATERIAL);
    heading(out, _("所持金"));
    add(out, _("%d円\n"), money);
    heading(out, _("覚えた魔法"));
    int n = 0;
    for (; n < LISTSIZE && pc.magic[n] >= 0 && pc.magic[n] < NMAGIC; n++)
        add(out, "%s\n", _(magiclist[pc.magic[n]].name));
    if (!n) add(out, "%s\n", _("(なし)"));
    heading(out, _("家の施設"));
    add(out, _("倉庫Lv:%d 店Lv:%d 農園Lv:%d 街Lv:%d\n"), warehouselv, shoplv, farmlv, townlv);
}

void lastwords(std::string& out)
{
    heading(out, _("最後のメッセージ"));
    int from = loglines() > REPORTLINES ? loglines() - REPORTLINES : 0;
    for (int i = from; i < loglines(); i++) {
        const logline& l = logat(i);
        add(out, _("%d年%d月%d日 %d:%02d"), l.year, l.month + 1, l.day + 1, l.hour, l.min / 100);
        if (l.repeats > 1) add(out, " %s (x%d)\n", l.text, l.repeats);
        else add(out, " %s\n", l.text);
    }
}

// A name that is safe as part of a file name: no "/", no control bytes, no leading ".".
std::string filesafe(const char* name)
{
    std::string s = *name ? name : "_";
    for (char& c : s)
        if (c == '/' || static_cast<unsigned char>(c) < ' ' || c == 0x7f) c = '_';
    if (s[0] == '.') s[0] = '_';
    return s;
}

// Opens a new file of the folder for writing, failing when the name is taken or is a link;
// the folder itself must not be a link either.
int openreport(const std::string& folder, const std::string& name)
{
    int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir < 0) return -1;
    int fd = openat(dir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    int err = errno;
    close(dir);
    errno = err;
    return fd;
}
}  // namespace

std::string deathreport()
{
    std::string out;
    who(out);
    character(out);
    belongings(out);
    lastwords(out);
    return out;
}

bool keepreport(const std::string& text, const std::tm& when)
{
    std::string folder = datapath("morgue");
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
    char stamp[32];
    if (!std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S-", &when)) return false;
    std::string base = stamp + filesafe(pc.name);
    int fd = -1;
    for (int n = 1; fd < 0 && n <= 99; n++) {
        std::string name = base + (n > 1 ? "-" + std::to_string(n) : "") + ".txt";
        fd = openreport(folder, name);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool ok = writeall(fd, text);
    ok = close(fd) == 0 && ok;
    std::string why;
    return ok && keepfiles(why);
}
