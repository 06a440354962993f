#include <climits>
#include <functional>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "book.h"
#include "clock.h"
#include "makemove.h"
#include "search.h"
#include "search_test_support.h"
#include "think.h"

namespace {

TEST(Think, TimeBudget) {
    struct Case {
        int32_t timeLeft, movesPerControl, movesPlayed;
        int32_t perMove;
    } cases[] = {
        {30000, 0, 17, 2490},   // 12 moves to go
        {30000, 40, 39, 29990},  // the last move of the control: the time left less the margin
        {30000, 40, 40, 740},    // a new control of 40 moves
        {30000, 40, 0, 740},
        {0, 0, 0, -10},
        {-500, 0, 0, -510},           // -51 would exceed the time left
        {INT_MIN, -1, 0, 2147483638},  // wraps as 32-bit arithmetic does, without a trap
    };
    for (const Case& c : cases)
        EXPECT_EQ(moveTimeBudget(c.timeLeft, c.movesPerControl, c.movesPlayed), c.perMove)
            << c.timeLeft << " " << c.movesPerControl << " " << c.movesPlayed;

    // 2490 gives the deadline 2480 after the start: no further depth once 992 have passed.
    const int32_t start = 1000;
    EXPECT_FALSE(iterationBudgetSpent(992, start, start + 2490 - TIME_MARGIN));
    EXPECT_TRUE(iterationBudgetSpent(993, start, start + 2490 - TIME_MARGIN));
}

std::string capture(const std::function<void(FILE*)>& write) {
    char* text = nullptr;
    size_t size = 0;
    FILE* f = open_memstream(&text, &size);
    write(f);
    std::fclose(f);
    std::string s(text, size);
    std::free(text);
    return s;
}

// Depth in 2 columns, score in 8, time in 6 (masked here), nodes in 12 and a space, then the
// numbered line with a space after each move.
TEST(Think, ThinkingLine) {
    struct Case {
        const char* fen;
        std::vector<const char*> gameMoves;
        std::vector<const char*> line;
        int depth, score;
        uint64_t nodes;
        const char* expected;
    } cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", {}, {"e2e4", "e7e5"}, 5, 37, 123456,
         " 5      37######      123456 1. e4 e5 \n"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", {"e2e4"}, {"e7e5", "g1f3"}, 12, -250,
         12345678901ULL, "12    -250###### 12345678901 1. ... e5 2. Nf3 \n"},
    };
    for (const Case& c : cases) {
        auto p = searchPosition(c.fen, false);
        for (const char* m : c.gameMoves) {
            makeMoveWhite(*p, legalMoveFromText(*p, m));
            ++p->whiteMovesPlayed;
        }
        std::vector<Move> line;
        {
            std::vector<Move> made;
            for (const char* m : c.line) {
                const Move move = legalMoveFromText(*p, m);
                line.push_back(move);
                if (p->sideToMove == White) makeMoveWhite(*p, move);
                else makeMoveBlack(*p, move);
                made.push_back(move);
            }
            for (size_t i = made.size(); i-- > 0;)
                if (p->sideToMove == White) unmakeMoveBlack(*p, made[i]);
                else unmakeMoveWhite(*p, made[i]);
        }
        line.push_back(0);
        p->quiescenceNodes = c.nodes - 3;
        p->pvNodes = 1;
        p->zeroWindowNodes = 2;
        std::string text = capture([&](FILE* f) { printSearchInfo(c.depth, *p, f, c.score, line.data()); });
        ASSERT_GE(text.size(), 16u);
        text.replace(10, 6, "######");
        EXPECT_EQ(text, c.expected);
    }
}

struct ThinkResult {
    Move move;
    std::string output;
};

ThinkResult thinkCapturingOutput(Position& p) {
    testing::internal::CaptureStdout();
    const Move move = think(p);
    return {move, testing::internal::GetCapturedStdout()};
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) result.push_back(l);
    return result;
}

// A clock that moves one centisecond at every reading: how far a timed search gets then
// depends on the readings it makes, never on the machine's speed or load.
struct SteppedClock {
    static inline int64_t now = 0;
    int64_t (*savedCounter)() = clockCounter;
    uint64_t savedFrequency = clockFrequency;
    int64_t savedOrigin = clockOrigin;
    SteppedClock() {
        clockCounter = [] { return now++; };
        clockOrigin = 0;
        clockFrequency = 100;
    }
    ~SteppedClock() {
        clockCounter = savedCounter;
        clockFrequency = savedFrequency;
        clockOrigin = savedOrigin;
    }
};

