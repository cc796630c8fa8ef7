#include "trade/farm.h"

#include "core/catalog.h"
#include "core/clock.h"
#include "core/console.h"
#include "core/lang.h"
#include "core/msglog.h"
#include "core/rules.h"
#include "core/ui.h"

namespace {
constexpr const char* cropname[2] = {N_("野菜"), N_("果物")};
constexpr const char* stagename[4] = {N_("まだ芽が出ていない"), N_("芽吹いている"),
                                      N_("成長している"), N_("収穫できる")};
constexpr int RIPE = 3;
constexpr int cropharvest[2] = {VEGETABLE, FRUIT};

// The stage of each plot as it stood when the farm was entered; a stage moves with its
// plot, and a plot sown during the visit stays unsprouted until the next one.
int stage[LISTSIZE];

// Sown plots come first: the count of them is also the first empty plot.
int sownplots()
{
    int n = 0;
    while (n < farmlv && crp[n].kind != -1) n++;
    return n;
}

void drawfarm()
{
    cls();
    for (int i = 0; i < sownplots(); i++)
        print(_("%sは%s\n"), _(cropname[crp[i].kind]), _(stagename[stage[i]]));
    print("%s", _("\nどうする？\n\np:種をまく\nh:収穫する\nq:家に帰る\n"));
}

// Sows a seed from the bag in the first empty plot; false when nothing was sown.
bool sow()
{
    int plot = sownplots();
    if (plot >= farmlv) {
        refuse(_("これ以上植えられない"));
        return false;
    }
    for (;;) {
        cls();
        print("%s", _("何を植える？\n"));
        listbag(inv, maxinv, ITEMS, ISEED);
        int key = mygetch();
        if (key == KEYESC) return false;
        int i = alp2int(key);
        if (i >= maxinv || inv[i].kind == -1) {
            refuse(_("そんなアイテムは存在しない"));
        } else if (itemlist[inv[i].kind].kind != ISEED) {
            refuse(_("それは種ではない"));
        } else {
            crp[plot] = {inv[i].kind == VEGETABLESEED ? 0 : 1, year, month, day, hour, 1};
            stage[plot] = 0;
            itemconsume(i, 1);
            return true;
        }
    }
}

// Removes a plot; the later plots move forward with their stages.
void clearplot(int i)
{
    for (int k = i; k < farmlv - 1; k++) {
        crp[k] = crp[k + 1];
        stage[k] = stage[k + 1];
    }
    crp[farmlv - 1].kind = -1;
}

// The ripe plot the player picks, or -1 on Escape.
int chooseripe()
{
    for (;;) {
        cls();
        print("%s", _("どれを収穫する？\n"));
        for (int i = 0; i < sownplots(); i++)
            if (stage[i] == RIPE) print("%c:%s\n", alphabet[i], _(cropname[crp[i].kind]));
        int key = mygetch();
        if (key == KEYESC) return -1;
        int i = alp2int(key);
        if (i < farmlv && crp[i].kind != -1 && stage[i] == RIPE) return i;
        refuse(_("それは収穫できない"));
    }
}

// Harvests a ripe plot into the material bag; false when nothing was harvested.
bool harvest()
{
    int i = chooseripe();
    if (i < 0) return false;
    int m = cropharvest[crp[i].kind];
    int t = trpcalc(skl[2 * SKGROW], pc.lv + crp[i].grade, 2);
    // the die of t + 1 sides is rolled only once the bag can take its highest face
    if (bagroom(mat, maxmat, m) < t + 1) {
        refuse(_("これ以上素材を持てない"));
        return false;
    }
    int n = dice(1, t + 1, 0);
    bagput(mat, maxmat, m, n);
    skl[2 * SKGROW + 1] -= n;
    clearplot(i);
    return true;
}

// Every action trains growing, one level at most, and takes a turn.
void endaction()
{
    int& lv = skl[2 * SKGROW];
    int& points = skl[2 * SKGROW + 1];
    if (points < 0) {
        printlog("%s", _("栽培レベルUP\n"));
        lv++;
        points += 10 * lv;
    }
    timeplus();
}
}  // namespace

void farm()
{
    for (int i = 0; i < sownplots(); i++) stage[i] = grouthcalc(crp[i]);
    for (;;) {
        drawfarm();
        int key = mygetch();
        if (key == 'p' && !sow()) continue;
        if (key == 'h' && !harvest()) continue;
        endaction();
        if (key == 'q' || key == KEYESC) return;
    }
}
