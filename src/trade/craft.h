#pragma once
// Crafting equipment and wands, and cooking dishes, from materials.
void make();
