#pragma once
// The use command (potions, scrolls, seeds, meals, wands) and the cast command.
// Each returns true when a turn passes.
bool useitemcmd();
bool castcmd();
