#pragma once
// What the tests share: a fresh world per test, scripted keys, and small floors built by
// hand.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/catalog.h"
#include "core/console.h"
#include "core/creatures.h"
#include "core/gameend.h"
#include "core/message.h"
#include "core/scriptconsole.h"
#include "core/state.h"

class GameTest : public ::testing::Test {
protected:
    ScriptConsole console;

    void SetUp() override;
    void TearDown() override { setconsole(nullptr); }

    void keys(const std::string& k) { console.feed(k); }
    const std::string& screen() const { return console.screen(); }
    std::string all() const { return console.all(); }
};

// Runs fn: the exit status when the game ended inside it, -1 when it returned.
template <class F>
int run(F fn)
{
    try {
        fn();
    } catch (const GameEnd& e) {
        return e.status;
    }
    return -1;
}

// A new game's state without the title screens, with fixed stats (all 10, speed 60,
// 30 HP, 20 MP), every list empty, household levels 1, 10000 yen, skills 1 with 10 points.
void freshgame(int mode);

// A floor of open ground walled round the edge, no items, every creature slot dead,
// depth 1, the player standing on floor at (px, py).
void openfloor(int px = 20, int py = 20);
// Terrain at a cell, with its glyph.
void setcell(int x, int y, int code);
// Creature slot i becomes a copy of catalogue kind, standing at (x, y).
void putnpc(int i, int kind, int x, int y);
// Floor item slot i becomes a copy of item kind, lying at (x, y).
void putitem(int i, int kind, int x, int y);
