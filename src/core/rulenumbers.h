#pragma once
// The numbers of the rules a player is told about: the rules take them from here and the
// guide prints them from here, so that what the guide says cannot drift from the game.

constexpr int STARTARROWS = 20;    // arrows at every start of the game, loaded or new
constexpr int STAIRSARROWS = 20;   // arrows gained on each way down the stairs
constexpr int WARNTURNS = 30;      // the air grows tense once fewer turns than this are left
constexpr int FALLDAMAGE = 100;    // hit points the fall at a floor's time limit costs
constexpr int HPREGEN = 3;         // on a floor one hit point comes back every this many turns
constexpr int MPREGEN = 5;         // and one magic point every this many
constexpr int ROUGHSLOW = 30;      // speed lost in the turn of stepping onto rough ground
constexpr int MEALSTEPS = 10;      // actions (in the field, turns) a meal takes
constexpr int MEALFULL = 300;      // fullness a meal adds
constexpr int FIELDFULL = 1000;    // in the field a meal fills no further than this
constexpr int STARVEDIVISOR = 10;  // starving at home costs maxhp / this at every home screen
constexpr int GATHERTURNS = 10;    // turns of fishing, felling or digging
constexpr int CRAFTACTIONS = 10;   // actions one attempt at crafting takes
constexpr int LEVELEXP = 100;      // experience one level costs
constexpr int SPELLEVERY = 3;      // a new spell at every level that is a multiple of this,
constexpr int LASTSPELLLEVEL = 18; // up to this one
constexpr int EQUIPCUSTOMERS = 3;  // of every ten customers of the own shop, these want equipment
