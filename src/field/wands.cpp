// The twelve wands: each a shared effect with its own words. A wave spends a charge and
// no MP; whether it works is the player's magic power against the wand's rarity.

#include "field/wands.h"

#include <cstdlib>

#include "core/catalog.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/rules.h"
#include "core/state.h"
#include "field/spells.h"
#include "field/strike.h"

namespace {
constexpr int NWAND = 12;

const spelleffect wandeffects[NWAND] = {
    {EHEAL, 3, N_("\nあなたは軽傷治癒の杖を振り%d回復した"), {}},
    {EHEAL, 5, N_("\nあなたは重傷治癒の杖を振り%d回復した"), {}},
    {EHEAL, 8, N_("\nあなたは致命傷治癒の杖を振り%d回復した"), {}},
    {ESHORTTELEPORT, 0, N_("\nあなたはショートテレポートの杖を振った"), {}},
    {ETELEPORT, 0, N_("\nあなたはテレポートの杖を振った"), {}},
    {EBOLT, 3, nullptr,
     {N_("\nあなたは魔法の矢の杖を振り自分に%dのダメージを与えた"),
      N_("\nあなたは魔法の矢の杖を振り%sに%dのダメージを与えて殺した"),
      N_("\nあなたは魔法の矢の杖を振り%sに%dのダメージを与えた"),
      N_("\nあなたは空間に向かって魔法の矢の杖を振った"),
      N_("\nあなたは壁に向かって魔法の矢の杖を振った")}},
    {EBOLT, 5, nullptr,
     {N_("\nあなたはマジックミサイルの杖を振り自分に%dのダメージを与えた"),
      N_("\nあなたはマジックミサイルの杖を振り%sに%dのダメージを与えて殺した"),
      N_("\nあなたはマジックミサイルの杖を振り%sに%dのダメージを与えた"),
      N_("\nあなたは空間に向かってマジックミサイルの杖を振った"),
      N_("\nあなたは壁に向かってマジックミサイルの杖を振った")}},
    {EHERO, 0, N_("\nあなたは英雄の杖を振った"), {}},
    {ESHIELD, 0, N_("\nあなたは魔法の盾の杖を振った"), {}},
    {ESAGE, 0, N_("\nあなたは賢者の杖を振った"), {}},
    {ESWIFT, 0, N_("\nあなたは俊足の杖を振った"), {}},
    {EMANA, 0, N_("\nあなたは魔力の杖を振った"), {}},
};
}  // namespace

bool zapwand(int s)
{
    slot& w = inv[s];
    int n = w.kind - FIRSTWAND;
    if (n < 0 || n >= NWAND) return true;
    if (w.count <= 0) {
        addmes(_("\nもう魔力が残っていない"));
        return true;
    }
    if (std::rand() % 100 >= trpcalc(now(pc, MAG), itemlist[w.kind].rare, 80)) {
        // said without a line break of its own
        appendmes(_("あなたは杖をうまく使えなかった"));
        return true;
    }
    w.count--;  // spent before the aim, so a cancelled aim still costs the charge
    return applyeffect(wandeffects[n]);
}
