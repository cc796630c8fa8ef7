// The built game end to end: keys through a pipe, and a real terminal under tmux.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "core/text.h"
#include "home/optionsfile.h"
#include "tempdir.h"

namespace {
// A folder to run the game in: its own save/ and dead.txt, the maps of the source tree.
struct GameDir : TempDir {
    GameDir()
    {
        std::error_code ignored;
        std::filesystem::path maps = std::filesystem::path(KURASHI_SOURCE_DIR) / "map";
        if (std::filesystem::exists(maps)) std::filesystem::create_directory_symlink(maps, *this / "map", ignored);
    }
};

std::string shellword(const std::string& s) { return "'" + s + "'"; }

std::string readfile(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

int shell(const std::string& command)
{
    int rc = std::system(command.c_str());
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

// A tmux server of the test's own, so that nothing else running is touched.
class Terminal {
public:
    explicit Terminal(const std::string& command)
        : socket("kurashi-e2e-" + std::to_string(getpid()))
    {
        tmux("-u new-session -d -s game -x 80 -y 25 " + shellword(command));
    }
    ~Terminal() { tmux("kill-server"); }

    void keys(const std::string& k) { tmux("send-keys -t game " + k); }
    std::string capture()
    {
        std::string file = folder / "pane";
        tmux("capture-pane -p -t game > " + shellword(file));
        return readfile(file);
    }
    // Waits up to ten seconds for text to appear; the last screen is kept in shown.
    bool waitfor(const std::string& text)
    {
        for (int i = 0; i < 100; i++) {
            shown = capture();
            if (shown.find(text) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    std::string shown;
    TempDir folder;

private:
    std::string socket;
    int tmux(const std::string& args) { return shell("tmux -L " + socket + " " + args + " 2>/dev/null"); }
};
}  // namespace

TEST(EndToEnd, ANewGameThroughAPipe)
{
    GameDir dir;
    ASSERT_FALSE(dir.path.empty());
    std::string out = dir / "out";
    int status = shell("cd " + shellword(dir.path) + " && printf 'ahero\\nbia ky' | " +
                       shellword(KURASHI_BINARY) + " --plain --seed 1 --dir " + shellword(dir.path) +
                       " > " + shellword(out));
    EXPECT_EQ(status, 0);
    std::string s = readfile(out);
    for (const char* text : {"ようこそ", "名前を教えてくれないか\nhero\n", "難易度を選んでくれ",
                             "所持金：10000円\t日付：0年1月1日\t時間：0時0分\n", "名前:hero(Lv.1)",
                             "攻撃力:", "商売:1", "本当に終わる？"})
        EXPECT_NE(s.find(text), std::string::npos) << text;
    EXPECT_FALSE(std::filesystem::exists(dir / "dead.txt"));
    EXPECT_EQ(shell("XDG_CONFIG_HOME=/c " + shellword(KURASHI_BINARY) + " --help --dir /d > " + shellword(out)), 0);
    std::string help = readfile(out);
    for (size_t a = 0, b; (b = help.find('\n', a)) != std::string::npos; a = b + 1)
        EXPECT_LT(textwidth(help.substr(a, b - a)), 80) << help.substr(a, b - a);
}

TEST(EndToEnd, TheHomeScreenInATerminal)
{
    if (shell("command -v tmux > /dev/null") != 0) GTEST_SKIP() << "tmux is not installed";
    GameDir dir;
    Terminal term("cd " + shellword(dir.path) + " && LC_ALL=C.UTF-8 TERM=xterm-256color " +
                  shellword(KURASHI_BINARY) + " --seed 1 --dir " + shellword(dir.path) +
                  "; echo EXITED $?; sleep 10");
    ASSERT_TRUE(term.waitfor("b:つづきから")) << term.shown;
    term.keys("a");
    ASSERT_TRUE(term.waitfor("名前を教えてくれないか")) << term.shown;
    term.keys("-l 勇者");
    term.keys("Enter");
    ASSERT_TRUE(term.waitfor("d:Extra")) << term.shown;
    term.keys("b");
    ASSERT_TRUE(term.waitfor("所持金：10000円")) << term.shown;
    EXPECT_NE(term.shown.find("何をする？"), std::string::npos);
    EXPECT_NE(term.shown.find("日付：0年1月1日"), std::string::npos);
    EXPECT_NE(term.shown.find("時間：0時0分"), std::string::npos);
    term.keys("i");
    ASSERT_TRUE(term.waitfor("名前:勇者(Lv.1)")) << term.shown;
    term.keys("Escape");
    ASSERT_TRUE(term.waitfor("時間：0時1分")) << term.shown;
    term.keys("k");
    ASSERT_TRUE(term.waitfor("本当に終わる？")) << term.shown;
    term.keys("y");
    EXPECT_TRUE(term.waitfor("EXITED 0")) << term.shown;
}

// The options file: each bad line told with its file and line, and a bad file sets nothing
// but the flags still do; --no-assist and --lang override the file; a recording replays as
// played, in its language unless --lang says another.
TEST(EndToEnd, TheOptionsFileUnderTheFlags)
{
    GameDir dir;
    std::filesystem::create_directories(dir / "config/kurashi");
    std::ofstream(dir / "config/kurashi/kurashi.ini") << "# mine\nassist = on\nvikey = on\nvikeys = 1\nassist\n[kurashi\n";
    auto play = [&dir](const std::string& args, const char* seen = "方向キー:動かす") {
        shell("cd " + shellword(dir.path) + " && printf 'ahero\\nbca? *' | XDG_CONFIG_HOME=\"$PWD/config\" " +
              shellword(KURASHI_BINARY) + " --plain --seed 1 --dir . " + args + " > out 2> err");
        return readfile(dir / "out").find(seen) != std::string::npos;
    };
    EXPECT_FALSE(play(""));
    std::string at = "kurashi: " + dir.path + "/config/kurashi/kurashi.ini:", unused = "; the file's settings are not used, the defaults are\n";
    EXPECT_EQ(readfile(dir / "err"), at + "3: unknown key \"vikey\" (the keys are assist, vikeys and lang)" + unused + at +
              "4: vikeys must be on or off, not \"1\"" + unused + at + "5: not a \"key = value\" line" +
              unused + at + "6: not a \"key = value\" line" + unused + "kurashi: input ended\n");
    EXPECT_TRUE(play("--assist"));
    std::ofstream(dir / "config/kurashi/kurashi.ini") << "# mine\nassist = on\n";
    EXPECT_TRUE(play("--record game.rec"));
    EXPECT_EQ(readfile(dir / "err"), "kurashi: input ended\n");
    EXPECT_EQ(readfile(dir / "game.rec"), "kurashi recording 1 seed 1 assist\nahero\nbca? *");
    EXPECT_FALSE(play("--no-assist"));
    EXPECT_FALSE(play("--replay game.rec --no-assist"));
    EXPECT_NE(readfile(dir / "err").find("a replay plays with the options it was recorded"),
              std::string::npos);
    std::filesystem::remove(dir / "config/kurashi/kurashi.ini");
    EXPECT_TRUE(play("--replay game.rec"));
    std::ofstream(dir / "config/kurashi/kurashi.ini") << "lang = en\n";
    EXPECT_TRUE(play("--record en.rec", "arrow keys: move\n"));
    EXPECT_EQ(readfile(dir / "en.rec").substr(0, 37), "kurashi recording 1 seed 1 lang=en\nah");
    EXPECT_TRUE(play("--lang ja", "方向キー：移動\n"));
    EXPECT_TRUE(play("--replay en.rec", "arrow keys: move\n"));
    EXPECT_TRUE(play("--replay en.rec --lang ja", "方向キー：移動\n"));
    EXPECT_EQ(shell(shellword(KURASHI_BINARY) + " --lang fr 2> /dev/null"), 2);
}

// Options files that are no options file: the game starts at once with the defaults, each
// complaint one line with its control bytes escaped, ten at most.
TEST(OptionsFile, HostileFilesNeverHoldUpTheStart)
{
    TempDir dir;
    const std::string ini = dir / "kurashi.ini", at = "kurashi: " + ini;
    auto complaints = [&ini](const std::string& text, bool& set) {
        if (!text.empty()) std::ofstream(ini, std::ios::binary) << text;
        optdata o{false, false, JA};
        std::string c;
        readoptionsfile(ini, o, c);
        set = o.assist && o.vikeys;
        return c;
    };
    bool set;
    const std::string defaults = "; playing with the defaults\n";
    for (bool fifo : {true, false}) {
        ASSERT_EQ(fifo ? mkfifo(ini.c_str(), 0644) : symlink("/dev/urandom", ini.c_str()), 0);
        EXPECT_EQ(complaints("", set), at + ": not a regular file" + defaults);
        unlink(ini.c_str());
    }
    EXPECT_EQ(complaints(std::string(65537, '\n'), set), at + ": larger than 64 KiB" + defaults);
    EXPECT_EQ(complaints("assist = on\n  vikeys = on\n", set), "");
    EXPECT_TRUE(set) << "an indented key is a line of its own";
    const std::string unused = "; the file's settings are not used, the defaults are\n";
    using namespace std::string_literals;
    EXPECT_EQ(complaints("assist = on\nvikeys = o\0n\n\x1b]0;x\a = on\n"s, set),
              at + ":2: a NUL byte in the line" + unused + at + ":3: unknown key \"\\x1b]0;x\\x07\" (the keys are assist, vikeys and lang)" + unused);
    EXPECT_FALSE(set);
    std::string many = complaints("a\nb\nc\nd\ne\nf\ng\nh\ni\nj\nk\nl\n", set);
    EXPECT_EQ(std::count(many.begin(), many.end(), '\n'), 11) << many;
    EXPECT_NE(many.find(at + ": \u2026 and 2 more lines at fault\n"), std::string::npos) << many;
}

// With no home folder for the saves the game says so and stops, writing nothing where it
// was started; a replay stopped by SIGTERM or SIGHUP, even while it waits, leaves no
// temporary folder behind.
TEST(EndToEnd, NoHomeFolderAndAStoppedReplay)
{
    TempDir dir;
    const std::string game = "cd " + shellword(dir.path) + " && ";
    EXPECT_EQ(shell(game + "env -u HOME -u XDG_DATA_HOME " + shellword(KURASHI_BINARY) + " --plain </dev/null 2>err"), 1);
    EXPECT_NE(readfile(dir / "err").find("no home folder"), std::string::npos) << readfile(dir / "err");
    EXPECT_FALSE(std::filesystem::exists(dir / ".local"));
    for (const char* sig : {"TERM", "HUP"}) {
        EXPECT_EQ(shell(game + "rm -rf rec tmp; mkdir tmp; mkfifo rec || exit 1; { printf 'kurashi recording 1 seed 1\\nahero\\n'; sleep 3; } >rec & TMPDIR=$PWD/tmp " +
                        shellword(KURASHI_BINARY) + " --replay rec >/dev/null 2>&1 & sleep 1; kill -" + sig +
                        " $!; wait $!; echo $? >rc"), 0);
        EXPECT_EQ(readfile(dir / "rc"), std::string(sig) == "TERM" ? "143\n" : "129\n");
        EXPECT_TRUE(std::filesystem::is_empty(dir / "tmp")) << sig;
    }
}
