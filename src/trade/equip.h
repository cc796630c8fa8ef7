#pragma once
// Putting equipment on and taking it off.
void wearing();
