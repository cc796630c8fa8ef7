#pragma once
// What hurt the player last, noted as the blows land, so that a death can name its cause.

#include <string>

// How the player lost hit points.
enum harm {
    HNONE,
    HMELEE,      // a creature's blow
    HSPELL,      // a caster's spell
    HPOTION,     // a potion a creature threw
    HFALL,       // the fall to the floor below
    HSTARVE,     // a home screen drawn while starving
    HSELFSHOT,   // the player's own arrow
    HSELFSPELL,  // the player's own spell or wand
    HSELFPOTION, // a potion the player threw at themself
    HUSED,       // an item the player used
    HATE,        // a meal the player finished
};

// Notes the latest hurt: how, by which creature, with which spell or item (names from the
// catalogues, or null). Callers note only a hurt that took hit points.
void hurtby(int how, const char* who = nullptr, const char* what = nullptr);
// Forgets the hurt noted (a new game).
void forgetharm();
// The cause in the language of the screens: "犬に殴られた".
std::string causetext();
// Where the player is: "鉱山 地下1階", or "家" at home.
std::string placetext();
