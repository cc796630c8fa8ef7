#pragma once
// Checks shared by the field tests: the cell codes agree with who stands where.

#include <string>

#include "core/state.h"

// Empty when the grid holds exactly one 10 per living creature and the player, every item
// still lying is under an 11 (in the grid or in the under of whoever stands on it), and
// everybody is on the grid; otherwise what is wrong.
std::string cellproblems();

// The first seed from 1 on whose first draw satisfies pred (for draws a test must force).
template <class P>
unsigned seedwhere(P pred)
{
    for (unsigned s = 1;; s++) {
        std::srand(s);
        if (pred(std::rand())) {
            std::srand(s);
            return s;
        }
    }
}

// Occurrences of text in s.
int count(const std::string& s, const std::string& text);
