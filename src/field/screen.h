#pragma once
// The field screen: the window around the player, side texts, status lines, stat changes
// and the newest messages. The cell (tx, ty) is drawn on grey.
void draw();
// The same while the targeting cursor runs: in the assisted view its keys stand beside the
// window.
void drawaim();
// The same at the start of a turn: in the assisted view, when the turn brought more than 8
// messages, they are first shown 7 at a time, each page held by "-- 続き --" until a key
// (which is no command) is pressed, and the screen then shows the rest.
void drawturn();
