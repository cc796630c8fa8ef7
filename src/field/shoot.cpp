// Shooting an arrow at the cell the cursor chooses.

#include "core/harm.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/rules.h"
#include "core/state.h"
#include "field/askfirst.h"
#include "field/occupant.h"
#include "field/strike.h"
#include "field/target.h"

namespace {
void shootself()
{
    if (!selfhit()) {
        addmes(_("\n矢はあなたに当たらなかった"));
        return;
    }
    int d = dice(3, trpcalc(now(pc, DEX), now(pc, DEF), 5), 0);
    pc.hp -= d;
    hurtby(HSELFSHOT);
    addmes(_("\nあなたは自分を射撃し%dのダメージを受けた"), d);
}

void shootnpc(int i)
{
    npcdata& c = npc[i];
    if (!aimedhit(c)) {
        addmes(_("\n矢は%sに当たらなかった"), _(c.name));
        return;
    }
    int d = dice(3, trpcalc(now(pc, DEX), now(c, DEF), 5), 0);
    hurtnpc(i, d, N_("\nあなたは%sを射撃し%dのダメージを与えて殺した"),
            N_("\nあなたは%sを射撃し%dのダメージを与えた"));
}
}  // namespace

// With no arrows left the turn still passes; a cancelled aim spends nothing.
bool shoot()
{
    if (arrow < 1) {
        addmes(_("\n矢がもうない"));
        return true;
    }
    int c = targetselect();
    if (c < 0 || !selfaimok()) return false;
    arrow--;
    switch (c) {
    case TOCCUPIED:
        if (aimedatself()) shootself();
        else if (int i = npcat(tx, ty); i >= 0) shootnpc(i);
        break;
    case TFLOOR:
    case TDOWN: addmes(_("\n矢は床に刺さった")); break;
    case TWALL: addmes(_("\n矢は壁に刺さった")); break;
    case TITEM: breakitems(tx, ty); break;
    default: break;
    }
    return true;
}
