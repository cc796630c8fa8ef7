// The message buffer and what putmes shows of it.

#include "core/message.h"

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
