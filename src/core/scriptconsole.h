#pragma once
// The scripted console of the tests: keys come from a string, and the text written is
// kept screen by screen (each clear starts a new screen). When the keys run out the game
// ends as if the input had closed.

#include <string>
#include <vector>

#include "core/console.h"

class ScriptConsole : public Console {
public:
    explicit ScriptConsole(std::string keys = "") : keys(std::move(keys)) {}
    int getkey() override;
    void clear() override;
    void color(int attr) override;
    void write(std::string_view text) override;
    std::string readword(size_t maxbytes, bool leavable = false) override;

    void feed(const std::string& more) { keys += more; }
    bool done() const { return pos >= keys.size(); }
    // The current screen, every screen, and everything with colours marked as "<attr>".
    const std::string& screen() const { return screens.back(); }
    std::string all() const;

    std::vector<std::string> screens{""};
    std::string painted;
    int attr = 15;

private:
    std::string keys;
    size_t pos = 0;
};
