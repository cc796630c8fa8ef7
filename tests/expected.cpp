#include "expected.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {
std::vector<std::string> parts(const std::string& s, char sep)
{
    std::vector<std::string> out(1);
    for (char c : s) {
        if (c == sep) out.emplace_back();
        else out.back() += c;
    }
    return out;
}

bool regenerating()
{
    const char* v = std::getenv("KURASHI_REGENERATE");
    return v && std::string(v) == "1";
}
}  // namespace

std::string sourcefile(const std::string& rel)
{
    std::ifstream f(std::string(KURASHI_SOURCE_DIR) + "/" + rel, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), {});
}

void expectcommitted(const std::string& rel, const std::string& actual, char separator)
{
    if (regenerating()) {
        std::ofstream(std::string(KURASHI_SOURCE_DIR) + "/" + rel, std::ios::binary) << actual;
        return;
    }
    std::string expected = sourcefile(rel);
    if (expected == actual) return;
    std::vector<std::string> want = parts(expected, separator), got = parts(actual, separator);
    size_t i = 0;
    while (i < want.size() && i < got.size() && want[i] == got[i]) i++;
    const char* unit = separator == '\f' ? "screen" : "line";
    ADD_FAILURE() << rel << " differs first at " << unit << " " << i + 1 << " (of " << want.size()
                  << " expected, " << got.size() << " now)\n--- expected:\n"
                  << (i < want.size() ? want[i] : "(nothing)") << "\n--- now:\n"
                  << (i < got.size() ? got[i] : "(nothing)")
                  << "\n(if the change is meant, run the tests with KURASHI_REGENERATE=1)";
}
