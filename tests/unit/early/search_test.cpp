// The interior nodes on small fixtures: early returns, table answers, futility, mates and
// the end of the state stack.
#include "search.h"

#include <gtest/gtest.h>

#include "clock.h"
#include "evaluate.h"
#include "makemove.h"
#include "search_test_support.h"
#include "zobrist.h"

using namespace early;
using early_test::findMove;
using early_test::searchPosition;

namespace {

int32_t searchOf(Position& pos, int32_t alpha, int32_t beta, int32_t depth, bool afterNull = false) {
    return pos.sideToMove == 0 ? searchWhite(pos, alpha, beta, depth, afterNull)
                               : searchBlack(pos, alpha, beta, depth, afterNull);
}

void play(Position& pos, std::initializer_list<const char*> moves) {
    for (const char* text : moves) ASSERT_TRUE(makeMove(pos, findMove(pos, text))) << text;
}

const TtEntry& entryOf(const Position& pos) {
    const uint64_t key = probeKey(pos);
    return (pos.sideToMove == 0 ? ttWhite : ttBlack)[keyLow(key) & TT_INDEX_MASK];
}

constexpr char MIDDLE_GAME[] = "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq -";
constexpr char MIDDLE_GAME_BLACK[] = "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R b KQkq -";

class EarlySearch : public ::testing::Test {
  protected:
    void SetUp() override { early_test::clearSearchTables(); }
};

}  // namespace

TEST_F(EarlySearch, NodesThatReturnBeforeCountingThemselves) {
    Position& pos = searchPosition(MIDDLE_GAME);
    pos.movesMadeWhite = MAX_SIDE_MOVES + 1;
    EXPECT_EQ(searchWhite(pos, -100, 100, 3, false), 0);
    EXPECT_EQ(pos.nodes, 1);

    // The clock is read on multiples of 2048 nodes; a White node that finds the deadline
    // passed reports the stop value, a Black node 0.
    for (const char* fen : {MIDDLE_GAME, MIDDLE_GAME_BLACK}) {
        Position& late = searchPosition(fen);
        late.searchDeadline = currentTimeMs() - 1;
        late.nodes = 2048;
        EXPECT_EQ(searchOf(late, -100, 100, 3), late.sideToMove == 0 ? STOP_SCORE : 0) << fen;
        EXPECT_EQ(late.stopSearch, 1) << fen;
        EXPECT_EQ(late.nodes, 2048) << fen;
    }
    Position& offPoll = searchPosition(MIDDLE_GAME);
    offPoll.searchDeadline = currentTimeMs() - 1;
    offPoll.nodes = 2049;
    searchWhite(offPoll, -100, 100, 1, false);
    EXPECT_EQ(offPoll.stopSearch, 0);

    Position& stopped = searchPosition(MIDDLE_GAME_BLACK);
    stopped.stopSearch = 1;
    EXPECT_EQ(searchBlack(stopped, -100, 100, 3, false), STOP_SCORE);  // Black tests the flag on entry
}

TEST_F(EarlySearch, DrawsScoreZeroAtOnce) {
    Position& pos = searchPosition(START_POSITION_FEN);
    play(pos, {"g1f3", "g8f6", "f3g1", "f6g8"});
    EXPECT_EQ(searchWhite(pos, -100, 100, 2, false), 0);
    EXPECT_EQ(pos.nodes, 1);
    searchWhite(pos, -100, 100, 2, true);  // reached by a null move: no repetition test
    EXPECT_GT(pos.nodes, 1);
    play(pos, {"b1c3"});
    EXPECT_FALSE(isNodeDraw(pos, false));  // the start position is three records back: odd distance

    Position& clock = searchPosition(MIDDLE_GAME);
    clock.currentState->halfmoveClock = 100;
    EXPECT_EQ(searchWhite(clock, -100, 100, 2, false), 0);
    EXPECT_EQ(clock.nodes, 1);

    struct Case {
        const char* fen;
        bool drawn;
    };
    const Case material[] = {
        {"4k3/8/8/8/8/8/8/4K3 w - -", true},   {"4k3/8/8/8/8/8/8/3NK3 w - -", true},
        {"4kb2/8/8/8/8/8/8/4K3 w - -", true},  {"4k3/8/8/8/8/8/8/3RK3 w - -", false},
        {"4k3/8/8/8/8/8/4P3/3NK3 w - -", false}, {"4kn2/8/8/8/8/8/8/3NK3 w - -", false},
        {"4k3/8/8/8/8/8/8/2NNK3 w - -", false},
    };
    for (const Case& c : material) EXPECT_EQ(isNodeDraw(searchPosition(c.fen), false), c.drawn) << c.fen;
}

