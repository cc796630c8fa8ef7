#include "core/harm.h"

#include "core/lang.h"
#include "core/state.h"
#include "core/text.h"

namespace {
struct harmnote {
    int how;
    const char* who;
    const char* what;
};
harmnote last = {HNONE, nullptr, nullptr};

const char* named(const char* name) { return name ? _(name) : "?"; }

}  // namespace

void hurtby(int how, const char* who, const char* what) { last = {how, who, what}; }

void forgetharm() { last = {HNONE, nullptr, nullptr}; }

std::string causetext()
{
    char text[LINESIZE * 2];
    const char* who = named(last.who);
    const char* what = named(last.what);
    switch (last.how) {
    case HMELEE: format(text, sizeof text, _("%sに殴られた"), who); break;
    case HSPELL: format(text, sizeof text, _("%sの%sを受けた"), who, what); break;
    case HPOTION: format(text, sizeof text, _("%sに%sを投げつけられた"), who, what); break;
    case HFALL: format(text, sizeof text, "%s", _("下の階に落ちた")); break;
    case HSTARVE: format(text, sizeof text, "%s", _("餓死した")); break;
    case HSELFSHOT: format(text, sizeof text, "%s", _("自分の矢に撃たれた")); break;
    case HSELFSPELL: format(text, sizeof text, "%s", _("自分の魔法を受けた")); break;
    case HSELFPOTION: format(text, sizeof text, _("自分に投げた%sを浴びた"), what); break;
    case HUSED: format(text, sizeof text, _("%sを使った"), what); break;
    case HATE: format(text, sizeof text, _("%sを食べた"), what); break;
    default: format(text, sizeof text, "%s", _("不明")); break;
    }
    return text;
}

std::string placetext()
{
    if (depth <= 0) return _("家");
    const char* const grounds[] = {P_("生息地", "鉱山"), P_("生息地", "森"), P_("生息地", "水場")};
    char text[LINESIZE];
    const char* ground = dun >= 0 && dun < 3 ? grounds[dun] : "?";
    format(text, sizeof text, _("%s 地下%d階"), ground, depth);
    return text;
}
