#include "core/clock.h"

#include "core/lang.h"
#include "core/message.h"

namespace {
struct hungerline {
    int full;
    const char* text;
};
constexpr hungerline hungerlines[] = {
    {300, N_("\n腹が減ってきた")},
    {150, N_("\n空腹で目が回りだした")},
    {50, N_("\n腹が減って死にそうだ")},
    {0, N_("\n餓死中")},
};

void hunger()
{
    if (pc.full > 0) pc.full--;
    for (const hungerline& h : hungerlines)
        if (pc.full == h.full) addmes("%s", _(h.text));
}
}  // namespace

void timeplus()
{
    int speed = pc.spdcur + pc.spdmod;
    if (speed < 1) speed = 1;  // the clock never stands still or runs back
    min += 6000 / speed;
    if (min > 5999) {
        min -= 6000;
        hour++;
    }
    if (hour > 23) {
        hour -= 24;
        day++;
        sell();
        tonpcshop();
    }
    if (day >= 30) {
        day -= 30;
        month++;
    }
    if (month > 11) {
        month -= 12;
        year++;
    }
    hunger();
}

int grouthcalc(const cropdata& plot)
{
    long long years = year - static_cast<long long>(plot.sowyear);
    long long months = month - static_cast<long long>(plot.sowmonth);
    long long days = day - static_cast<long long>(plot.sowday);
    long long hours = hour - static_cast<long long>(plot.sowhour);
    if (hours < 0) days--;
    if (years > 0) months += 12 * years;
    if (months > 0) days += 30 * months;
    if (days > 7) return 3;
    if (days > 3) return 2;
    if (days > 1) return 1;
    return 0;
}
