#include <gtest/gtest.h>

#include "evaltables.h"
#include "test_support.h"

namespace {

struct Entry {
    const char* what;
    PackedScore value;
    int opening;
    int endgame;
};

}  // namespace

TEST(EvalTables, SpotValues) {
    ensureTables();
    const Entry entries[] = {
        {"white pawn e4", pieceSquareTable[PAWN][sq("e4")], 106, 106},
        {"black pawn e5", pieceSquareTable[PAWN + 8][sq("e5")], 106, 106},
        {"white pawn b2", pieceSquareTable[PAWN][sq("b2")], 104, 104},
        {"white king g1", pieceSquareTable[KING][sq("g1")], 0, 10},
        {"white king e1", pieceSquareTable[KING][sq("e1")], -5, 30},
        {"black king e8", pieceSquareTable[KING + 8][sq("e8")], -5, 30},
        {"white rook a1", pieceSquareTable[ROOK][sq("a1")], 591, 606},
        {"white rook d5", pieceSquareTable[ROOK][sq("d5")], 610, 600},
        {"white rook h8", pieceSquareTable[ROOK][sq("h8")], 591, 600},
        {"black rook c8", pieceSquareTable[ROOK + 8][sq("c8")], 609, 606},
        {"white knight a1", pieceSquareTable[KNIGHT][sq("a1")], 340, 382},
        {"white dark bishop c1", pieceSquareTable[DARK_BISHOP][sq("c1")], 385, 397},
        {"white light bishop f1", pieceSquareTable[LIGHT_BISHOP][sq("f1")], 385, 397},
        {"white queen d1", pieceSquareTable[QUEEN][sq("d1")], 1200, 1200},
        {"passed white b7", passedPawnBonus[White][sq("b7")], 50, 280},
        {"passed black b2", passedPawnBonus[Black][sq("b2")], 50, 280},
        {"passed white e4", passedPawnBonus[White][sq("e4")], 5, 40},
        {"passed white e8", passedPawnBonus[White][sq("e8")], 0, 0},
        {"knight outpost white d5", knightOutpost[White][sq("d5")], 8, 8},
        {"knight outpost black d2", knightOutpost[Black][sq("d2")], 1, 1},
        {"bishop outpost white c3", bishopOutpost[White][sq("c3")], 1, 1},
        {"isolated a-file", isolatedPawnPenalty[White][sq("a5")], 8, 15},
        {"doubled d-file", doubledPawnPenalty[Black][sq("d3")], 14, 20},
        {"queen tropism 1", queenTropism[1], 7, 7},
        {"rook tropism 4", rookTropism[4], 2, 2},
        {"knight mobility 1", knightMobility[1], 8, 8},
        {"knight mobility 3", knightMobility[3], 0, 0},
        {"rook mobility 0", rookMobility[0], -8, -12},
        {"rook mobility 31", rookMobility[31], 16, 32},
        {"queen mobility 27", queenMobility[27], 8, 16},
    };
    for (const Entry& e : entries) {
        EXPECT_EQ(packedOpening(e.value), e.opening) << e.what;
        EXPECT_EQ(packedEndgame(e.value), e.endgame) << e.what;
        EXPECT_EQ(e.value, packScore(e.opening, e.endgame)) << e.what;
    }
    EXPECT_EQ(pieceSquareTable[PAWN][sq("e4")], (106 << 16) + 106);
}

TEST(EvalTables, BlackTablesMirrorWhiteAndEmptyRowsStayZero) {
    ensureTables();
    for (int code = 1; code <= 7; ++code)
        for (int s = 0; s < 64; ++s) ASSERT_EQ(pieceSquareTable[code + 8][s ^ 56], pieceSquareTable[code][s]);
    for (int s = 0; s < 64; ++s) {
        EXPECT_EQ(pieceSquareTable[0][s], 0);
        EXPECT_EQ(pieceSquareTable[8][s], 0);
        EXPECT_EQ(pieceSquareTable[DARK_BISHOP][s], pieceSquareTable[LIGHT_BISHOP][s]);
        EXPECT_EQ(passedPawnBonus[Black][s ^ 56], passedPawnBonus[White][s]);
    }
    for (int n = 16; n < MOBILITY_SIZE; ++n) EXPECT_EQ(bishopMobility[n], packScore(40, 40));
}
