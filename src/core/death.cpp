#include "core/death.h"

#include <cstdio>
#include <ctime>
#include <string>

#include "core/console.h"
#include "core/gameend.h"
#include "core/keeper.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/morgue.h"
#include "core/msglog.h"
#include "core/opts.h"
#include "core/paths.h"
#include "core/state.h"
#include "core/text.h"

namespace {
struct harmnote {
    int how;
    const char* who;
    const char* what;
};
harmnote last = {HNONE, nullptr, nullptr};

// The five lines of one death, in UTF-8.
std::string record(const char* when, const char* name)
{
    int code = modecode();
    char text[512];
    format(text, sizeof text, "%s\n名前:%s Lv:%d\n地下%d階で死亡\nモード:%s\n\n", when, name, pc.lv,
           depth, code >= 0 ? modenames[code] : "unknown");
    return text;
}

// Appends the record to dead.txt in Shift-JIS; false when it could not be written.
bool keeprecord(const std::tm& local)
{
    char when[64];
    if (!std::strftime(when, sizeof when, "%Y年%m月%d日 %H時%M分", &local)) when[0] = 0;
    std::string sjis;
    // a name Shift-JIS cannot hold (never one typed in this game) is recorded as nameless
    if (!tosjis(record(when, pc.name), sjis) && !tosjis(record(when, "名無し"), sjis))
        return false;
    std::FILE* f = std::fopen(datapath("dead.txt").c_str(), "ab");
    if (!f) return false;
    bool ok = std::fwrite(sjis.data(), 1, sjis.size(), f) == sjis.size();
    std::string why;
    return std::fclose(f) == 0 && ok && keepfiles(why);
}

const char* named(const char* name) { return name ? _(name) : "?"; }

// The death screen: the newest messages, what became of the records, in the assisted view
// the cause, and the last key.
void deathscreen(bool recorded, bool reported)
{
    putmes();
    if (!recorded) print("%s", _("\n死亡記録を残せなかった"));
    else if (!reported) print("%s", _("\n死亡レポートを残せなかった"));
    if (opts.assist)
        print(_("\n死因: %s (%s)"), causetext().c_str(), placetext().c_str());
    print("%s", _("\n\n何かキーを押してください"));
}
}  // namespace

void hurtby(int how, const char* who, const char* what) { last = {how, who, what}; }

void forgetharm() { last = {HNONE, nullptr, nullptr}; }

std::string causetext()
{
    char text[LINESIZE * 2];
    const char* who = named(last.who);
    const char* what = named(last.what);
    switch (last.how) {
    case HMELEE: format(text, sizeof text, _("%sに殴られた"), who); break;
    case HSPELL: format(text, sizeof text, _("%sの%sを受けた"), who, what); break;
    case HPOTION: format(text, sizeof text, _("%sに%sを投げつけられた"), who, what); break;
    case HFALL: format(text, sizeof text, "%s", _("下の階に落ちた")); break;
    case HSTARVE: format(text, sizeof text, "%s", _("餓死した")); break;
    case HSELFSHOT: format(text, sizeof text, "%s", _("自分の矢に撃たれた")); break;
    case HSELFSPELL: format(text, sizeof text, "%s", _("自分の魔法を受けた")); break;
    case HSELFPOTION: format(text, sizeof text, _("自分に投げた%sを浴びた"), what); break;
    case HUSED: format(text, sizeof text, _("%sを使った"), what); break;
    case HATE: format(text, sizeof text, _("%sを食べた"), what); break;
    default: format(text, sizeof text, "%s", _("不明")); break;
    }
    return text;
}

std::string placetext()
{
    static const char* const grounds[] = {N_("鉱山"), N_("森"), N_("水場")};
    if (depth <= 0) return _("家");
    char text[LINESIZE];
    const char* ground = dun >= 0 && dun < 3 ? _(grounds[dun]) : "?";
    format(text, sizeof text, _("%s 地下%d階"), ground, depth);
    return text;
}

void dead()
{
    appendmes(_("\nあなたは死んだ"));
    print("\n");
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    bool recorded = keeprecord(local);
    bool reported = keepreport(deathreport(), local);
    deathscreen(recorded, reported);
    // the log may be read as often as the player likes; any other key ends the game
    while (mygetch() == KEYLOG) {
        showlog();
        cls();
        deathscreen(recorded, reported);
    }
    gameend(EXITOK);
}