// A short budget: the deepening runs until 0.4 of it has passed and keeps going after a mate.
TEST(Think, DeepensUntilTheBudgetIsSpent) {
    struct Case {
        const char* fen;
        const char* move;
        Score score;
    } cases[] = {
        {"6k1/5ppp/8/8/8/8/5PPP/R5K1 w - -", "a1a8", 15899},
        {"r5k1/5ppp/8/8/8/8/5PPP/6K1 b - -", "a8a1", 101},
    };
    for (const Case& c : cases) {
        auto p = searchPosition(c.fen);
        p->timeLeft = 600;  // 40 per move, deadline 30 after the start
        const SteppedClock clock;
        const int32_t start = nowCentiseconds();
        const ThinkResult r = thinkCapturingOutput(*p);
        EXPECT_EQ(moveCoordinates(r.move), c.move) << c.fen;
        EXPECT_EQ(p->currentPly->bestMove, r.move);
        EXPECT_EQ(p->currentPly->bestScore, c.score);
        EXPECT_EQ(p->searchStart, start + 1);
        EXPECT_EQ(p->searchDeadline - p->searchStart, 30);
        const std::vector<std::string> printed = lines(r.output);
        ASSERT_GE(printed.size(), 2u) << r.output;
        for (size_t i = 0; i < printed.size(); ++i) {
            EXPECT_EQ(std::atoi(printed[i].substr(0, 2).c_str()), static_cast<int>(i + 1));
            EXPECT_EQ(std::atoi(printed[i].substr(2, 8).c_str()), c.score - SCORE_DRAW);
            EXPECT_EQ(printed[i].back(), ' ');
            // The elapsed time that decides on the next depth is read just after the line's
            // own: only the last depth's passes 12, 0.4 of the 30.
            const int elapsed = std::atoi(printed[i].substr(10, 6).c_str()) + 1;
            if (i + 1 < printed.size()) EXPECT_LE(elapsed, 12) << printed[i];
            else EXPECT_GT(elapsed, 12) << printed[i];
        }
        // Black's root leaves its line in the table, as moves without a score; White's does not.
        const TtEntry& root = ttEntryFor<White>(p->currentPly->positionKey);
        const TtEntry& rootBlack = ttEntryFor<Black>(p->currentPly->positionKey);
        if (p->sideToMove == White) {
            EXPECT_NE(root.depth, TT_LINE_DEPTH);
        } else {
            EXPECT_EQ(rootBlack.depth, TT_LINE_DEPTH);
            EXPECT_EQ(rootBlack.bound, BOUND_NONE);
            EXPECT_EQ(rootBlack.move, r.move);
        }
    }
}

// With the deadline already passed when the search starts, depth 1 is stopped at the first
// poll and counts for nothing; a book move is played before any search. Neither prints.
TEST(Think, BookMoveOrNoFinishedDepth) {
    struct Case {
        const char* what;
        int bookIndex;  // -1: no book
        const char* move;
    } cases[] = {
        {"no book", -1, "none"},
        {"book move at index 0", 0, "a2a4"},
        {"book index past the legal moves", 200, "none"},
    };
    for (const Case& c : cases) {
        auto p = searchPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
        p->timeLeft = 0;
        BookEntry entry = bookKey(*p) | static_cast<BookEntry>(c.bookIndex);
        const OpeningBook saved = openingBook;
        if (c.bookIndex >= 0) openingBook = OpeningBook{1, 0, &entry, nullptr};
        p->currentPly->bestMove = 12345;
        const ThinkResult r = thinkCapturingOutput(*p);
        openingBook = saved;
        EXPECT_EQ(moveCoordinates(r.move), c.move) << c.what;
        EXPECT_EQ(r.output, "") << c.what;
        if (c.bookIndex == 0) {
            EXPECT_EQ(p->quiescenceNodes + p->pvNodes + p->zeroWindowNodes, 0u);
        } else {
            EXPECT_EQ(p->stopSearch, 1) << c.what;
            EXPECT_EQ(p->currentPly->bestMove, 0) << c.what;
            EXPECT_EQ(p->currentPly->bestScore, SCORE_DRAW) << c.what;
        }
    }
}

// On the last slot of the ply stack no move can be tried: nothing is chosen, nothing printed.
TEST(Think, NothingToSearchOnTheLastSlot) {
    auto p = searchPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    p->plyStack[MAX_PLIES - 1] = p->plyStack[0];
    p->currentPly = &p->plyStack[MAX_PLIES - 1];
    p->nextPly = p->currentPly + 1;
    const ThinkResult r = thinkCapturingOutput(*p);
    EXPECT_EQ(r.move, 0);
    EXPECT_EQ(r.output, "");
    EXPECT_EQ(p->currentPly, &p->plyStack[MAX_PLIES - 1]);
}

TEST(Think, SideToMoveChoosesTheRoot) {
    auto p = searchPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    p->sideToMove = 2;
    EXPECT_EQ(think(*p), 0);
}

}  // namespace
