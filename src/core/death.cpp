#include "core/death.h"

#include <cerrno>
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
#include "core/nofollow.h"
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

// Appends the record to dead.txt in Shift-JIS; 0, or errno's value when it could not be
// written (ELOOP: dead.txt is a symbolic link, left alone).
int keeprecord()
{
    char when[64];
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    if (!std::strftime(when, sizeof when, "%Y年%m月%d日 %H時%M分", &local)) when[0] = 0;
    std::string sjis;
    // a name Shift-JIS cannot hold (never one typed in this game) is recorded as nameless
    if (!tosjis(record(when, pc.name), sjis) && !tosjis(record(when, "名無し"), sjis))
        return EILSEQ;
    if (int err = appendfile(datapath("dead.txt"), sjis)) return err;
    std::string why;
    return keepfiles(why) ? 0 : EIO;
}

// The death screen: the newest messages, what became of the records, in the assisted view
// the cause, and the last key.
void deathscreen(int recorderr, bool reported)
{
    putmes();
    if (recorderr == ELOOP) print("%s", _("\ndead.txtがリンクなので、死亡記録はそこへ書かなかった"));
    else if (recorderr) print("%s", _("\n死亡記録を残せなかった"));
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
    int err = keeprecord();
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    bool reported = keepreport(deathreport(), local);
    deathscreen(err, reported);
    // the log may be read as often as the player likes; any other key ends the game
    while (mygetch() == KEYLOG) {
        showlog();
        cls();
        deathscreen(err, reported);
    }
    gameend(EXITOK);
}
