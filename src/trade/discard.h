#pragma once
// Throwing items, equipment or materials away.
void drop();
