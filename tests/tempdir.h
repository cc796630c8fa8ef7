#pragma once
// A folder of its own for a test that writes files, removed afterwards.

#include <cstdlib>
#include <filesystem>
#include <string>

struct TempDir {
    std::string path;
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kurashi-XXXXXX").string();
        path = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir()
    {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    std::string operator/(const std::string& rel) const { return path + "/" + rel; }
};