TEST_F(EarlySearch, TableEntriesAnswerDeepEnoughNodes) {
    Position& pos = searchPosition(MIDDLE_GAME);
    storeHash<White>(pos.searchId, 4, probeKey(pos), 0, 30, BOUND_NO_IMPROVEMENT);
    EXPECT_EQ(searchWhite(pos, 40, 60, 4, false), 40);
    EXPECT_EQ(pos.nodes, 2);
    searchWhite(pos, 20, 60, 4, false);  // the bound does not decide this window
    EXPECT_GT(pos.nodes, 2);

    Position& black = searchPosition(MIDDLE_GAME_BLACK);
    storeHash<Black>(black.searchId, 4, probeKey(black), 0, 30, BOUND_NO_IMPROVEMENT);
    EXPECT_EQ(searchBlack(black, 0, 25, 3, false), 25);
    storeHash<Black>(black.searchId + 1, 2, probeKey(black), 0, 30, BOUND_EXACT);
    EXPECT_NE(searchBlack(black, 0, 25, 3, false), 30);  // too shallow to give its score
}

TEST_F(EarlySearch, FutilityAtDepthOneOutsideThePrincipalVariation) {
    for (const char* fen : {MIDDLE_GAME, MIDDLE_GAME_BLACK}) {
        const bool white = fen == MIDDLE_GAME;
        Position& pos = searchPosition(fen);
        const int32_t s = materialBalance(pos);
        // White: a balance of exactly beta + 150 returns beta; Black: alpha - 150 returns alpha.
        const int32_t edge = white ? s - FUTILITY_MARGIN : s + FUTILITY_MARGIN;
        const int32_t result =
            white ? searchWhite(pos, edge - 1, edge, 1, false) : searchBlack(pos, edge, edge + 1, 1, false);
        EXPECT_EQ(result, edge) << fen;
        EXPECT_EQ(pos.nodes, 2) << fen;
        const int32_t inside = white ? edge + 1 : edge - 1;
        if (white)
            searchWhite(pos, inside - 1, inside, 1, false);
        else
            searchBlack(pos, inside, inside + 1, 1, false);
        EXPECT_GT(pos.nodes, 3) << fen;
    }
}

TEST_F(EarlySearch, MatesAndStalemateAreScoredAndStored) {
    struct Case {
        const char* fen;
        int32_t expected;
    };
    const Case cases[] = {
        {"6k1/8/8/8/8/8/5PPP/3r2K1 w - -", -MATE_SCORE},
        {"3R2k1/5ppp/8/8/8/8/8/6K1 b - -", MATE_SCORE},
        {"7k/5Q2/6K1/8/8/8/8/8 b - -", 0},
    };
    for (const Case& c : cases) {
        Position& pos = searchPosition(c.fen);
        EXPECT_EQ(searchOf(pos, -SCORE_INFINITY, SCORE_INFINITY, 2), c.expected) << c.fen;
        const TtEntry& e = entryOf(pos);
        EXPECT_EQ(e.check, keyHigh(probeKey(pos))) << c.fen;
        EXPECT_EQ(e.bound, BOUND_NO_IMPROVEMENT) << c.fen;
        EXPECT_EQ(e.move, 0u) << c.fen;
        EXPECT_EQ(e.score, c.expected) << c.fen;
        EXPECT_EQ(e.depth, 2) << c.fen;
    }
    // The distance counts the mated side's own moves since the root.
    Position& later = searchPosition("6k1/8/8/8/8/8/5PPP/3r2K1 w - -");
    later.movesMadeWhite = 3;
    later.rootPly = 1;
    EXPECT_EQ(searchWhite(later, -SCORE_INFINITY, SCORE_INFINITY, 2, false), -MATE_SCORE + 2);
}

TEST_F(EarlySearch, NoMoveIsMadeWithoutAFreeRecord) {
    for (int free : {0, 1, 2, 3}) {
        Position& pos = searchPosition(MIDDLE_GAME);
        const int last = STATE_STACK_SIZE - 1 - free;
        pos.stateStack[last] = *pos.currentState;
        pos.currentState = &pos.stateStack[last];
        pos.nextState = pos.currentState + 1;
        const uint64_t key = pos.currentState->key;
        const Bitboard occupied = pos.occupied;
        const int32_t v = searchWhite(pos, -SCORE_INFINITY, SCORE_INFINITY, 4, false);
        // A zero window lets the node try a null move, which needs a record as well.
        const int32_t z = searchWhite(pos, 0, 1, 4, false);
        if (free == 0) {
            EXPECT_EQ(v, evaluate(pos));
            EXPECT_EQ(z, evaluate(pos));
        }
        EXPECT_EQ(pos.currentState, &pos.stateStack[last]) << free;
        EXPECT_EQ(pos.currentState->key, key) << free;
        EXPECT_EQ(pos.occupied, occupied) << free;
        EXPECT_EQ(pos.movesMadeWhite, 0) << free;
        EXPECT_TRUE(positionConsistent(pos)) << free;
    }
}
