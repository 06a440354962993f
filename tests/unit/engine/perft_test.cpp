// Perft counting rules and the suite runner's rows.
#include <cstdio>
#include <regex>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include "movegen_test_support.h"
#include "perft.h"

namespace {

const char* START = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";

uint64_t plain(Position& p, int depth) { return p.sideToMove == 0 ? perftWhite(p, depth) : perftBlack(p, depth); }
uint64_t bulk(Position& p, int depth) {
    return p.sideToMove == 0 ? perftBulkWhite(p, depth) : perftBulkBlack(p, depth);
}

TEST(Perft, PlainAndBulkAgreeAndShallowDepthsCountOnePly) {
    struct Case {
        const char* fen;
        uint64_t byDepth[4];  // depths 1 to 4
    } cases[] = {
        {START, {20, 400, 8902, 197281}},
        {"r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ -", {6, 264, 9467, 422333}},
    };
    for (const Case& c : cases) {
        auto p = positionFromFen(c.fen);
        for (int depth = 1; depth <= 4; ++depth) {
            EXPECT_EQ(plain(*p, depth), c.byDepth[depth - 1]) << c.fen << " depth " << depth;
            EXPECT_EQ(bulk(*p, depth), c.byDepth[depth - 1]) << c.fen << " depth " << depth;
        }
        // Depths below 1 count like depth 1 in both methods, so bulk perft never recurses without end.
        for (int depth : {0, -1, -1000}) {
            EXPECT_EQ(plain(*p, depth), c.byDepth[0]) << c.fen << " depth " << depth;
            EXPECT_EQ(bulk(*p, depth), c.byDepth[0]) << c.fen << " depth " << depth;
        }
    }
}

// Runs f with standard input reading `text` from a pipe.
template <typename F> void withStandardInput(const char* text, F f) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ASSERT_EQ(write(fds[1], text, std::char_traits<char>::length(text)), static_cast<ssize_t>(std::char_traits<char>::length(text)));
    close(fds[1]);
    const int saved = dup(STDIN_FILENO);
    dup2(fds[0], STDIN_FILENO);
    close(fds[0]);
    std::clearerr(stdin);
    f();
    dup2(saved, STDIN_FILENO);
    close(saved);
    std::clearerr(stdin);
}

TEST(Perft, PositionWithoutBothKingsCountsZeroWithoutGenerating) {
    auto noBlackKing = positionFromFen("8/8/8/8/8/8/8/K7 w - -");
    withStandardInput("xy", [&] {
        testing::internal::CaptureStdout();
        EXPECT_EQ(perftWhite(*noBlackKing, 3), 0u);
        EXPECT_FALSE(testing::internal::GetCapturedStdout().empty());  // the dump
        EXPECT_EQ(std::getchar(), 'y');  // the plain count waited for exactly one character
    });
    EXPECT_EQ(perftBulkWhite(*noBlackKing, 3), 0u);
    auto noWhiteKing = positionFromFen("k7/8/8/8/8/8/8/8 b - -");
    EXPECT_EQ(perftBlack(*noWhiteKing, 3), 0u);
    EXPECT_EQ(perftBulkBlack(*noWhiteKing, 3), 0u);
    auto twoKings = positionFromFen("k7/8/8/8/8/8/8/K6K b - -");
    EXPECT_EQ(perftBlack(*twoKings, 2), 0u);
}

TEST(Perft, MaterialNoGameCanReachIsNotCounted) {
    // Forty queens would have far more moves than a move list holds.
    auto p = positionFromFen("k7/8/QQQQQQQQ/QQQQQQQQ/QQQQQQQQ/QQQQQQQQ/QQQQQQQQ/7K w - -");
    EXPECT_EQ(perftWhite(*p, 1), 0u);
    EXPECT_EQ(perftBulkWhite(*p, 1), 0u);
    // Seven queens and no pawn: promotions could give that, so it is counted.
    auto q = positionFromFen("k7/8/8/8/8/8/8/QQQQQQQK w - -");
    EXPECT_GT(perftWhite(*q, 1), 0u);
}

std::string runSuiteText(const std::string& suite, int mode) {
    ensureTablesBuilt();
    FILE* input = std::tmpfile();
    FILE* output = std::tmpfile();
    std::fputs(suite.c_str(), input);
    std::rewind(input);
    runPerftSuite(output, input, mode);
    std::rewind(output);
    std::string text;
    for (int c; (c = std::fgetc(output)) != EOF;) text.push_back(static_cast<char>(c));
    std::fclose(input);
    std::fclose(output);
    // Timings vary: each minutes:seconds.centiseconds field reads as zero.
    return std::regex_replace(text, std::regex("[0-9]+:[0-9][0-9]\\.[0-9][0-9]"), "0:00.00");
}

TEST(PerftSuiteRunner, RowsKeepTheirExactFormat) {
    const std::string suite =
        "3\n"
        "start rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 2 400\n"
        "wrong-count 8/8/8/8/8/8/8/K6k w - -\n1 5\n"
        "a-name-longer-than-twenty-letters 8/8/8/8/8/8/8/K6k b - - 1 3\n";
    EXPECT_EQ(runSuiteText(suite, 0),
              " start                             400              400  1/1    1/1    100.0%    0:00.00    0:00.00\n"
              " wrong-count                         5                3  0/1    1/2     50.0%    0:00.00    0:00.00\n"
              " a-name-longer-than-twenty-letters                3                3  1/1    2/3     66.6%    0:00.00"
              "    0:00.00\n");
    EXPECT_EQ(runSuiteText(suite, 1), runSuiteText(suite, 0));
}

TEST(PerftSuiteRunner, EdgeCasesOfTheSuiteFile) {
    struct Case {
        const char* what;
        const char* suite;
        int mode;
        const char* rows;
    } cases[] = {
        {"no tests", "0\n", 0, ""},
        {"no count at all", "", 0, ""},
        {"unknown mode counts 0", "1\nt 8/8/8/8/8/8/8/K6k w - - 1 3\n", 2,
         " t                                   3                0  0/1    0/1      0.0%    0:00.00    0:00.00\n"},
        {"suite ends before its announced count", "5\nt 8/8/8/8/8/8/8/K6k w - - 1 3\n", 0,
         " t                                   3                3  1/1    1/1    100.0%    0:00.00    0:00.00\n"},
        {"missing depth and count read as 0", "1\nt 8/8/8/8/8/8/8/K6k w - -", 0,
         " t                                   0                3  0/1    0/1      0.0%    0:00.00    0:00.00\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(runSuiteText(c.suite, c.mode), c.rows) << c.what;
}

}  // namespace
