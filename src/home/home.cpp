#include "home/home.h"

#include "core/clock.h"
#include "core/console.h"
#include "core/gameend.h"
#include "core/guide.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/msglog.h"
#include "core/rulenumbers.h"
#include "core/rules.h"
#include "core/ui.h"
#include "field/dungeon.h"
#include "core/death.h"
#include "core/harm.h"
#include "home/homemenus.h"
#include "home/savefile.h"
#include "trade/craft.h"
#include "trade/discard.h"
#include "trade/equip.h"
#include "trade/farm.h"
#include "trade/myshop.h"
#include "trade/townshop.h"
#include "trade/warehouse.h"

namespace {
struct hungerword {
    int below;  // shown while full is under this
    const char* text;
    int color;
};
constexpr hungerword hungerwords[] = {
    {1, N_("餓死中"), CLIGHTRED},
    {50, N_("飢餓"), CLIGHTRED},
    {150, N_("空腹"), CYELLOW},
    {300, N_("空腹"), CWHITE},
};

// The hunger word of the home screen; drawing it while starving costs hit points, unless
// it is only drawn again after the log or the guide.
void showhunger(bool costs)
{
    for (const hungerword& h : hungerwords) {
        if (pc.full >= h.below) continue;
        setcolor(h.color);
        print("%s", _(h.text));
        break;
    }
    if (costs && pc.full == 0) {
        pc.hp -= pc.maxhp / STARVEDIVISOR;
        hurtby(HSTARVE);
    }
    setcolor(CWHITE);
}

void drawhome(bool costs)
{
    cls();
    print("%s", _("何をする？\n\na:買う\nb:売る\nc:出かける\nd:捨てる\ne:食べる\nf:装備\ng:製作\n"
                  "h:拡張\ni:情報\nj:セーブ\nk:終了\n"));
    print("\nHP:%d/%d MP:%d/%d", pc.hp, pc.maxhp, pc.mp, pc.maxmp);
    print(_("\n所持金：%d円\t日付：%d年%d月%d日\t時間：%d時%d分\n"), money, year, month + 1,
          day + 1, hour, min / 100);
    showhunger(costs);
    putmes();
}

// The home screen and the command's key. The log and the guide are looked at in between,
// with no time passing, and the same screen comes back after them.
int homekey()
{
    drawhome(true);
    int key = mygetch();
    while (key == KEYLOG || key == '?') {
        if (key == KEYLOG) showlog();
        else guide(GUIDEHOME);
        drawhome(false);
        key = mygetch();
    }
    // what happened since the last home screen (the day's sales, a discard, a meal in
    // the field ...) is shown once, then makes way for what comes next
    clearmes();
    return key;
}

// 'c', which the menu leaves free, looks at what the shop has on offer and comes back to
// the question; the command still costs its one action, whatever is chosen after.
void sellmenu()
{
    for (;;) {
        cls();
        print("%s", _("何を売る？\n\na:アイテム\nb:装備品\n"));
        int key = mygetch();
        if (key == 'c') {
            lookmyshop();
            continue;
        }
        if (key == 'a') tomyshop(0);
        else if (key == 'b') tomyshop(1);
        return;
    }
}

// False when no place was chosen: the home screen comes back with no time passing.
bool goout()
{
    cls();
    print("%s", _("どこに出かける？\n\na:鉱山\nb:森\nc:水場\nd:農園\ne:倉庫\n"));
    int place = alp2int(mygetch());
    if (place <= 2) {
        dun = place;
        dungeon();
    } else if (place == 3) {
        farm();
    } else if (place == 4) {
        warehouseio();
    } else {
        return false;
    }
    return true;
}

// Ends the program on 'y'; any other answer goes back with no time passing.
bool quit()
{
    cls();
    print("%s", _("本当に終わる？\ny/n\n"));
    if (yesno()) gameend(EXITOK);
    return false;
}

// Carries out one command; false for the two that go straight back to the home screen.
bool command(int key)
{
    switch (key) {
    case 'a': buy(); break;
    case 'b': sellmenu(); break;
    case 'c': return goout();
    case 'd': drop(); break;
    case 'e': eatmenu(); break;
    case 'f': wearing(); break;
    case 'g': make(); break;
    case 'h': expand(); break;
    case 'i': information(); break;
    case 'j': save(); break;
    case 'k': return quit();
    default: break;
    }
    return true;
}
}  // namespace

void homepass()
{
    // a meal in progress runs by itself: no screen, no key, Enter as the command
    bool eating = eat[1] > 0;
    int key = eating ? KEYENTER : homekey();
    if (!command(key)) return;
    mealstep();
    timeplus();
    if (pc.hp < 0) dead();
}

void homeloop()
{
    for (;;) homepass();
}
