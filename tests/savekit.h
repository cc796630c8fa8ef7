#pragma once
// What the save tests share: a data folder of their own per test, whole files in and out,
// and the hand-written game files of tests/data.

#include <functional>
#include <string>

#include "tempdir.h"
#include "testkit.h"

// A game test whose save/ lives in a fresh folder, removed afterwards.
class SaveTest : public GameTest {
protected:
    TempDir dir;
    const std::string& folder = dir.path;
    void SetUp() override;
    void TearDown() override;

    std::string savepath(const std::string& rel) const { return folder + "/save/" + rel; }
};

std::string slurp(const std::string& path);
void spit(const std::string& path, const std::string& bytes);
bool exists(const std::string& path);
// A committed file of tests/data.
std::string fixture(const std::string& name);
// Every global a load may touch, and the floor, as raw bytes: to see that a refused load
// changed nothing, or that two games reached the same state.
std::string worldbytes();
// The text with its word i (counted from 0, blanks and line ends between words) replaced.
std::string withword(const std::string& text, int i, const std::string& word);
int wordcount(const std::string& text);

// Scripted keys, with what another game does meanwhile (a save, say) done just before
// key number at (from 0) is read.
struct MeddledConsole : ScriptConsole {
    int at = -1;
    std::function<void()> meddle;
    int getkey() override { return at-- == 0 ? (meddle(), ScriptConsole::getkey()) : ScriptConsole::getkey(); }
};
