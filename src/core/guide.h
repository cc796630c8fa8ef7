#pragma once
// The guide: the keys at home and in the field, the signs of the field, what a player must
// know to live, and the catalogues of the game, a page each. No game time passes in it.

enum {
    GUIDEHOME,
    GUIDEFIELD,
    GUIDELEGEND,
    GUIDESURVIVAL,
    GUIDEITEMS,
    GUIDESPELLS,
    GUIDEMATERIALS,
    GUIDECREATURES,
    NGUIDEPAGE
};

// Opens the guide at a page; the pages are turned with the left and right arrows or their
// numbers, and Escape or q leaves.
void guide(int page);
