#pragma once
// An expedition: turn after turn on the floors of the ground in dun, until home or death.
void dungeon();
