#include "field/kill.h"

#include <cstdlib>

#include "core/catalog.h"
#include "core/console.h"
#include "core/lang.h"
#include "core/message.h"
#include "core/msglog.h"
#include "core/opts.h"
#include "core/rulenumbers.h"
#include "core/rules.h"
#include "core/state.h"
#include "field/occupant.h"

namespace {
// Far beyond any floor a player reaches; it keeps the sums below and the levels one
// kill can buy within bounds.
constexpr long long MAXGAIN = 1000000;

// Experience worth depth times the creature's worth, shared out by the player's level.
void gainexp(const npcdata& c)
{
    long long gain = static_cast<long long>(c.exp) * depth / (pc.lv > 0 ? pc.lv : 1);
    if (gain > MAXGAIN) gain = MAXGAIN;
    if (gain > 0) addclamped(pc.exp, gain);
}

void meat()
{
    if ((std::rand() & 15) != 0) return;
    addmes(_("\n肉を手に入れた"));
    if (!bagput(mat, maxmat, MEAT, 1)) addmes(_("\nしかしこれ以上持てなかった"));
}

// Every 100 points buy a level; true when at least one was gained.
bool levelup()
{
    if (pc.exp < LEVELEXP) return false;
    addmes(_("\nあなたはレベルアップした"));
    while (pc.exp >= LEVELEXP) {
        addclamped(pc.lv, 1);
        addclamped(pc.maxhp, dice(3, 5, 5));
        addclamped(pc.maxmp, dice(3, 5, 5));
        for (int s = ATK; s <= MAG; s++) addclamped(*statof(pc, s).base, dice(2, 3, 1));
        pc.exp -= LEVELEXP;
    }
    return true;
}

bool knows(int spell)
{
    for (int m : pc.magic) {
        if (m == -1) return false;
        if (m == spell) return true;
    }
    return false;
}

// The first free entry of the spell list, or -1 when nothing is left to learn.
int spellroom()
{
    int known = 0;
    for (int s = 0; s < NMAGIC; s++) known += knows(s);
    if (known == NMAGIC) return -1;
    for (int i = 0; i < LISTSIZE; i++)
        if (pc.magic[i] == -1) return i;
    return -1;
}

// The spells on offer: their names, and in the assisted view their letters, MP, what they do
// and which are known already.
void spelloffer()
{
    for (int s = 0; s < NMAGIC; s++) {
        const magicdata& m = magiclist[s];
        if (opts.assist)
            print("%c:%s(MP%d,%s)%s\n", alphabet[s], _(m.name), m.mp, _(m.desc),
                  knows(s) ? _(" 覚えている") : "");
        else
            print("%s\n", _(m.name));
    }
}

// The player must pick a spell not yet known; there is no way out of the choice.
void choosespell()
{
    int room = spellroom();
    if (room < 0) return;
    for (;;) {
        cls();
        print(_("何の魔法を覚える？\n\n"));
        spelloffer();
        int s = alp2int(mygetch());
        if (s >= NMAGIC) continue;
        if (knows(s)) {
            print(_("その魔法はもう覚えている"));
            continue;
        }
        pc.magic[room] = s;
        printlog(_("あなたは%sの魔法を覚えた"), _(magiclist[s].name));
        return;
    }
}
}  // namespace

void kill(int i, int x, int y)
{
    if (i < 0 || i >= MAXNPC) return;
    const npcdata& c = npc[i];
    setterrain(x, y, c.under);
    gainexp(c);
    meat();
    if (levelup() && pc.lv % SPELLEVERY == 0 && pc.lv <= LASTSPELLLEVEL) choosespell();
}
