#include "core/death.h"

#include <cstdio>
#include <ctime>
#include <string>

#include "core/console.h"
#include "core/gameend.h"
#include "core/harm.h"
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
bool keeprecord()
{
    char when[64];
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
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

void dead()
{
    appendmes(_("\nあなたは死んだ"));
    print("\n");
    bool recorded = keeprecord();
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
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
