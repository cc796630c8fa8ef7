// The message buffer and what putmes shows of it.

#include "core/message.h"
#include "core/msglog.h"

#include <cstring>

#include "testkit.h"

class Messages : public GameTest {};

TEST_F(Messages, PutmesShowsTheLastEightLines)
{
    for (int i = 1; i <= 10; i++) addmes("\nline%d", i);
    putmes();
    EXPECT_EQ(screen(), "\nline3\nline4\nline5\nline6\nline7\nline8\nline9\nline10");
}

TEST_F(Messages, PutmesShowsEverythingWhenShort)
{
    addmes("\n腹が減ってきた");
    appendmes("あなたは杖をうまく使えなかった");
    putmes();
    EXPECT_EQ(screen(), "\n腹が減ってきたあなたは杖をうまく使えなかった");
}

TEST_F(Messages, AFullBufferDropsTheOldestWholeLines)
{
    for (int i = 0; i < 400; i++) addmes("\n%d番目のメッセージ", i);
    size_t len = std::strlen(message);
    EXPECT_LT(len, sizeof message);
    EXPECT_EQ(message[0], '\n') << "the buffer starts at a line";
    EXPECT_NE(std::strstr(message, "\n399番目のメッセージ"), nullptr);
    EXPECT_EQ(std::strstr(message, "\n0番目"), nullptr);
}

TEST_F(Messages, ALongLineIsCutAtACharacterBoundary)
{
    std::string name(300, 'x');
    std::string kana;
    for (int i = 0; i < 100; i++) kana += "あ";
    addmes("\n%s", kana.c_str());
    size_t n = std::strlen(buf);
    EXPECT_LT(n, sizeof buf);
    EXPECT_EQ((n - 1) % 3, 0u) << "only whole three-byte characters are kept";
}

TEST_F(Messages, TheLogKeepsTheLast500LinesWithTheirTime)
{
    for (int i = 1; i <= LOGSIZE + 1; i++) {
        hour = i / 60, min = i % 60 * 100;  // each line a minute of its own
        addmes("\nline%d", i);
    }
    ASSERT_EQ(loglines(), LOGSIZE);
    EXPECT_STREQ(logat(0).text, "line2") << "the oldest line made way";
    EXPECT_EQ(logat(0).min, 200);
    EXPECT_STREQ(logat(LOGSIZE - 1).text, "line501");
    EXPECT_EQ(logat(LOGSIZE - 1).hour, 8);

    // lines are parted at the breaks; one said again at the same moment counts up
    addmes("\nA\tB\nC");
    appendmes("\nC");
    appendmes("あなたは杖をうまく使えなかった");
    const int n = loglines();
    EXPECT_STREQ(logat(n - 3).text, "A B");
    EXPECT_STREQ(logat(n - 2).text, "C");
    EXPECT_EQ(logat(n - 2).repeats, 2);
    EXPECT_STREQ(logat(n - 1).text, "あなたは杖をうまく使えなかった");
}

TEST_F(Messages, TheLogScreenOpensAtTheNewestAndPagesBack)
{
    month = 2, day = 4, hour = 7, min = 905;
    for (int i = 1; i <= 30; i++) addmes("\nline%d", i);
    std::string kana;
    for (int i = 0; i < 40; i++) kana += "あ";
    addmes("\n%s", kana.c_str());  // wider than a row: carried on to a second
    keys("H" "I" "\x1b");          // up a row, up a page, leave
    showlog();
    EXPECT_TRUE(console.done());
    ASSERT_EQ(console.screens.size(), 4u);
    auto row = [&](int s, int r) {
        std::string text = console.screens[s];
        for (int i = 0; i < r + 2; i++) text.erase(0, text.find('\n') + 1);  // heading, blank
        return text.substr(0, text.find('\n'));
    };
    EXPECT_EQ(row(1, 0), "0年3月5日 7:09     line11");
    EXPECT_EQ(row(1, 20), "0年3月5日 7:09     " + kana.substr(0, 90));
    EXPECT_EQ(row(1, 21), std::string(19, ' ') + kana.substr(90));
    EXPECT_EQ(row(2, 0), "0年3月5日 7:09     line10");
    EXPECT_EQ(row(3, 0), "0年3月5日 7:09     line1");
    EXPECT_NE(console.screens[1].find("[ESC・q]戻る (11-32/32行)"), std::string::npos);
}
