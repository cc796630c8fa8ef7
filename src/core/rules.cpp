#include "core/rules.h"

#include <climits>
#include <cstdlib>

int dice(int count, int sides, int bonus)
{
    int sum = bonus;
    for (int i = 0; i < count; i++)
        if (sides >= 1) sum += std::rand() % sides + 1;
    return sum;
}

int trpcalc(int a, int b, int scale)
{
    long long A = a + 1LL, B = b + 1LL, r;
    if (B < A) {
        if (A == 0) return 0;  // both values below -1: no contest
        r = 100 - (50 * B) / A;
    } else {
        if (B == 0) return 0;
        r = (50 * A) / B;
    }
    return static_cast<int>((r * scale) / 50);
}

void fillup(int& value, int add, int most)
{
    long long v = static_cast<long long>(value) + add;
    if (v > most) v = most;
    if (v > value) value = static_cast<int>(v);
}

void addclamped(int& value, long long add)
{
    long long v = value + add;
    value = v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}

int alp2int(int key)
{
    if (key >= 'a' && key <= 'z') return key - 'a';
    if (key >= 'A' && key <= 'Z') return key - 'A' + 26;
    return NOLETTER;
}

int numc2int(const char* text)
{
    int value = 0, digits = 0;
    for (const char* p = text; *p; p++) {
        if (*p < '0' || *p > '9' || ++digits > 9) return -1;
        value = value * 10 + (*p - '0');
    }
    return value;
}

void bagremove(slot* bag, int cap, int index)
{
    if (index < 0 || index >= cap) return;
    for (int i = index; i < cap - 1; i++) bag[i] = bag[i + 1];
    bag[cap - 1].kind = -1;
}

void bagconsume(slot* bag, int cap, int index, int n)
{
    if (index < 0 || index >= cap) return;
    bag[index].count -= n;
    if (bag[index].count > 0) return;
    bagremove(bag, cap, index);
}

void itemconsume(int index, int n) { bagconsume(inv, maxinv, index, n); }
void materialconsume(int index, int n) { bagconsume(mat, maxmat, index, n); }

int bagfind(const slot* bag, int cap, int kind)
{
    for (int i = 0; i < cap; i++)
        if (bag[i].kind == kind || bag[i].kind == -1) return i;
    return -1;
}

int bagempty(const slot* bag, int cap)
{
    for (int i = 0; i < cap; i++)
        if (bag[i].kind == -1) return i;
    return -1;
}

int bagroom(const slot* bag, int cap, int kind)
{
    int i = bagfind(bag, cap, kind);
    if (i < 0) return 0;
    return bag[i].kind == -1 ? INT_MAX : INT_MAX - bag[i].count;
}

bool bagput(slot* bag, int cap, int kind, int n)
{
    int i = bagfind(bag, cap, kind);
    if (i < 0) return false;
    if (bag[i].kind == -1) bag[i] = {kind, n};
    else if (n > INT_MAX - bag[i].count) return false;
    else bag[i].count += n;
    return true;
}

int bagused(const slot* bag, int cap)
{
    int n = 0;
    while (n < cap && bag[n].kind != -1) n++;
    return n;
}
