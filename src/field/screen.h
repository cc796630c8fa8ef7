#pragma once
// The field screen: the window around the player, side texts, status lines, stat changes
// and the newest messages. The cell (tx, ty) is drawn on grey.
void draw();
