// The capture search on small fixtures.
#include "quiesce.h"

#include <gtest/gtest.h>

#include "evaluate.h"
#include "search_test_support.h"

using namespace early;
using early_test::searchPosition;

namespace {

int32_t quiesceOf(Position& pos, int32_t alpha, int32_t beta) {
    return pos.sideToMove == 0 ? quiesceWhite(pos, alpha, beta, 0) : quiesceBlack(pos, alpha, beta, 0);
}

// White to move, mated on the back rank.
constexpr char WHITE_MATED[] = "6k1/8/8/8/8/8/5PPP/3r2K1 w - -";

}  // namespace

TEST(EarlyQuiesce, InCheckItStandsPatBeforeLookingForEvasions) {
    Position& pos = searchPosition(WHITE_MATED);
    const int32_t e = evaluate(pos);
    ASSERT_LT(std::abs(materialBalance(pos) - e), LAZY_MARGIN);
    EXPECT_EQ(quiesceWhite(pos, e - 1, e, 0), e);  // the stand pat reaches beta
    EXPECT_EQ(quiesceWhite(pos, e + 10, e + 20, 0), -MATE_SCORE);
    pos.rootPly = pos.movesMadeWhite - 1;  // mated one own move further from the root
    EXPECT_EQ(quiesceWhite(pos, e + 10, e + 20, 0), -MATE_SCORE + 1);
}

TEST(EarlyQuiesce, TheExchangeFilterDecidesWhichCapturesAreSearched) {
    // Pawn takes a queen that a pawn defends: worth searching.
    Position& gain = searchPosition("4k3/2p5/3q4/4P3/8/8/8/4K3 w - -");
    EXPECT_GT(quiesceWhite(gain, -SCORE_INFINITY, SCORE_INFINITY, 0), evaluate(gain) + 500);
    // The queen's capture on d5 loses by exchange and is skipped, although the defending
    // pawn is pinned and could not retake; the rook's capture on c6 loses as well.
    Position& skip = searchPosition("2k5/1p6/2p5/3p4/8/8/8/2RQ2K1 w - -");
    EXPECT_EQ(quiesceWhite(skip, -SCORE_INFINITY, SCORE_INFINITY, 0), evaluate(skip));
}

TEST(EarlyQuiesce, WithoutCapturesTheStandPatBoundIsReturned) {
    struct Case {
        const char* fen;
        int32_t lowOffset, highOffset;  // window around the evaluation
        bool expectAlpha;               // else beta
    };
    const Case cases[] = {
        {"4k3/8/8/8/8/8/3P4/4K3 w - -", -100, 100, true},   // alpha raised to E
        {"4k3/8/8/8/8/8/3P4/4K3 w - -", 50, 100, true},     // E below alpha: alpha stays
        {"4k3/3p4/8/8/8/8/8/4K3 b - -", -100, 100, false},  // beta lowered to E
        {"4k3/3p4/8/8/8/8/8/4K3 b - -", -100, -50, false},  // E above beta: beta stays
    };
    for (const Case& c : cases) {
        Position& pos = searchPosition(c.fen);
        const int32_t e = evaluate(pos);
        const int32_t alpha = e + c.lowOffset, beta = e + c.highOffset;
        const int32_t expected = c.expectAlpha ? (e > alpha ? e : alpha) : (e < beta ? e : beta);
        EXPECT_EQ(quiesceOf(pos, alpha, beta), expected) << c.fen;
    }
}

TEST(EarlyQuiesce, StopFlagLineCapAndFullStateStack) {
    Position& pos = searchPosition("4k3/2p5/3q4/4P3/8/8/8/4K3 w - -");
    pos.stopSearch = 1;
    EXPECT_EQ(quiesceWhite(pos, -100, 100, 0), STOP_SCORE);
    EXPECT_EQ(quiesceBlack(pos, -100, 100, 0), STOP_SCORE);
    pos.stopSearch = 0;
    Position& capped = searchPosition("4k3/8/3q4/4P3/8/8/8/4K3 w - -");
    capped.movesMadeWhite = MAX_SIDE_MOVES + 1;
    EXPECT_EQ(quiesceWhite(capped, -100, 100, 0), 0);
    capped.movesMadeWhite = MAX_SIDE_MOVES;
    EXPECT_EQ(quiesceWhite(capped, -100, 100, 0), 100);  // the free queen cuts

    // The last record in use: no capture can be made, the stand pat stands.
    Position& full = searchPosition("4k3/2p5/3q4/4P3/8/8/8/4K3 w - -");
    full.stateStack[STATE_STACK_SIZE - 1] = *full.currentState;
    full.currentState = &full.stateStack[STATE_STACK_SIZE - 1];
    full.nextState = full.currentState + 1;
    const Bitboard occupied = full.occupied;
    EXPECT_EQ(quiesceWhite(full, -SCORE_INFINITY, SCORE_INFINITY, 0), evaluate(full));
    EXPECT_EQ(full.currentState, &full.stateStack[STATE_STACK_SIZE - 1]);
    EXPECT_EQ(full.occupied, occupied);
    EXPECT_TRUE(positionConsistent(full));
}
