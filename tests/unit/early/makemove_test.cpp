// Making and unmaking moves on the earlier engine's position.
#include "makemove.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bitboards.h"
#include "early_test_support.h"
#include "movegen.h"
#include "zobrist.h"

using namespace early;
using early_test::findMove;
using early_test::legalMoves;
using early_test::positionFromFen;

namespace {

constexpr Square sq(const char* name) { return (name[0] - 'a') + 8 * (name[1] - '1'); }

std::unique_ptr<Position> snapshotOf(const Position& pos) {
    auto copy = std::make_unique<Position>();
    std::memcpy(static_cast<void*>(copy.get()), &pos, sizeof(Position));
    return copy;
}

// Make and unmake every legal move of pos; after the make the new record must agree with
// a from-scratch computation, after the unmake the record must be bit for bit as before,
// apart from the abandoned state record, which keeps the undone move's values.
void checkEveryMoveRestores(Position& pos, const std::string& fen) {
    const auto before = snapshotOf(pos);
    const ptrdiff_t ply = pos.currentState - pos.stateStack;
    for (Move m : legalMoves(pos)) {
        ASSERT_TRUE(makeMove(pos, m));
        ASSERT_EQ(pos.currentState - pos.stateStack, ply + 1);
        ASSERT_EQ(pos.sideToMove, before->sideToMove ^ 1);
        ASSERT_TRUE(positionConsistent(pos)) << fen << " " << early_test::moveText(m);
        ASSERT_EQ(pos.currentState->key, computeHashKey(pos)) << fen << " " << early_test::moveText(m);
        ASSERT_EQ(pos.currentState->checkers, computeCheckers(pos)) << fen << " " << early_test::moveText(m);
        const StateRecord made = *pos.currentState;
        unmakeMove(pos, m);
        ASSERT_EQ(std::memcmp(&pos.stateStack[ply + 1], &made, sizeof made), 0);
        std::memcpy(&pos.stateStack[ply + 1], &before->stateStack[ply + 1], sizeof(StateRecord));
        ASSERT_EQ(std::memcmp(&pos, before.get(), sizeof(Position)), 0) << fen << " " << early_test::moveText(m);
    }
}

}  // namespace

TEST(EarlyMakeMove, EveryMoveOfTheSuitesRestoresThePosition) {
    auto pos = std::make_unique<Position>();
    for (const std::string& fen : early_test::distinctSuitePositions()) {
        early_test::setFen(*pos, fen);
        checkEveryMoveRestores(*pos, fen);
        for (Move m : legalMoves(*pos)) {
            ASSERT_TRUE(makeMove(*pos, m));
            checkEveryMoveRestores(*pos, fen + " " + early_test::moveText(m));
            unmakeMove(*pos, m);
        }
    }
}

TEST(EarlyMakeMove, StateOfTheNextRecord) {
    struct Case {
        const char* fen;
        const char* move;
        int castling, epSquare, halfmoveClock;
        Bitboard checkers;
    } cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "e2e4", 15, 20, 0, 0},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "e2e3", 15, NO_SQUARE, 0, 0},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 4 1", "d7d5", 15, 43, 0, 0},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 5 1", "e1g1", 12, NO_SQUARE, 6, 0},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 5 1", "e8c8", 3, NO_SQUARE, 6, 0},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 5 1", "h1h8", 10, NO_SQUARE, 0, squareBit(sq("h8"))},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 5 1", "a1a2", 13, NO_SQUARE, 6, 0},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 5 1", "e1d1", 12, NO_SQUARE, 6, 0},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 5 1", "a8a1", 5, NO_SQUARE, 0, squareBit(sq("a1"))},
        {"5k2/8/8/8/8/8/8/4K2R w K - 0 1", "e1g1", 0, NO_SQUARE, 1, squareBit(sq("f1"))},
        {"3k4/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1c1", 0, NO_SQUARE, 1, squareBit(sq("d1"))},
        // A man leaving a line between its own slider and the enemy king.
        {"4k3/8/8/8/4R3/8/8/K3Q3 w - - 0 1", "e4a4", 0, NO_SQUARE, 1, squareBit(sq("e1"))},
        {"4k3/8/2B5/8/Q7/8/8/K7 w - - 0 1", "c6e4", 0, NO_SQUARE, 1, squareBit(sq("a4"))},
        {"4k3/8/8/8/4Q3/8/8/K3R3 w - - 0 1", "e4a4", 0, NO_SQUARE, 1, squareBit(sq("a4")) | squareBit(sq("e1"))},
        {"4k3/8/2Q5/8/B7/8/8/K7 w - - 0 1", "c6c1", 0, NO_SQUARE, 1, squareBit(sq("a4"))},
        {"4k3/8/8/8/8/8/8/K2NR3 w - - 0 1", "d1e3", 0, NO_SQUARE, 1, 0},
        {"8/8/8/R2pP2k/8/8/8/K7 w - d6 0 1", "e5d6", 0, NO_SQUARE, 0, squareBit(sq("a5"))},
        {"8/8/8/3pP3/8/8/8/K2k4 w - d6 0 1", "e5d6", 0, NO_SQUARE, 0, 0},
        {"3k4/4P3/8/8/8/8/8/K7 w - - 0 1", "e7e8q", 0, NO_SQUARE, 0, squareBit(sq("e8"))},
        {"3k4/4P3/8/8/8/8/8/K7 w - - 0 1", "e7e8n", 0, NO_SQUARE, 0, 0},
        {"3kr3/3P4/8/8/8/8/8/K2R4 w - - 0 1", "d7e8n", 0, NO_SQUARE, 0, squareBit(sq("d1"))},
        {"4k3/8/8/8/8/8/1p6/R3K3 b Q - 9 1", "b2a1q", 0, NO_SQUARE, 0, squareBit(sq("a1"))},
        {"r3k3/8/8/8/8/8/8/R3K3 w Qq - 9 1", "a1a8", 0, NO_SQUARE, 0, squareBit(sq("a8"))},
    };
    for (const Case& c : cases) {
        auto pos = positionFromFen(c.fen);
        const Move m = findMove(*pos, c.move);
        ASSERT_NE(m, 0u) << c.fen << " " << c.move;
        ASSERT_TRUE(makeMove(*pos, m));
        const StateRecord& s = *pos->currentState;
        EXPECT_EQ(s.castling, c.castling) << c.fen << " " << c.move;
        EXPECT_EQ(s.epSquare, c.epSquare) << c.fen << " " << c.move;
        EXPECT_EQ(s.halfmoveClock, c.halfmoveClock) << c.fen << " " << c.move;
        EXPECT_EQ(s.checkers, c.checkers) << c.fen << " " << c.move;
        EXPECT_EQ(s.key, computeHashKey(*pos)) << c.fen << " " << c.move;
        EXPECT_TRUE(positionConsistent(*pos)) << c.fen << " " << c.move;
    }
}

