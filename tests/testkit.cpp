#include "testkit.h"

#include <cstring>

void GameTest::SetUp()
{
    resetstate();
    std::srand(1);
    setconsole(&console);
}

void freshgame(int mode)
{
    resetstate();
    setnpclist();
    setmode(mode);
    depth = 0;
    std::strcpy(pc.name, "テスト");
    pc.maxhp = pc.hp = 30;
    pc.maxmp = pc.mp = 20;
    for (int s = 0; s < NSTAT; s++) {
        statview v = statof(pc, s);
        *v.base = *v.cur = s == SPD ? 60 : 10;
    }
    pc.lv = 1;
    pc.full = 1000;
    for (int& m : pc.magic) m = -1;
    for (slot* bag : {inv, mat, equipment, warehouseitm, warehousemat, itemnpcshop, equipnpcshop})
        for (int i = 0; i < LISTSIZE; i++) bag[i].kind = -1;
    for (int i = 0; i < LISTSIZE; i++) {
        itemmyshop[i].kind = equipmyshop[i].kind = -1;
        crp[i].kind = -1;
    }
    warehouselv = shoplv = farmlv = townlv = 1;
    money = 10000;
    for (int s = 0; s < 8; s++) skl[2 * s] = 1, skl[2 * s + 1] = 10;
}

void setcell(int x, int y, int code)
{
    map[y][x] = code;
    mi[y][x] = chip[code];
}

void openfloor(int px, int py)
{
    for (int y = 0; y < MAPH; y++)
        for (int x = 0; x < MAPW; x++)
            setcell(x, y, x == 0 || y == 0 || x == MAPW - 1 || y == MAPH - 1 ? TWALL : TFLOOR);
    for (itemdata& it : itm) it.taken = 1;
    for (npcdata& n : npc) n.hp = -1;
    depth = depth < 1 ? 1 : depth;
    pc.x = px;
    pc.y = py;
    pc.under = TFLOOR;
    map[py][px] = TOCCUPIED;
}

void putnpc(int i, int kind, int x, int y)
{
    npc[i] = npclist[kind];
    npc[i].x = x;
    npc[i].y = y;
    npc[i].under = map[y][x];
    map[y][x] = TOCCUPIED;
}

void putitem(int i, int kind, int x, int y)
{
    itm[i] = itemlist[kind];
    itm[i].x = x;
    itm[i].y = y;
    itm[i].under = map[y][x];
    map[y][x] = TITEM;
}
