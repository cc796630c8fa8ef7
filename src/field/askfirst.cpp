#include "field/askfirst.h"

#include <cstdlib>

#include "core/console.h"
#include "core/lang.h"
#include "core/opts.h"
#include "core/state.h"
#include "core/ui.h"
#include "field/screen.h"

namespace {
// The screen as it stands, and the question on the line below its messages.
bool ask(const char* question, bool aiming)
{
    if (aiming) drawaim();
    else draw();
    print("\n%s", question);
    return yesno();
}

// A living hostile creature on one of the eight cells around (x, y).
bool hostilebeside(int x, int y)
{
    for (int i = 0; i < numnpc && i < MAXNPC; i++) {
        const npcdata& c = npc[i];
        if (c.hp < 0 || c.attitude != -1 || (c.x == x && c.y == y)) continue;
        if (std::abs(c.x - x) <= 1 && std::abs(c.y - y) <= 1) return true;
    }
    return false;
}
}  // namespace

bool selfaimok()
{
    if (!opts.assist || tx != pc.x || ty != pc.y) return true;
    return ask(_("自分を狙っている。本当に？ y/n"), true);
}

bool roughstepok(int dx, int dy)
{
    int nx = pc.x + dx, ny = pc.y + dy;
    int t = cell(nx, ny);
    if (!opts.assist || (t != TROUGH && t != TROUGH2)) return true;
    // the creatures beside the player now, or beside the cell the step ends on
    if (!hostilebeside(pc.x, pc.y) && !hostilebeside(nx, ny)) return true;
    return ask(_("荒れ地で遅くなる。敵が隣にいる。進む？ y/n"), false);
}
