// The byte-stream consoles: keys, word prompts, screens, the end of input; the notice of a
// terminal too small for the game.

#include <unistd.h>

#include <algorithm>

#include "core/lang.h"
#include "core/lineinput.h"
#include "core/plainconsole.h"
#include "core/termnotice.h"
#include "core/text.h"
#include "testkit.h"

namespace {
// A plain console reading from a pipe filled with input, writing into another pipe.
struct Piped {
    int in[2], out[2];
    PlainConsole* console;
    explicit Piped(const std::string& input)
    {
        EXPECT_EQ(pipe(in), 0);
        EXPECT_EQ(pipe(out), 0);
        EXPECT_EQ(::write(in[1], input.data(), input.size()), static_cast<ssize_t>(input.size()));
        close(in[1]);
        console = new PlainConsole(in[0], out[1]);
    }
    std::string output()
    {
        console->flush();
        close(out[1]);
        std::string s;
        char b[4096];
        ssize_t n;
        while ((n = ::read(out[0], b, sizeof b)) > 0) s.append(b, n);
        return s;
    }
    ~Piped()
    {
        delete console;
        close(in[0]);
        close(out[0]);
    }
};
}  // namespace

TEST(PlainConsole, KeysAreBytesAndNewlineIsEnter)
{
    Piped p("aK\n\r\n" "7\r\n" " \x1b 8\n" "\n" "\x1b");
    setconsole(p.console);
    EXPECT_EQ(mygetch(), 'a');
    EXPECT_EQ(mygetch(), KEYLEFT) << "a capital K is the left arrow";
    EXPECT_EQ(mygetch(), KEYENTER);
    EXPECT_EQ(mygetch(), KEYENTER) << "CR LF is one Enter";
    for (auto w : {"7", "", ""}) EXPECT_EQ(p.console->readword(16, true), w) << "one line end";
    EXPECT_EQ(mygetch(), KEYESC);
    EXPECT_EQ(run([] { mygetch(); }), EXITINPUT);
    setconsole(nullptr);
}

TEST(PlainConsole, TheExtendedPrefixIsFolded)
{
    Piped p(std::string("\xe0H\xe0P", 4));
    setconsole(p.console);
    EXPECT_EQ(mygetch(), KEYUP);
    EXPECT_EQ(mygetch(), KEYDOWN);
    setconsole(nullptr);
}

TEST(PlainConsole, AWordPromptSkipsBlankLinesAndDropsTheRest)
{
    Piped p("\n   \nhero of town\nx");
    EXPECT_EQ(p.console->readword(45), "hero");
    EXPECT_EQ(p.console->getkey(), 'x');
    EXPECT_EQ(p.output(), "hero\n");
}

TEST(PlainConsole, AWordIsBoundedWithoutCuttingACharacter)
{
    Piped p("あいうえおかきくけこ\n");
    EXPECT_EQ(p.console->readword(16), "あいうえお");
}

TEST(PlainConsole, ClearWritesAFormFeedAndNoColours)
{
    Piped p("");
    p.console->write("一");
    p.console->color(12);
    p.console->clear();
    p.console->write("二");
    EXPECT_EQ(p.output(), "一\f二");
}

TEST(PlainConsole, InputEndingInsideAWordPromptEndsTheGame)
{
    Piped p("\n\n");
    setconsole(p.console);
    EXPECT_EQ(run([&] { p.console->readword(16); }), EXITINPUT);
    setconsole(nullptr);
}

class Scripted : public GameTest {};

TEST_F(Scripted, ScreensAreSplitByClears)
{
    print("one");
    cls();
    setcolor(12);
    print("two %d", 2);
    EXPECT_EQ(console.screens.size(), 2u);
    EXPECT_EQ(screen(), "two 2");
    EXPECT_EQ(console.painted, "one\f<12>two 2");
}

TEST(Text, ShiftJisRoundTripAndRefusals)
{
    std::string sjis, back;
    ASSERT_TRUE(tosjis("勇者ｱ", sjis));
    EXPECT_EQ(sjis.size(), 5u) << "a half-width kana is one byte";
    ASSERT_TRUE(fromsjis(sjis, back));
    EXPECT_EQ(back, "勇者ｱ");
    EXPECT_FALSE(tosjis("😀", sjis));
    EXPECT_FALSE(fromsjis("\x82", back)) << "a cut two-byte character";
}

TEST(Text, FormatCutsAtACharacter)
{
    char out[8];
    EXPECT_EQ(format(out, sizeof out, "%s", "あいう"), 6u);
    EXPECT_STREQ(out, "あい");
    EXPECT_EQ(wholechars("あい\xe3\x81"), "あい");
}

// Inside the terminal at every size down to one cell, both sizes said wherever there is room;
// every other size in English alone, as the game speaking English shows it.
TEST(TermNotice, FitsEveryTerminalSize)
{
    noticeline l[NOTICELINES];
    for (int rows = 1; rows < SCREENROWS + 5; rows++)
        for (int cols = 1; cols < SCREENCOLS + 40; cols++) {
            std::string size = std::to_string(cols) + "x" + std::to_string(rows), all;
            setlang((rows + cols) % 2 ? EN : JA);
            int n = layoutnotice(rows, cols, l);
            setlang(JA);
            ASSERT_TRUE(n >= 1 && n <= rows && l[0].y >= 0 && l[n - 1].y < rows) << size;
            for (int i = 0; i < n; i++, all += " ") {
                ASSERT_TRUE(l[i].x >= 0 && l[i].x + l[i].width <= cols && l[i].y == l[0].y + i) << size;
                all += l[i].text;
            }
            bool said = all.find(size) != std::string::npos && all.find("80x25") != std::string::npos;
            EXPECT_TRUE(said || cols < 30 || rows < 3) << all;
            EXPECT_TRUE((rows + cols) % 2 == 0 || std::all_of(all.begin(), all.end(), [](unsigned char c) { return c < 0x80; }));
        }
}
