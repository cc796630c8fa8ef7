#include "core/state.h"

#include <cstring>

#include "core/harm.h"
#include "core/msglog.h"
#include "core/opts.h"
#include "core/rulenumbers.h"

pcdata pc;

slot inv[LISTSIZE];
slot mat[LISTSIZE];
slot equipment[LISTSIZE];
slot warehouseitm[LISTSIZE];
slot warehousemat[LISTSIZE];
slot itemnpcshop[LISTSIZE];
slot equipnpcshop[LISTSIZE];
shopentry itemmyshop[LISTSIZE];
shopentry equipmyshop[LISTSIZE];
cropdata crp[LISTSIZE];

int money;
int year, month, day, hour;
int min;
int skl[16];
int eat[2];
int warehouselv, shoplv, farmlv, townlv;
unsigned long long placeknown[16];

int numnpc, numitem, maxinv, maxmat, maxequip, excite, stayfloor;

int dun;
int depth = 1;
int arrow = STARTARROWS;
int rest;
int gathering[3];
int tohouse;
int tx, ty;
int map[MAPH][MAPW];
tile mi[MAPH][MAPW];
itemdata itm[LISTSIZE];
npcdata npc[MAXNPC];
npcdata minenpc[16], forestnpc[16], seanpc[16];

char message[MESSAGESIZE];
char buf[LINESIZE];
char para[LINESIZE];
char status[LINESIZE];

const char alphabet[53] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
const char numlist[11] = "0123456789";

const char* const modenames[4] = {"easy", "normal", "hard", "lunatic"};

const moderow modetable[4] = {
    {16, 32, 32, 5, 1000},
    {32, 16, 16, 7, 800},
    {64, 8, 8, 10, 500},
    {128, 4, 4, 15, 300},
};

void setmode(int code)
{
    if (code < 0 || code > 3) return;
    const moderow& m = modetable[code];
    numnpc = m.numnpc;
    numitem = m.numitem;
    maxinv = maxmat = maxequip = m.bag;
    excite = m.excite;
    stayfloor = m.stayfloor;
}

int modecode()
{
    for (int i = 0; i < 4; i++)
        if (modetable[i].numnpc == numnpc) return i;
    return -1;
}

template <class T, int N>
static void zero(T (&a)[N])
{
    std::memset(static_cast<void*>(a), 0, sizeof a);
}

void resetstate()
{
    std::memset(static_cast<void*>(&pc), 0, sizeof pc);
    zero(inv), zero(mat), zero(equipment), zero(warehouseitm), zero(warehousemat);
    zero(itemnpcshop), zero(equipnpcshop), zero(itemmyshop), zero(equipmyshop), zero(crp);
    money = year = month = day = hour = min = 0;
    zero(skl), zero(eat), zero(placeknown);
    warehouselv = shoplv = farmlv = townlv = 0;
    numnpc = numitem = maxinv = maxmat = maxequip = excite = stayfloor = 0;
    dun = 0;
    depth = 1;
    arrow = STARTARROWS;
    rest = tohouse = tx = ty = 0;
    zero(gathering), zero(map), zero(mi), zero(itm), zero(npc);
    zero(minenpc), zero(forestnpc), zero(seanpc);
    zero(message), zero(buf), zero(para), zero(status);
    clearlog();
    forgetharm();
    opts = {};
}
