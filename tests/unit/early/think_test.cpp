// The clock, the thinking line, the roots and the think driver.
#include "think.h"

#include <gtest/gtest.h>

#include <string>

#include "clock.h"
#include "root.h"
#include "search_test_support.h"
#include "thinking.h"
#include "zobrist.h"

using namespace early;
using early_test::findMove;
using early_test::moveText;
using early_test::printed;
using early_test::printedOnStdout;
using early_test::searchPosition;

namespace {

class EarlyRoot : public ::testing::Test {
  protected:
    void SetUp() override { early_test::clearSearchTables(); }
};

int lineCount(const std::string& text) {
    int n = 0;
    for (char c : text) n += c == '\n';
    return n;
}

}  // namespace

TEST(EarlyClock, DeadlinesHoldAcrossTheWrapOfTheMillisecondCount) {
    struct Case {
        int32_t now, deadline;
        bool reached;
    };
    const Case cases[] = {
        {1000, 1000, true},          {999, 1000, false},        {1001, 1000, true},
        {INT32_MIN + 5, INT32_MAX - 5, true},                    // 11 ms past, across the wrap
        {INT32_MAX - 5, INT32_MIN + 5, false},                   // 11 ms before, across the wrap
        {-3, 2, false},
    };
    for (const Case& c : cases) EXPECT_EQ(clockReached(c.now, c.deadline), c.reached) << c.now << " " << c.deadline;
    const int32_t start = currentTimeMs();
    const int32_t elapsed = elapsedMs(start);
    EXPECT_GE(elapsed, 0);
    EXPECT_LT(elapsed, 1000);
}

TEST(EarlyThinkingLine, ExactFormatAndScoreSign) {
    Position& pos = searchPosition(START_POSITION_FEN);
    pos.postThinking = 1;
    pos.bestDepth = 5;
    pos.bestScore = 23;
    pos.bestTime = 1234;
    pos.bestNodes = 45678;
    pos.bestMove = findMove(pos, "e2e4");
    pos.rootSide = 0;
    EXPECT_EQ(printed([&](FILE* f) { printThinkingLine(pos, f); }), "5\t23\t123\t45678\t e2e4\n");
    pos.rootSide = 1;
    pos.bestScore = -120;
    pos.bestMove = encodeMove(9, 1, KIND_PROMOTION + KIND_BLACK, 0, BLACK_KNIGHT);  // b2b1, knight
    EXPECT_EQ(printed([&](FILE* f) { printThinkingLine(pos, f); }), "5\t120\t123\t45678\t b2b1N\n");
    EXPECT_EQ(printed([&](FILE* f) { printMoveText(encodeMove(52, 60, KIND_PROMOTION, 0, WHITE_QUEEN), f); }),
              " e7e8Q");
    pos.postThinking = 0;
    EXPECT_EQ(printed([&](FILE* f) { printThinkingLine(pos, f); }), "");
}

TEST(EarlyThink, BudgetArithmetic) {
    struct Case {
        int32_t timeLeft, movesPerControl, increment, movesMade;
        int32_t movesLeft, budget;
    };
    const Case cases[] = {
        {60000, 0, 0, 0, 20, 3000},       // after "new"
        {9000, 0, 0, 0, 20, 450},
        {30000, 40, 0, 0, 40, 750},
        {30000, 40, 2000, 39, 1, 30000},  // the last move of the control gets all that is on the clock
        {30000, 40, 0, 40, 40, 750},      // a new control
        {10000, 0, 2000, 0, 20, 2500},
        {1000, 3, 12000, 7, 2, 1000},   // an increment larger than the clock: never past the flag
        {1000, 0, 5000, 0, 20, 1000},
        {-50, 0, 3000, 0, 20, -50},
        {INT32_MIN, -1, 0, 0, -1, -MAX_BUDGET},  // no overflow, no trap, bounded
    };
    for (const Case& c : cases) {
        Position& pos = searchPosition("4k3/8/8/8/8/8/8/4K2R b - -");
        pos.timeLeft = c.timeLeft;
        pos.movesPerControl = c.movesPerControl;
        pos.increment = c.increment;
        pos.movesMadeBlack = c.movesMade;
        pos.movesMadeWhite = c.movesMade + 1;
        EXPECT_EQ(movesLeftInControl(pos), c.movesLeft) << c.timeLeft << " " << c.movesMade;
        EXPECT_EQ(timeBudgetMs(pos), c.budget) << c.timeLeft << " " << c.movesMade;
    }
}

TEST_F(EarlyRoot, FullWindowPrintsEveryNewBestAndStoresTheExactResult) {
    Position& pos = searchPosition("r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq -");
    pos.postThinking = 1;
    int32_t v = 0;
    const std::string out =
        printedOnStdout([&] { v = searchRootWhite(pos, -SCORE_INFINITY, SCORE_INFINITY, 2); });
    EXPECT_GE(lineCount(out), 1);
    EXPECT_EQ(out.rfind("2\t", 0), 0u);  // the first root move always becomes a new best
    EXPECT_EQ(pos.bestScore, v);
    EXPECT_EQ(pos.bestDepth, 2);
    EXPECT_NE(out.find(" " + moveText(pos.bestMove) + "\n"), std::string::npos);
    const uint64_t key = probeKey(pos);
    const TtEntry& e = ttWhite[keyLow(key) & TT_INDEX_MASK];
    EXPECT_EQ(e.check, keyHigh(key));
    EXPECT_EQ(e.move, pos.bestMove);
    EXPECT_EQ(e.score, v);
    EXPECT_EQ(e.bound, BOUND_EXACT);
    EXPECT_EQ(e.depth, 2);
}

