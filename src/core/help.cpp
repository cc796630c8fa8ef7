#include "core/help.h"

#include "core/console.h"
#include "core/guide.h"
#include "core/lang.h"
#include "core/ui.h"

void help()
{
    cls();
    print(_("方向キー：移動\n"));
    print(_("f：射撃(方向キー・tまたはenterで対象を確定)\n"));
    print(_("m：魔法\n"));
    print(_("g：アイテムを拾う\n"));
    print(_("T：アイテムを投げる(方向キー・tまたはenterで対象を確定)\n"));
    print(_("t：アイテムを使う\n"));
    print(_("d：アイテムを捨てる\n"));
    print(_(">：階段を降りる(階段でのみ)\n"));
    print(_("?：ヘルプ\n"));
    print(_("x：終了\n\n"));
    if (waitkey() == '?') guide(GUIDEFIELD);
}
