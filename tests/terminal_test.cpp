// The game in a real terminal (tmux, a server of each test's own): a signal at any screen
// ends it at once with the terminal as it was and no save touched; a terminal that goes
// away ends it; a resize never breaks a screen; a terminal too small says so; Esc acts at once.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "playdir.h"

namespace {
using clk = std::chrono::steady_clock;

std::string slurp(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), {});
}

std::string quote(const std::string& s) { return "'" + s + "'"; }

std::string shell(const std::string& command)
{
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char b[4096];
        size_t n;
        while ((n = fread(b, 1, sizeof b, p)) > 0) out.append(b, n);
        pclose(p);
    }
    return out;
}

bool havetmux() { return std::system("command -v tmux > /dev/null 2>&1") == 0; }

// Waits up to ms milliseconds for ready() to hold, asking every few milliseconds.
template <class F>
bool within(int ms, F ready)
{
    auto until = clk::now() + std::chrono::milliseconds(ms);
    while (!ready()) {
        if (clk::now() >= until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// A folder with a saved game in it, and a terminal (80 x 25 unless told) running a script there.
class Pane {
public:
    PlayDir dir;

    // The script finds the command of the game in $GAME.
    explicit Pane(const std::string& script, const std::string& size = "-x 80 -y 25")
    {
        static int count = 0;
        socket = "kurashi-term-" + std::to_string(getpid()) + "-" + std::to_string(++count);
        shell("cd " + quote(dir.path) + " && printf 'ahero\\nbjay ky' | " + game() + " --plain > /dev/null 2>&1");
        std::ofstream(dir / "run.sh") << "cd " << quote(dir.path) << "\nGAME=\"" << game() << "\"\n" << script;
        tmux("-u new-session -d -s game " + size + " 'sh " + dir / "run.sh" + "'");
    }
    ~Pane() { tmux("kill-server"); }

    std::string game() const
    {
        return std::string("env LC_ALL=C.UTF-8 TERM=xterm-256color ") + quote(KURASHI_BINARY) +
               " --seed 1 --dir " + quote(dir.path);
    }
    std::string tmux(const std::string& args) { return shell("tmux -L " + socket + " " + args + " 2>/dev/null"); }
    void keys(const std::string& k) { tmux("send-keys -t game " + k); }
    void resize(const std::string& size) { tmux("resize-window -t game " + size); }
    std::string screen() { return tmux("capture-pane -p -t game"); }
    bool showing(const std::string& text) { return screen().find(text) != std::string::npos; }
    bool waitfor(const std::string& text, int ms = 10000)
    {
        return within(ms, [&] { return showing(text); });
    }
    // The game's process, as the script wrote it.
    pid_t pid()
    {
        std::string p;
        within(5000, [&] { return !(p = slurp(dir / "pid")).empty(); });
        return static_cast<pid_t>(std::atoi(p.c_str()));
    }
    // Every file of save/ with its bytes and time of change.
    std::string saves()
    {
        std::string all;
        for (const auto& e : std::filesystem::directory_iterator(dir / "save"))
            all += e.path().filename().string() + ":" + slurp(e.path()) + ":" +
                   std::to_string(std::filesystem::last_write_time(e.path()).time_since_epoch().count()) + "\n";
        return all;
    }

private:
    std::string socket;
};

// Runs the game and then tells how the terminal was left: its settings before and after,
// the exit status, a line written in the default colours.
const char* const aftergame = R"(stty -g > before
sh -c 'echo $$ > pid; eval "exec $1"' game "$GAME"
echo $? > status.part && mv status.part status
stty -g > after
echo AFTER
exec sleep 60
)";

// Brings the game from its title to a screen: "word" (the name prompt), "home", "field",
// or the field shrunk under its notice ("small").
bool reach(Pane& p, const std::string& where)
{
    if (!p.waitfor("b:つづきから")) return false;
    p.keys("a");
    if (!p.waitfor("名前を教えてくれないか")) return false;
    if (where == "word") return true;
    p.keys("hero Enter b");
    if (!p.waitfor("何をする？")) return false;
    if (where == "home") return true;
    p.keys("c a");
    if (!p.waitfor("地下1階")) return false;
    if (where == "field") return true;
    p.resize("-x 60 -y 20");
    return p.waitfor("need at least 80x25.");
}

bool gone(pid_t pid)
{
    if (kill(pid, 0) != 0) return true;
    std::string stat = slurp("/proc/" + std::to_string(pid) + "/stat");
    size_t close = stat.rfind(')');
    return close == std::string::npos || stat.compare(close + 2, 1, "Z") == 0;  // ended, unreaped
}
}  // namespace

TEST(Terminal, ASignalAtAnyScreenEndsTheGameAtOnceWithTheTerminalRestored)
{
    if (!havetmux()) GTEST_SKIP() << "tmux is not installed";
    const std::map<int, const char*> signals = {{SIGINT, "SIGINT"}, {SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}};
    int passed = 0;
    for (const char* where : {"home", "field", "word", "small"})
        for (const auto& [sig, name] : signals) {
            SCOPED_TRACE(std::string(name) + " at " + where);
            Pane q(aftergame);
            ASSERT_TRUE(reach(q, where)) << q.screen();
            std::string saves = q.saves();
            pid_t pid = q.pid();
            ASSERT_GT(pid, 0);
            auto sent = clk::now();
            ASSERT_EQ(kill(pid, sig), 0);
            bool ended = within(1000, [&] { return !slurp(q.dir / "status").empty(); });
            auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(clk::now() - sent).count();
            ASSERT_TRUE(ended) << "still running a second later";
            EXPECT_EQ(std::atoi(slurp(q.dir / "status").c_str()), 128 + sig);
            EXPECT_TRUE(q.waitfor("AFTER")) << q.screen();
            EXPECT_EQ(slurp(q.dir / "before"), slurp(q.dir / "after")) << "stty -g";
            EXPECT_EQ(q.tmux("display -p -t game '#{cursor_flag}'"), "1\n") << "the cursor shows";
            std::string coloured = q.tmux("capture-pane -e -p -t game");
            EXPECT_NE(("\n" + coloured).find("\nAFTER\n"), std::string::npos) << "no colour is left on:\n" << coloured;
            EXPECT_EQ(q.saves(), saves);
            if (!HasFailure()) passed++;
            std::printf("[ signal   ] %s at %s: ended in %lld ms\n", name, where, static_cast<long long>(spent));
        }
    std::printf("[ signal   ] %d of 12 cases passed\n", passed);
}

TEST(Terminal, ATerminalThatGoesAwayEndsTheGame)
{
    if (!havetmux()) GTEST_SKIP() << "tmux is not installed";
    // as the hang-up is signalled, and with the signal blocked, so that only the dead terminal
    // tells: the game must end instead of reading errors for ever
    std::vector<std::string> wrappers = {""};
    if (std::system("command -v perl > /dev/null 2>&1") == 0)
        wrappers.push_back("perl -e 'use POSIX; sigprocmask(SIG_BLOCK, POSIX::SigSet->new(SIGHUP)); exec @ARGV' ");
    for (const std::string& wrap : wrappers) {
        SCOPED_TRACE(wrap.empty() ? "hang-up signalled" : "hang-up blocked");
        Pane p("echo $$ > pid\neval \"exec " + wrap + "$GAME\"\n");
        ASSERT_TRUE(reach(p, "field")) << p.screen();
        pid_t pid = p.pid();
        ASSERT_GT(pid, 0);
        p.tmux("kill-server");
        EXPECT_TRUE(within(2000, [&] { return gone(pid); })) << "the game goes on without its terminal";
        if (!gone(pid)) kill(pid, SIGKILL);
    }
}

namespace {
// Shrinks the terminal (the notice shows) and gives it back its size: the screen shown before
// must show again, and stay (tmux keeps what it showed until the game draws anew).
void resizeshows(Pane& p, const std::string& text)
{
    SCOPED_TRACE("resized while showing " + text);
    p.resize("-x 50 -y 15");
    EXPECT_TRUE(text == "EXITED 0" || p.waitfor("(50x15): need at least 80x25", 3000));
    for (const char* size : {"-x 12 -y 4", "-x 1 -y 1", "-x 10 -y 3", "-x 100 -y 40", "-x 80 -y 25"}) {
        p.resize(size);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    EXPECT_TRUE(p.waitfor(text, 3000)) << p.screen();
    EXPECT_FALSE(within(300, [&] { return !p.showing(text); })) << p.screen();
}
}  // namespace

TEST(Terminal, AResizeAtAnyScreenLeavesItWholeAndTheNextScreenRight)
{
    if (!havetmux()) GTEST_SKIP() << "tmux is not installed";
    Pane p("eval \"$GAME\"; echo EXITED $?; exec sleep 60\n");
    // each step: what the screen shows, then the keys that lead to the next
    const std::pair<const char*, const char*> steps[] = {
        {"b:つづきから", "a"},
        {"名前を教えてくれないか", "h e x BSpace"},
        {"名前を教えてくれないか\nhe\n", "r o Enter"},  // what is typed stays in sight
        {"d:Extra", "b i"},
        {"名前:hero(Lv.1)", "a"},
        {"スキルレベル", "Space"},
        {"何をする？", "a"},
        {"a:アイテム", "a"},
        {"何を買う？", "Escape"},
        {"何をする？", "c a"},
        {"地下1階", "?"},
        {"何かキーを押してください", "Space"},
        {"地下1階", "Escape"},
        {"本当に終わる？", "y"},
        {"EXITED 0", ""},
    };
    for (const auto& [shows, next] : steps) {
        ASSERT_TRUE(p.waitfor(shows)) << p.screen();
        resizeshows(p, shows);
        if (*next) p.keys(next);
    }
    EXPECT_FALSE(p.showing("EXITED 1")) << "no crash";
}

// Started too small, the game waits under its notice, dropping keys, and goes on whole when
// the terminal grows; shrunk at a word prompt or on the field, nothing typed meanwhile counts.
TEST(Terminal, ATooSmallTerminalShowsANoticeUntilItGrows)
{
    if (!havetmux()) GTEST_SKIP() << "tmux is not installed";
    Pane big("eval \"$GAME\"\n"), p("eval \"$GAME\"\n", "-x 60 -y 20");
    ASSERT_TRUE(p.waitfor("Terminal too small (60x20): need at least 80x25. Resize")) << p.screen();
    EXPECT_TRUE(p.showing("画面が小さすぎます（いま60x20）。80x25以上に")) << p.screen();
    p.keys("a Down");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    p.resize("-x 80 -y 25");
    ASSERT_TRUE(big.waitfor("b:つづきから") && p.waitfor("b:つづきから")) << p.screen();
    EXPECT_EQ(p.screen(), big.screen()) << "the title whole, as if started at 80x25";
    // each step: the keys, what must show, and keys dropped under the notice
    const std::tuple<const char*, const char*, const char*> steps[] = {
        {"a h e", "名前を教えてくれないか\nhe\n", "x Enter BSpace"},
        {"r o Enter b", "何をする？", "c a"},
        {"c a", "地下1階", "Down Down Left r 3 Enter Escape"},
    };
    for (const auto& [keys, shows, dropped] : steps) {
        p.keys(keys);
        ASSERT_TRUE(p.waitfor(shows)) << p.screen();
        std::string before = p.screen();
        p.resize("-x 70 -y 24");
        ASSERT_TRUE(p.waitfor("(70x24): need at least 80x25")) << p.screen();
        p.keys(dropped);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        p.resize("-x 80 -y 25");
        EXPECT_TRUE(within(3000, [&] { return p.screen() == before; })) << p.screen() << before;
    }
    p.keys("r");
    EXPECT_TRUE(p.waitfor("何ターン休憩する？")) << "played on:\n" << p.screen();
}

TEST(Terminal, EscActsAtOnce)
{
    if (!havetmux()) GTEST_SKIP() << "tmux is not installed";
    Pane p("eval \"$GAME\"\n");
    ASSERT_TRUE(reach(p, "home"));
    for (const auto& [into, from] : {std::pair{"j", "どこにセーブしますか"}, std::pair{"c a", "地下1階"}}) {
        p.keys(into);
        ASSERT_TRUE(p.waitfor(from)) << p.screen();
        auto sent = clk::now();
        p.keys("Escape");
        const char* after = *into == 'j' ? "何をする？" : "本当に終わる？";
        ASSERT_TRUE(within(2000, [&] { return p.showing(after); })) << p.screen();
        auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(clk::now() - sent).count();
        EXPECT_LT(spent, 300) << "Esc took " << spent << " ms";
        std::printf("[ esc      ] Esc left %s in %lld ms\n", from, static_cast<long long>(spent));
    }
}

TEST(Terminal, AGameRecordedInTheTerminalReplaysToTheSameScreens)
{
    if (!havetmux()) GTEST_SKIP() << "tmux is not installed";
    Pane p("eval \"$GAME --record game.rec\"; echo EXITED $?; exec sleep 60\n");
    ASSERT_TRUE(reach(p, "field"));
    p.keys("Down Down Right Left g");
    p.keys("r");
    ASSERT_TRUE(p.waitfor("何ターン休憩する？"));
    p.keys("4 BSpace 3 Enter");
    ASSERT_TRUE(p.waitfor("0時 6分")) << p.screen();  // after the three turns of rest
    std::string field = p.screen();
    p.keys("x y");
    ASSERT_TRUE(p.waitfor("EXITED 0"));
    // the status lines of the last field screen, as the replay shows them too
    std::string out;
    PlayDir again;
    EXPECT_EQ(replaybinary(p.dir / "game.rec", again.path, out), 0);
    size_t last = out.rfind("攻撃:");
    ASSERT_NE(last, std::string::npos) << out;
    std::string status = out.substr(last, out.find('\n', out.find('\n', last) + 1) - last);
    EXPECT_NE(field.find(status), std::string::npos) << status << "\n---\n" << field;
    EXPECT_NE(out.find("何ターン休憩する？\n(&で全回復するまで)\n3\n"), std::string::npos);
}
