// Throwing a potion from the bag at the cell the cursor chooses.

#include "core/catalog.h"
#include "core/console.h"
#include "core/harm.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/rules.h"
#include "core/state.h"
#include "core/ui.h"
#include "field/askfirst.h"
#include "field/effects.h"
#include "field/occupant.h"
#include "field/strike.h"
#include "field/target.h"

namespace {
// The potions of the bag, lettered by their places: the letters may have gaps.
void throwmenu()
{
    cls();
    print(_("何を投げる?\n"));
    listbag(inv, maxinv, ITEMS, IPOTION);
    print("\n");
}

bool holdspotion(int s)
{
    return s >= 0 && s < maxinv && s < LISTSIZE && inv[s].kind >= 0 && inv[s].kind < NITEM &&
           itemlist[inv[s].kind].kind == IPOTION;
}

void throwself(int item)
{
    const char* name = _(itemlist[item].name);
    if (!selfhit()) {
        addmes(_("\n%sはあなたに当たらなかった"), name);
        return;
    }
    addmes(_("\nあなたはあなたに%sを投げた"), name);
    int before = pc.hp;
    useitem(item);
    if (pc.hp < before) hurtby(HSELFPOTION, nullptr, name);
}

// The potion still lies in its bag slot here: it works from there.
void thrownpc(int s, int i)
{
    npcdata& c = npc[i];
    const char* name = _(itemlist[inv[s].kind].name);
    if (!aimedhit(c)) {
        addmes(_("\n%sは%sに当たらなかった"), name, _(c.name));
        return;
    }
    addmes(_("\nあなたは%sに%sを投げた"), _(c.name), name);
    anger(c);
    useitemnpc(s, i);
}

// Where the potion lands; it breaks whatever it meets.
void landing(int s, int code)
{
    const char* name = _(itemlist[inv[s].kind].name);
    switch (code) {
    case TOCCUPIED:
        if (aimedatself()) throwself(inv[s].kind);
        else if (int i = npcat(tx, ty); i >= 0) thrownpc(s, i);
        break;
    case TFLOOR:
    case TDOWN:
    case TITEM: addmes(_("\n%sは床に落ちて割れた"), name); break;
    case TWALL: addmes(_("\n%sは壁に当たって割れた"), name); break;
    default: break;
    }
}
}  // namespace

bool throwitem()
{
    for (;;) {
        throwmenu();
        int key = mygetch();
        if (key == KEYESC) return false;
        int s = alp2int(key);
        if (!holdspotion(s)) {
            refuse(_("そのアイテムは存在しない"));
            continue;
        }
        int code = targetselect();
        if (code < 0 || !selfaimok()) {
            clearmes();  // an aim given up leaves nothing behind: what the cursor told goes too
            continue;
        }
        landing(s, code);
        itemconsume(s, 1);
        return true;
    }
}
