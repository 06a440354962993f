#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "fen.h"
#include "move.h"
#include "ordering.h"
#include "position.h"
#include "test_support.h"

namespace {

Position& boardFrom(const char* fen) {
    static std::unique_ptr<Position> position = newPosition();
    setPositionFromText(*position, fen);
    return *position;
}

struct KeyedMove {
    const char* what;
    Move move;
    int32_t key;
};

// Scores the moves in the given order with each move's history entry set to a small
// distinct value, and checks every key and the {0, 0} end.
void expectKeys(Position& position, Move hashMove, const std::vector<KeyedMove>& moves) {
    std::vector<Move> list;
    for (int i = 0; i < HISTORY_SIZE; ++i) position.history[i] = 0;
    for (const KeyedMove& m : moves) {
        list.push_back(m.move);
        position.history[m.move & 0xFFF] = 100 + static_cast<int>(list.size());
    }
    list.push_back(0);
    ScoredMove scored[SCORED_LIST_SIZE];
    if (position.sideToMove == 0) scoreMovesWhite(position, scored, list.data(), hashMove);
    else scoreMovesBlack(position, scored, list.data(), hashMove);
    for (size_t i = 0; i < moves.size(); ++i) {
        EXPECT_EQ(scored[i].move, moves[i].move) << moves[i].what;
        EXPECT_EQ(scored[i].key, moves[i].key) << moves[i].what;
    }
    EXPECT_EQ(scored[moves.size()].move, 0);
    EXPECT_EQ(scored[moves.size()].key, 0);
}

int32_t historyKey(int listIndex) { return 101 + listIndex; }

TEST(MoveOrdering, WhiteKeys) {
    Position& position = boardFrom("k7/1P6/8/3r4/8/2N5/7p/3Q2K1 w - -");
    const Move quietQueen = makeMoveWord(MOVE_NRM_WQ, sq("d1"), sq("d3"));
    const Move killer1 = makeMoveWord(MOVE_NRM_WN, sq("c3"), sq("e4"));
    const Move killer2 = makeMoveWord(MOVE_NRM_WK, sq("g1"), sq("f1"));
    position.currentPly->killer1 = killer1;
    position.currentPly->killer2 = killer2;
    expectKeys(position, quietQueen,
               {
                   {"quiet hash move", quietQueen, KEY_HASH_MOVE},
                   {"queen takes undefended rook", makeMoveWord(MOVE_CPT_WQ, sq("d1"), sq("d5"), 13),
                    KEY_CAPTURE_BASE + 8050},
                   {"knight takes rook", makeMoveWord(MOVE_CPT_WN, sq("c3"), sq("d5"), 13), KEY_WINNING_CAPTURE},
                   {"king takes pawn", makeMoveWord(MOVE_CPT_WK, sq("g1"), sq("h2"), 9), KEY_WINNING_CAPTURE},
                   {"killer 1", killer1, KEY_KILLER1},
                   {"killer 2", killer2, KEY_KILLER2},
                   {"promotion", makeMoveWord(MOVE_ADV_WP, sq("b7"), sq("b8"), 0, QUEEN), historyKey(6)},
                   {"capture promotion", makeMoveWord(MOVE_CPA_WP, sq("b7"), sq("c8"), 13, QUEEN), historyKey(7)},
                   {"en passant", makeMoveWord(MOVE_EPS_WP, sq("e5"), sq("d6")), historyKey(8)},
                   {"quiet move", makeMoveWord(MOVE_NRM_WN, sq("c3"), sq("b5")), historyKey(9)},
                   {"castling", CASTLE_WHITE_KING_SIDE_MOVE, historyKey(10)},
               });
}

TEST(MoveOrdering, BlackKeys) {
    Position& position = boardFrom("3q2k1/2n4P/4N3/3R4/8/8/1p6/K7 b - -");
    const Move killer1 = makeMoveWord(MOVE_NRM_BQ, sq("d8"), sq("e8"));
    position.currentPly->killer1 = killer1;
    position.currentPly->killer2 = 0;
    expectKeys(position, 0,
               {
                   {"queen takes undefended rook", makeMoveWord(MOVE_CPT_BQ, sq("d8"), sq("d5"), 5),
                    KEY_CAPTURE_BASE + 8050},
                   {"knight takes rook", makeMoveWord(MOVE_CPT_BN, sq("c7"), sq("d5"), 5), KEY_WINNING_CAPTURE},
                   {"knight takes knight", makeMoveWord(MOVE_CPT_BN, sq("c7"), sq("e6"), 2), KEY_CAPTURE_BASE + 8032},
                   {"king takes pawn", makeMoveWord(MOVE_CPT_BK, sq("g8"), sq("h7"), 1), KEY_WINNING_CAPTURE},
                   {"promotion", makeMoveWord(MOVE_ADV_BP, sq("b2"), sq("b1"), 0, QUEEN + BLACK_OFFSET),
                    historyKey(4)},
                   {"killer 1", killer1, KEY_KILLER1},
                   {"quiet move", makeMoveWord(MOVE_NRM_BK, sq("g8"), sq("f8")), historyKey(6)},
               });
}

TEST(MoveOrdering, HashMoveOutranksKillerAndCaptureKeys) {
    Position& position = boardFrom("k7/8/8/3r4/8/2N5/8/3Q2K1 w - -");
    const Move queenTakesRook = makeMoveWord(MOVE_CPT_WQ, sq("d1"), sq("d5"), 13);
    const Move quiet = makeMoveWord(MOVE_NRM_WQ, sq("d1"), sq("d3"));
    position.currentPly->killer1 = quiet;
    position.currentPly->killer2 = queenTakesRook;
    expectKeys(position, quiet, {{"killer that is the hash move", quiet, KEY_HASH_MOVE},
                                 {"capture that is a killer", queenTakesRook, KEY_KILLER2}});
    expectKeys(position, queenTakesRook, {{"capture that is the hash move", queenTakesRook, KEY_HASH_MOVE},
                                          {"killer", quiet, KEY_KILLER1}});
}

TEST(MoveOrdering, SelectionTakesLargestKeyAndKeepsListOrderOnTies) {
    ScoredMove scored[] = {{1, 5}, {2, 9}, {3, 9}, {4, 3}, {5, 9}, {0, 0}};
    std::vector<Move> picked;
    for (int i = 0; scored[i].move != 0; ++i) picked.push_back(selectMove(scored, i));
    EXPECT_EQ(picked, (std::vector<Move>{2, 3, 5, 1, 4}));
}

}  // namespace
