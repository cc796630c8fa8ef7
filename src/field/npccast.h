#pragma once
// A caster's spell: a draw from the spells open at this depth, the MP and the roll.

// Tries one spell; true when it was cast, which ends the creature's phase.
bool npccast(int i);
