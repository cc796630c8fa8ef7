#include "core/console.h"
#include "core/lang.h"
#include "core/ui.h"
#include "home/homemenus.h"

namespace {
// Name and count of every used entry, without letters.
void listnames(const slot* bag, int cap, bagof what)
{
    for (int i = 0; i < cap && bag[i].kind != -1; i++)
        print("%s x%d\n", _(bagname(what, bag[i].kind)), bag[i].count);
}

void showparameters()
{
    print(_("攻撃力:%d 防御力:%d 器用:%d 魔力:%d 速さ:%d\n"), pc.atk, pc.def, pc.dex, pc.mag,
          pc.spd);
    print(_("剣の攻撃力:%d 鎧の防御力:%d 小手の器用:%d 杖の魔力:%d 靴の速さ:%d\n\n"), pc.eqsword,
          pc.eqarmor, pc.eqgauntlet, pc.eqhat, pc.eqshoes);
    print("%s", _("スキルレベル\n"));
    // weapon-making and armour-making are both the one equipment-making skill
    auto lv = [](int s) { return skl[2 * s]; };
    print(_("武器製作:%d 防具製作:%d 道具製作:%d 料理:%d 採鉱:%d 伐採:%d 釣り:%d 栽培:%d "
            "商売:%d\n\n"),
          lv(SKEQUIP), lv(SKEQUIP), lv(SKTOOL), lv(SKCOOK), lv(SKMINE), lv(SKFELL), lv(SKFISH),
          lv(SKGROW), lv(SKTRADE));
    print("%s", _("その他\n"));
    print(_("倉庫Lv:%d,店Lv:%d,農園Lv:%d,街Lv:%d\n\n"), warehouselv, shoplv, farmlv, townlv);
    waitkey();
}

void showstores(const slot* items, const slot* materials, int itemcap, int materialcap)
{
    print("%s", _("アイテム\n\n"));
    listnames(items, itemcap, ITEMS);
    print("%s", _("\n素材\n\n"));
    listnames(materials, materialcap, MATERIALS);
    waitkey();
}
}  // namespace

void information()
{
    cls();
    print(_("名前:%s(Lv.%d)\n\n"), pc.name, pc.lv);
    print("%s", _("何を見る?\na:パラメータ\nb:所持品\nc:倉庫\n"));
    int key = mygetch();
    cls();
    if (key == 'a') showparameters();
    else if (key == 'b') showstores(inv, mat, maxinv, maxmat);
    else if (key == 'c') showstores(warehouseitm, warehousemat, warehouselv, warehouselv);
}
