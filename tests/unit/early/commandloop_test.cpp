// The earlier engine's command loop: words, numbers and the fields the commands set.
#include "commandloop.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "early_test_support.h"
#include "position.h"

using namespace early;

namespace {

// A stream reading text, as standard input would.
FILE* streamOf(const std::string& text) {
    FILE* in = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), in);
    std::rewind(in);
    return in;
}

std::string runLoop(const std::string& text) {
    FILE* in = streamOf(text);
    testing::internal::CaptureStdout();
    runProtocolLoop(in);
    std::fclose(in);
    return testing::internal::GetCapturedStdout();
}

class EarlyCommandLoop : public ::testing::Test {
  protected:
    void SetUp() override { constructGamePosition(); }
    void TearDown() override { constructGamePosition(); }
};

}  // namespace

TEST_F(EarlyCommandLoop, WordsAreCutToTheBufferAndEndAtEndOfInput) {
    const std::string longWord(3000, 'x');
    FILE* in = streamOf("  go\t\n" + longWord + "quit" + " \r\nnew" + std::string(1, '\0') + "x last");
    char word[8];
    ASSERT_TRUE(readWord(in, word, sizeof word));
    EXPECT_STREQ(word, "go");
    ASSERT_TRUE(readWord(in, word, sizeof word));
    EXPECT_STREQ(word, "xxxxxxx");  // the rest of the long word is skipped, quit with it
    ASSERT_TRUE(readWord(in, word, sizeof word));
    EXPECT_STREQ(word, "new");  // a zero byte ends the text of the word, not the word
    ASSERT_TRUE(readWord(in, word, sizeof word));
    EXPECT_STREQ(word, "last");
    EXPECT_FALSE(readWord(in, word, sizeof word));
    EXPECT_FALSE(readWord(in, word, sizeof word));
    std::fclose(in);
}

TEST_F(EarlyCommandLoop, MoveShapedWords) {
    for (const char* word : {"e2e4", "a1h8", "e7e8q", "e7e8Q", "h8a1xyz"}) EXPECT_TRUE(isMoveWord(word)) << word;
    for (const char* word : {"e2e", "e9e4", "i2i4", "E2E4", "e0e4", "e2i4", "4e2e", "", "go"})
        EXPECT_FALSE(isMoveWord(word)) << word;
}

TEST_F(EarlyCommandLoop, NumberWords) {
    struct Case {
        const char* word;
        bool integer;
        int32_t integerValue;
        bool seconds;
        int32_t ms;
    };
    const Case cases[] = {
        {"40", true, 40, true, 40000},      {"0:10", true, 0, true, 0},
        {"0.1", true, 0, true, 100},        {".5", false, 0, true, 500},
        {"12.3456", true, 12, true, 12345}, {"-7", true, -7, true, -7000},
        {"+3", true, 3, true, 3000},        {"99999999999999999999", true, MAX_CLOCK_MS, true, MAX_CLOCK_MS},
        {"-", false, 0, false, 0},          {".", false, 0, false, 0},
        {"go", false, 0, false, 0},         {"", false, 0, false, 0},
    };
    for (const Case& c : cases) {
        int32_t value = -1, ms = -1;
        EXPECT_EQ(parseInteger(c.word, value), c.integer) << c.word;
        if (c.integer) {
            EXPECT_EQ(value, c.integerValue) << c.word;
        }
        EXPECT_EQ(parseSecondsAsMs(c.word, ms), c.seconds) << c.word;
        if (c.seconds) {
            EXPECT_EQ(ms, c.ms) << c.word;
        }
    }
}

// What level and time leave in the clock fields, from the values after "new"
// (60000 ms, no control, no increment). A missing or malformed number keeps the field, and
// the word that was not a number is still read as a command.
TEST_F(EarlyCommandLoop, LevelAndTimeFields) {
    struct Case {
        const char* input;
        int32_t movesPerControl, increment, timeLeft, postThinking;
    };
    const Case cases[] = {
        {"level 40 5 0", 40, 0, 60000, 1},
        {"level 0 2 12", 0, 12000, 60000, 1},
        {"level\n40\n0:10\n0\n", 40, 0, 60000, 1},
        {"level 0 0:02 0.1", 0, 100, 60000, 1},
        {"level 40 1:30.5 2", 40, 2000, 60000, 1},
        {"time 6000", 0, 0, 60000, 1},
        {"time 1234", 0, 0, 12340, 1},
        {"time -250", 0, 0, -2500, 1},
        {"time 99999999999", 0, 0, MAX_CLOCK_MS, 1},
        {"level 40", 40, 0, 60000, 1},
        {"level 40 0:10", 40, 0, 60000, 1},
        {"level 40 0:10 nopost", 40, 0, 60000, 0},
        {"level nopost 3 4", 0, 0, 60000, 0},
        {"level -5 0 1", 0, 1000, 60000, 1},
        {"time nopost", 0, 0, 60000, 0},
        {"time", 0, 0, 60000, 1},
        {"time 500 time x", 0, 0, 5000, 1},
        {"level 30 2 3 new", 0, 0, 60000, 1},
        {"nopost new", 0, 0, 60000, 1},
        {"new nopost time 700", 0, 0, 7000, 0},
        {"nopost post", 0, 0, 60000, 1},
        {"time 100 quit time 200", 0, 0, 1000, 1},
    };
    for (const Case& c : cases) {
        constructGamePosition();
        EXPECT_EQ(runLoop(c.input), "") << c.input;
        EXPECT_EQ(gamePosition.movesPerControl, c.movesPerControl) << c.input;
        EXPECT_EQ(gamePosition.increment, c.increment) << c.input;
        EXPECT_EQ(gamePosition.timeLeft, c.timeLeft) << c.input;
        EXPECT_EQ(gamePosition.postThinking, c.postThinking) << c.input;
    }
}

TEST_F(EarlyCommandLoop, ProtoverAndMoves) {
    EXPECT_EQ(runLoop("protover 2"), "feature done=1\n");
    // A move word in a number's place is still played.
    EXPECT_EQ(runLoop("time e2e4 level 1 2 nopost"), "");
    EXPECT_EQ(gamePosition.movesMadeWhite, 1);
    EXPECT_EQ(gamePosition.sideToMove, 1);
    EXPECT_EQ(gamePosition.timeLeft, 60000);
    EXPECT_EQ(gamePosition.movesPerControl, 1);
    EXPECT_EQ(gamePosition.postThinking, 0);
    EXPECT_EQ(runLoop("new Go GO quit go"), "");
    EXPECT_EQ(gamePosition.movesMadeWhite, 0);
}

TEST_F(EarlyCommandLoop, FirstWordIsDropped) {
    for (const char* text : {"e2e4 quit", "xboard", "  \n xyz"}) {
        FILE* in = streamOf(text);
        EXPECT_TRUE(discardFirstWord(in)) << text;
        char word[16];
        const bool more = readWord(in, word, sizeof word);
        EXPECT_EQ(more, std::string(text) == "e2e4 quit") << text;
        std::fclose(in);
    }
    FILE* in = streamOf(std::string(500, 'a') + " quit");
    EXPECT_TRUE(discardFirstWord(in));
    char word[16];
    ASSERT_TRUE(readWord(in, word, sizeof word));
    EXPECT_STREQ(word, "quit");
    std::fclose(in);
    FILE* empty = streamOf("");
    EXPECT_FALSE(discardFirstWord(empty));
    std::fclose(empty);
}
