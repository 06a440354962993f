#include <gtest/gtest.h>

#include "bitops.h"
#include "evaltables.h"
#include "test_support.h"

TEST(Position, ResetEmptiesBoardAndStackButKeepsSideAndHistory) {
    auto p = newPosition();
    setStartPosition(*p);
    p->sideToMove = 1;
    p->history[123] = 77;
    p->plyStack[300].bestMove = 5;
    p->plyStack[MAX_PLIES - 1].pv[PV_LENGTH - 1] = 9;
    p->timeLeft = 1;
    p->opponentIsComputer = 1;
    resetPosition(*p);
    EXPECT_EQ(p->emptySquares, ~Bitboard{0});
    EXPECT_EQ(p->occupiedSquares | p->whitePieces | p->blackPieces, 0u);
    EXPECT_EQ(p->kingSquareWhite, NO_SQUARE);
    EXPECT_EQ(p->kingSquareBlack, NO_SQUARE);
    EXPECT_EQ(p->materialKey, 0u);
    EXPECT_EQ(p->currentPly, &p->plyStack[0]);
    EXPECT_EQ(p->nextPly, &p->plyStack[1]);
    for (const PlyState& ply : p->plyStack) {
        ASSERT_EQ(ply.enPassantSquare, NO_SQUARE);
        ASSERT_EQ(ply.positionKey | ply.pieceKey | ply.pawnKey | ply.checkers, 0u);
        ASSERT_EQ(ply.bestMove | ply.castlingRights | ply.reversibleCount | ply.pv[PV_LENGTH - 1], 0);
    }
    EXPECT_EQ(p->timeLeft, 30000);
    EXPECT_EQ(p->baseTime, 6000);
    EXPECT_EQ(p->opponentIsComputer, 0);
    EXPECT_EQ(p->sideToMove, 1);
    EXPECT_EQ(p->history[123], 77);
    EXPECT_EQ(p->historyLimit, 0xFFFFF);
}

TEST(Position, StartPositionSums) {
    auto p = newPosition();
    setStartPosition(*p);
    EXPECT_EQ(p->phaseWhite, 31);
    EXPECT_EQ(p->phaseBlack, 31);
    EXPECT_EQ(p->pieceCountWhite, 16);
    EXPECT_EQ(p->pieceCountBlack, 16);
    // Nibbles of codes 7 down to 1: K 1, Q 1, R 2, L 1, D 1, N 2, P 8; nibble 0 empty.
    EXPECT_EQ(p->materialKey & 0xFFFFFFFF, 0x11211280u);
    EXPECT_EQ(p->materialKey >> 32, p->materialKey & 0xFFFFFFFF);
    EXPECT_EQ(p->kingSquareWhite, sq("e1"));
    EXPECT_EQ(p->kingSquareBlack, sq("e8"));
    EXPECT_EQ(p->kingBetweenRowWhite, betweenMask[sq("e1")]);
    EXPECT_EQ(p->kingDirectionRowBlack, directionIndex[sq("e8")]);
    // The running sums equal the sums over the pieces, and the start position is symmetric.
    PackedScore white = 0, black = 0;
    for (int code = 1; code < 16; ++code)
        for (Bitboard b = p->pieceBitboards[code]; b; b &= b - 1)
            (code < 8 ? white : black) += pieceSquareTable[code][bitScanForward(b)];
    EXPECT_EQ(p->pstWhite, white);
    EXPECT_EQ(p->pstBlack, black);
    EXPECT_EQ(p->pstWhite, p->pstBlack);
    Bitboard whiteUnion = 0, blackUnion = 0;
    for (int code = 1; code < 8; ++code) whiteUnion |= p->pieceBitboards[code];
    for (int code = 9; code < 16; ++code) blackUnion |= p->pieceBitboards[code];
    EXPECT_EQ(p->whitePieces, whiteUnion);
    EXPECT_EQ(p->blackPieces, blackUnion);
    EXPECT_EQ(p->pieceBitboards[0] | p->pieceBitboards[8], 0u);
}

TEST(Position, PutPieceBishopKindsShareColourFields) {
    auto p = newPosition();
    putPiece(*p, sq("c1"), DARK_BISHOP);
    putPiece(*p, sq("f1"), LIGHT_BISHOP);
    putPiece(*p, sq("e8"), KING + BLACK_OFFSET);
    EXPECT_EQ(p->whitePieces, squares({"c1", "f1"}));
    EXPECT_EQ(p->phaseWhite, 6);
    EXPECT_EQ(p->materialKey, (MaterialKey{1} << 12) + (MaterialKey{1} << 16) + (MaterialKey{1} << 60));
    EXPECT_EQ(p->pstWhite, pieceSquareTable[DARK_BISHOP][sq("c1")] + pieceSquareTable[LIGHT_BISHOP][sq("f1")]);
    EXPECT_EQ(p->kingSquareBlack, sq("e8"));
    EXPECT_EQ(p->kingSquareWhite, NO_SQUARE);
    EXPECT_EQ(p->pieceCountBlack, 1);
    EXPECT_EQ(p->emptySquares, ~squares({"c1", "f1", "e8"}));
}
