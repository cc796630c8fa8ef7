#include "trade/craft.h"

#include <cstdlib>

#include "core/catalog.h"
#include "core/clock.h"
#include "core/console.h"
#include "core/lang.h"
#include "core/rulenumbers.h"
#include "core/rules.h"
#include "core/ui.h"

namespace {
constexpr const char* materialprompt[3] = {N_("素材１は？\n"), N_("素材２は？\n"),
                                           N_("素材３は？\n")};

// The materials taken so far in one attempt, so that Escape can give them back.
struct taken {
    int kinds[3];
    int n = 0;

    int meangrade() const
    {
        int sum = 0;
        for (int i = 0; i < n; i++) sum += materiallist[kinds[i]].grade;
        return sum / 3;
    }
};

// Each goes back where the bag rule puts it: its own stack, or a new entry at the end.
void giveback(const taken& t)
{
    for (int i = 0; i < t.n; i++) bagput(mat, maxmat, t.kinds[i], 1);
}

// The player picks one material of a material kind and it is taken from the bag;
// false on Escape.
bool choosematerial(const char* prompt, int kind, taken& t)
{
    cls();
    print("%s", _(prompt));
    listbag(mat, maxmat, MATERIALS, kind);
    for (;;) {
        int key = mygetch();
        if (key == KEYESC) return false;
        int i = alp2int(key);
        if (i < maxmat && mat[i].kind != -1 && materiallist[mat[i].kind].kind == kind) {
            t.kinds[t.n++] = mat[i].kind;
            materialconsume(i, 1);
            return true;
        }
        print("%s", _("それは選べない\n"));
    }
}

// One material of each kind in turn; on Escape everything taken goes back.
bool choosematerials(const int* kinds, int count, const char* const* prompts, taken& t)
{
    for (int s = 0; s < count; s++) {
        if (!choosematerial(prompts[s], kinds[s], t)) {
            giveback(t);
            return false;
        }
    }
    return true;
}

// The attempt's ten turns of work, then its roll against the skill.
bool work(int skill, int against, int scale)
{
    for (int i = 0; i < CRAFTACTIONS; i++) timeplus();
    return std::rand() % 100 < trpcalc(skl[2 * skill], against, scale);
}

// Takes points from a skill; every time they fall below 0 the skill gains a level.
void train(int skill, int points, const char* levelup)
{
    int& lv = skl[2 * skill];
    int& left = skl[2 * skill + 1];
    left -= points;
    while (left < 0) {
        lv++;
        left += 10 * lv;
        print("%s\n", _(levelup));
    }
}

// The kind of piece to make, or -1 on Escape; other keys are not taken.
int choosekind()
{
    cls();
    print("%s", _("何を作る？\n\n"));
    for (int k = 0; k < NEQUIP; k++) print("%c:%s\n", alphabet[k], _(equiplist[k]));
    for (;;) {
        int key = mygetch();
        if (key == KEYESC) return -1;
        if (int kind = alp2int(key); kind < NEQUIP) return kind;
    }
}

// Three metals make a piece of the chosen kind; false when Escape left the kinds or gave
// the metals back.
bool makeequip()
{
    int e = bagempty(equipment, maxequip);
    if (e < 0) {
        refuse(_("あなたは装備品をこれ以上持てない"));
        return true;
    }
    int kind = choosekind();
    if (kind < 0) return false;
    static constexpr int metals[3] = {MMETAL, MMETAL, MMETAL};
    taken t;
    if (!choosematerials(metals, 3, materialprompt, t)) return false;
    int g = t.meangrade();
    if (work(SKEQUIP, pc.lv + g, 20)) {
        int p = dice(g / 2 + 1, skl[2 * SKEQUIP] / 2 + 1, 0);
        equipment[e] = {kind, p};
        print(_("あなたは性能%dの%sを作った\n"), p, _(equiplist[kind]));
        train(SKEQUIP, p / 10 + 1, N_("装備品製作レベルUP"));
    } else {
        print(_("あなたは%sの製作に失敗した\n"), _(equiplist[kind]));
    }
    waitkey();
    return true;
}

// A wand kind drawn at random, each weighted by 1 / its rarity.
int drawwand()
{
    for (;;) {
        int k = std::rand() % NITEM;
        if (itemlist[k].kind == IWAND && std::rand() % itemlist[k].rare == 0) return k;
    }
}

// Two woods and a gem make a wand of a random kind; false when Escape gave them back.
bool makewand()
{
    int e = bagempty(inv, maxinv);
    if (e < 0) {
        refuse(_("これ以上持てない"));
        return true;
    }
    static constexpr int parts[3] = {MWOOD, MWOOD, MGEM};
    taken t;
    if (!choosematerials(parts, 3, materialprompt, t)) return false;
    int g = t.meangrade();
    if (work(SKTOOL, pc.lv + g, 20)) {
        int k = drawwand();
        int rare = itemlist[k].rare;
        int c = dice(2, trpcalc(skl[2 * SKTOOL] + g, rare + pc.lv, 5) + 1, 0);
        inv[e] = {k, c};
        print(_("あなたは%s(残り回数%d)を作った\n"), _(itemlist[k].name), c);
        train(SKTOOL, rare * c / 10 + 1, N_("道具製作レベルUP"));
    } else {
        print("%s", _("あなたは魔法杖の製作に失敗した\n"));
    }
    waitkey();
    return true;
}

// A dish grade index 0..4: the plainest always stands, grade index q once in q * q.
int drawgrade()
{
    for (;;) {
        int q = std::rand() % 5;
        if (q == 0 || std::rand() % (q * q) == 0) return q;
    }
}

// A foodstuff makes a dish of its row, always a new entry of one; false on Escape.
bool cookdish()
{
    int e = bagempty(inv, maxinv);
    if (e < 0) {
        refuse(_("これ以上持てない"));
        return true;
    }
    static constexpr int food[1] = {MFOOD};
    static constexpr const char* prompt[1] = {N_("材料は？\n")};
    taken t;
    if (!choosematerials(food, 1, prompt, t)) return false;
    if (work(SKCOOK, pc.lv, 50)) {
        int q = drawgrade();
        int dish = FIRSTDISH + 5 * (t.kinds[0] - MEAT) + q;
        inv[e] = {dish, 1};
        print(_("あなたは%sを作った\n"), _(itemlist[dish].name));
        train(SKCOOK, q + 1, N_("料理レベルUP"));
    } else {
        print("%s", _("あなたは料理に失敗した\n"));
    }
    waitkey();
    return true;
}
}  // namespace

void make()
{
    for (;;) {
        cls();
        print("%s", _("何を作る？\n\na:装備品\nb:魔法の杖\nc:料理\n"));
        int key = mygetch();
        bool done;
        if (key == 'a') done = makeequip();
        else if (key == 'b') done = makewand();
        else if (key == 'c') done = cookdish();
        else return;
        if (done) return;
    }
}
