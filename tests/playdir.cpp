#include "playdir.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

PlayDir::PlayDir()
{
    std::error_code ignored;
    std::filesystem::create_directory_symlink(std::filesystem::path(KURASHI_SOURCE_DIR) / "map",
                                              *this / "map", ignored);
}

int replaybinary(const std::string& recording, const std::string& dir, std::string& out,
                 const std::string& flags)
{
    std::string outfile = dir + "/replay.out";
    std::string cmd = std::string("'") + KURASHI_BINARY + "' --replay '" + recording + "' --dir '" +
                      dir + "' " + flags + " > '" + outfile + "' 2>/dev/null";
    int rc = std::system(cmd.c_str());
    std::ifstream f(outfile, std::ios::binary);
    out.assign(std::istreambuf_iterator<char>(f), {});
    std::filesystem::remove(outfile);
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}