TEST_F(EarlyRoot, OutsideTheWindowNothingIsRecordedPrintedOrStored) {
    for (const char* fen : {"r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq -",
                            "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R b KQkq -"}) {
        Position& pos = searchPosition(fen);
        pos.postThinking = 1;
        const bool white = pos.sideToMove == 0;
        // A window far on the side the root improves: the first move cuts at once.
        const int32_t alpha = white ? -5000 : 4000, beta = white ? -4000 : 5000;
        int32_t v = 0;
        const std::string out = printedOnStdout(
            [&] { v = white ? searchRootWhite(pos, alpha, beta, 2) : searchRootBlack(pos, alpha, beta, 2); });
        EXPECT_EQ(out, "") << fen;
        EXPECT_TRUE(white ? v >= beta : v <= alpha) << fen;
        EXPECT_EQ(pos.bestMove, 0u) << fen;
        const uint64_t key = probeKey(pos);
        EXPECT_EQ((white ? ttWhite : ttBlack)[keyLow(key) & TT_INDEX_MASK].check, 0u) << fen;
        for (int32_t value : (white ? historyWhite : historyBlack)[0]) ASSERT_EQ(value, 0) << fen;
    }
}

TEST_F(EarlyRoot, TheTableGivesTheRootItsMoveButNeverItsScore) {
    Position& pos = searchPosition("r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq -");
    const Move hashMove = findMove(pos, "h2h3");
    storeHash<White>(pos.searchId, 9, probeKey(pos), hashMove, 5555, BOUND_EXACT);
    pos.postThinking = 1;
    int32_t v = 0;
    const std::string out =
        printedOnStdout([&] { v = searchRootWhite(pos, -SCORE_INFINITY, SCORE_INFINITY, 1); });
    EXPECT_NE(v, 5555);
    EXPECT_EQ(out.substr(0, out.find('\n') + 1).substr(out.find(" h2h3")), " h2h3\n");
}

TEST_F(EarlyRoot, MatesAreFoundForBothSides) {
    struct Case {
        const char* fen;
        const char* move;
        int32_t score;
    };
    const Case cases[] = {
        {"6k1/5ppp/8/8/8/8/8/R5K1 w - -", "a1a8", MATE_SCORE},  // mate in one: Black has not moved yet
        {"r5k1/8/8/8/8/8/5PPP/6K1 b - -", "a8a1", -MATE_SCORE},
        {"kbK5/pp6/1P6/8/8/8/8/R7 w - -", "a1a6", MATE_SCORE - 1},  // mate in two
        {"r7/8/8/8/8/1p6/PP6/KBk5 b - -", "a8a3", -(MATE_SCORE - 1)},
    };
    for (const Case& c : cases) {
        Position& pos = searchPosition(c.fen);
        const Move m = searchToDepth(pos, 8);
        EXPECT_EQ(moveText(m), c.move) << c.fen;
        EXPECT_EQ(pos.bestScore, c.score) << c.fen;
        EXPECT_LE(pos.bestDepth, 4) << c.fen;  // deepening ends once a mate is found
    }
}

// A budget the margin swallows lets no iteration finish: the first one is run again to
// its end with no deadline and its best move played.
TEST_F(EarlyRoot, ATooSmallBudgetStillGivesTheFirstIterationsMove) {
    Position& pos = searchPosition(START_POSITION_FEN);
    pos.postThinking = 1;
    pos.timeLeft = 9000;  // 450 ms: the deadline lies before the start
    pos.searchId = 4;
    Move m = 0;
    const std::string out = printedOnStdout([&] { m = think(); });
    EXPECT_NE(findMove(pos, moveText(m)), 0u);
    EXPECT_EQ(m, pos.bestMove);
    EXPECT_EQ(pos.bestDepth, 0);
    EXPECT_EQ(pos.stopSearch, 0);
    EXPECT_EQ(pos.searchId, 5);
    EXPECT_EQ(pos.currentState, pos.stateStack);
    ASSERT_GE(lineCount(out), 1);
    EXPECT_EQ(out.rfind("0\t", 0), 0u);
    EXPECT_EQ(out.find("\n1\t"), std::string::npos);  // no deeper iteration
    EXPECT_NE(out.find(" " + moveText(m) + "\n"), std::string::npos);

    // The same move as a depth-0 search given all the time it wants.
    early_test::clearSearchTables();
    EXPECT_EQ(searchToDepth(pos, 0), m);

    pos.timeLeft = 60000;
    pos.stopSearch = 0;
    const std::string played = printedOnStdout([&] { m = think(); });
    EXPECT_NE(findMove(pos, moveText(m)), 0u);
    EXPECT_GE(lineCount(played), 1);
}

TEST_F(EarlyRoot, ThinkStopsAtAMateAndNeedsAMoveAndARecord) {
    Position& pos = searchPosition("6k1/5ppp/8/8/8/8/8/R5K1 w - -");
    EXPECT_EQ(moveText(think()), "a1a8");
    EXPECT_EQ(pos.bestScore, MATE_SCORE);

    Position& mated = searchPosition("6k1/8/8/8/8/8/5PPP/3r2K1 w - -");
    EXPECT_EQ(think(), 0u);
    EXPECT_EQ(mated.currentState, mated.stateStack);

    Position& full = searchPosition(START_POSITION_FEN);
    full.stateStack[STATE_STACK_SIZE - 1] = *full.currentState;
    full.currentState = &full.stateStack[STATE_STACK_SIZE - 1];
    full.nextState = full.currentState + 1;
    EXPECT_EQ(think(), 0u);
    EXPECT_TRUE(positionConsistent(full));
}
