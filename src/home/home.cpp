#include "home/home.h"

#include "core/console.h"

// placeholder until the home menu is built
void homepass() { mygetch(); }
void homeloop()
{
    for (;;) homepass();
}
