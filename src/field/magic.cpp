// The use command (potions, scrolls and seeds used up at once, food begins a meal, wands
// are waved) and the cast command.

#include "field/magic.h"

#include <cstdlib>

#include "core/catalog.h"
#include "core/console.h"
#include "core/harm.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/rulenumbers.h"
#include "core/rules.h"
#include "core/state.h"
#include "core/ui.h"
#include "field/effects.h"
#include "field/spells.h"
#include "field/strike.h"
#include "field/wands.h"

namespace {
const spelleffect spelleffects[NMAGIC] = {
    {EHEAL, 3, N_("\nあなたは軽傷治癒の魔法を唱え%d回復した"), {}},
    {EHEAL, 5, N_("\nあなたは重傷治癒の魔法を唱え%d回復した"), {}},
    {EHEAL, 8, N_("\nあなたは致命傷治癒の魔法を唱え%d回復した"), {}},
    {ESHORTTELEPORT, 0, N_("\nあなたはショートテレポートの魔法を唱えた"), {}},
    {ETELEPORT, 0, N_("\nあなたはテレポートの魔法を唱えた"), {}},
    {EBOLT, 3, nullptr,
     {N_("\nあなたは魔法の矢を詠唱し自分に%dのダメージを与えた"),
      N_("\nあなたは魔法の矢を詠唱し%sに%dのダメージを与えて殺した"),
      N_("\nあなたは魔法の矢を詠唱し%sに%dのダメージを与えた"),
      N_("\nあなたは空間に向かって魔法の矢を詠唱した"),
      N_("\nあなたは壁に向かって魔法の矢を詠唱した")}},
    {EBOLT, 5, nullptr,
     {N_("\nあなたはマジックミサイルを詠唱し自分に%dのダメージを与えた"),
      N_("\nあなたはマジックミサイルを詠唱し%sに%dのダメージを与えて殺した"),
      N_("\nあなたはマジックミサイルを詠唱し%sに%dのダメージを与えた"),
      N_("\nあなたは空間に向かってマジックミサイルを詠唱した"),
      N_("\nあなたは壁に向かってマジックミサイルを詠唱した")}},
    {ESTORM, 0, N_("\nあなたは魔力の嵐を詠唱した"), {}},
    {EHERO, 0, N_("\nあなたは英雄を詠唱した"), {}},
    {ESHIELD, 0, N_("\nあなたは魔法の盾を詠唱した"), {}},
    {ESAGE, 0, N_("\nあなたは賢者を詠唱した"), {}},
    {ESWIFT, 0, N_("\nあなたは俊足を詠唱した"), {}},
};

// An aim given up leaves nothing behind: what the cursor described goes with it.
bool cancelled()
{
    clearmes();
    return false;
}

// Uses the item in bag slot s; false when a wand's aim was cancelled.
bool useslot(int s)
{
    int item = inv[s].kind;
    switch (itemlist[item].kind) {
    case IFOOD:
        eat[0] = s;
        eat[1] = MEALSTEPS;
        return true;
    case IWAND:
        if (zapwand(s)) return true;
        return cancelled();
    default:
        addmes(_("\nあなたは%sを使った"), _(itemlist[item].name));
        int before = pc.hp;
        useitem(item);
        if (pc.hp < before) hurtby(HUSED, nullptr, itemlist[item].name);
        itemconsume(s, 1);
        return true;
    }
}

// The learned spells from the front, up to the first -1.
int spellsknown()
{
    int n = 0;
    while (n < LISTSIZE && pc.magic[n] >= 0 && pc.magic[n] < NMAGIC) n++;
    return n;
}

int successrate(int spell) { return trpcalc(now(pc, MAG), magiclist[spell].diff, 80); }

void spellmenu()
{
    cls();
    print(_("何の魔法を詠唱する？\n"));
    for (int i = 0; i < spellsknown(); i++) {
        const magicdata& m = magiclist[pc.magic[i]];
        print(_("%c:%s(MP%d,%s,成功率%d%%)\n"), alphabet[i], _(m.name), m.mp, _(m.desc),
              successrate(pc.magic[i]));
    }
}

// Casts a learned spell; false when its aim was cancelled, with nothing spent.
bool cast(int spell)
{
    const magicdata& m = magiclist[spell];
    if (pc.mp < m.mp) {
        addmes(_("\nMPが足りない"));
        return true;
    }
    if (std::rand() % 100 >= successrate(spell)) {
        addmes(_("\nあなたは%sの詠唱に失敗した"), _(m.name));
        return true;
    }
    if (!applyeffect(spelleffects[spell])) return cancelled();
    pc.mp -= m.mp;
    return true;
}
}  // namespace

bool useitemcmd()
{
    for (;;) {
        cls();
        print(_("何を使う?\n"));
        listbag(inv, maxinv, ITEMS);
        print("\n");
        int key = mygetch();
        if (key == KEYESC) return false;
        int s = alp2int(key);
        if (s >= maxinv || s >= LISTSIZE || inv[s].kind < 0 || inv[s].kind >= NITEM) {
            refuse(_("そのアイテムは存在しない"));
            continue;
        }
        if (useslot(s)) return true;
    }
}

bool castcmd()
{
    for (;;) {
        spellmenu();
        int key = mygetch();
        if (key == KEYESC || key == 'q') return false;
        int i = alp2int(key);
        if (i >= spellsknown()) {
            refuse(_("その魔法は使えない"));
            continue;
        }
        if (cast(pc.magic[i])) return true;
    }
}
