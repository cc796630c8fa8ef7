#include "core/keeper.h"

namespace {
filekeeper keeper = nullptr;
}  // namespace

void setfilekeeper(filekeeper k) { keeper = k; }

bool keepfiles(std::string& why) { return !keeper || keeper(why); }
