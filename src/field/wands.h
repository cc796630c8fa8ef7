#pragma once
// Waving a wand from the bag.

// Waves the wand in bag slot s: a wand without charges or a failed wave only tells so.
// False when the aim of a bolt was cancelled: the charge stays spent and no turn passes.
bool zapwand(int s);
