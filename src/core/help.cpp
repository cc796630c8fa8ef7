#include "core/help.h"

#include "core/console.h"
#include "core/guide.h"
#include "core/ui.h"

void help()
{
    cls();
    print("方向キー：移動\n");
    print("f：射撃(方向キー・tまたはenterで対象を確定)\n");
    print("m：魔法\n");
    print("g：アイテムを拾う\n");
    print("T：アイテムを投げる(方向キー・tまたはenterで対象を確定)\n");
    print("t：アイテムを使う\n");
    print("d：アイテムを捨てる\n");
    print(">：階段を降りる(階段でのみ)\n");
    print("?：ヘルプ\n");
    print("x：終了\n\n");
    if (waitkey() == '?') guide(GUIDEFIELD);
}
