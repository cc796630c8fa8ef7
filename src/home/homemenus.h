#pragma once
// The home menu's own screens: eating, expanding the household, and the information
// screens. Each runs to its end within one pass of the home loop.

// The food list under the home screen; a food chosen starts a meal of 10 actions.
void eatmenu();
// One step of a meal in progress; the last one fills the stomach and uses the food up.
void mealstep();
// Spending money on a larger warehouse, shop, farm or town.
void expand();
// The character's values, the belongings and the warehouse.
void information();