TEST(EarlyMakeMove, CountersAndSumsFollowTheMove) {
    auto pos = positionFromFen("4k3/8/8/8/8/8/1p6/R3K3 b Q - 0 1");
    const PackedScore whiteBefore = pos->pstSumWhite;
    ASSERT_TRUE(makeMove(*pos, findMove(*pos, "b2a1n")));
    EXPECT_EQ(pos->menCountWhite, 1);
    EXPECT_EQ(pos->menCountBlack, 2);
    EXPECT_EQ(pos->pstSumWhite, whiteBefore - pos->evalTables.pst[WHITE_ROOK][sq("a1")]);
    EXPECT_EQ(pos->pieceBits[BLACK_KNIGHT], squareBit(sq("a1")));
    EXPECT_EQ(pos->movesMadeBlack, 1);
    EXPECT_EQ(pos->movesMadeWhite, 0);
    EXPECT_EQ(pos->sideToMove, 0);
    ASSERT_TRUE(makeMove(*pos, findMove(*pos, "e1d1")));
    EXPECT_EQ(pos->kingSquareWhite, sq("d1"));
    EXPECT_EQ(pos->kingBetweenRowWhite, betweenMask[sq("d1")]);
    EXPECT_EQ(pos->movesMadeWhite, 1);
}

// The stack has 1024 records: 1023 makes fill it, the next one is refused and changes
// nothing, and every move made can still be taken back.
TEST(EarlyMakeMove, TheStateStackCannotOverflow) {
    auto pos = positionFromFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
    const auto start = snapshotOf(*pos);
    const std::vector<std::string> cycle = {"g1f3", "g8f6", "f3g1", "f6g8"};
    std::vector<Move> made;
    for (int i = 0;; ++i) {
        const Move m = findMove(*pos, cycle[i % 4]);
        ASSERT_NE(m, 0u);
        if (!hasFreeState(*pos)) {
            const auto full = snapshotOf(*pos);
            EXPECT_FALSE(makeMove(*pos, m));
            EXPECT_EQ(std::memcmp(full.get(), pos.get(), sizeof(Position)), 0);
            break;
        }
        ASSERT_TRUE(makeMove(*pos, m));
        made.push_back(m);
    }
    EXPECT_EQ(made.size(), static_cast<size_t>(STATE_STACK_SIZE - 1));
    EXPECT_EQ(pos->currentState, &pos->stateStack[STATE_STACK_SIZE - 1]);
    EXPECT_EQ(pos->currentState->halfmoveClock, STATE_STACK_SIZE - 1);
    for (auto it = made.rbegin(); it != made.rend(); ++it) unmakeMove(*pos, *it);
    EXPECT_EQ(pos->currentState, &pos->stateStack[0]);
    EXPECT_EQ(pos->occupied, start->occupied);
    EXPECT_EQ(pos->pstSumWhite, start->pstSumWhite);
    EXPECT_EQ(pos->movesMadeWhite, 0);
    EXPECT_TRUE(positionConsistent(*pos));
    // Nothing to take back at the first record.
    unmakeMove(*pos, made.front());
    EXPECT_EQ(pos->currentState, &pos->stateStack[0]);
    EXPECT_TRUE(positionConsistent(*pos));
}
