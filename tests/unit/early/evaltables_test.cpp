// The earlier engine's evaluation weights.
#include "evaltables.h"

#include <gtest/gtest.h>

using namespace early;

namespace {

constexpr Square sq(const char* name) { return (name[0] - 'a') + 8 * (name[1] - '1'); }

EvalTables builtTables() {
    EvalTables t{};
    initPieceSquareTables(t);
    initMobilityTables(t);
    initIsolatedPawnTable(t);
    initPassedPawnTable(t);
    initDoubledPawnTable(t);
    return t;
}

}  // namespace

TEST(EarlyEvalTables, PieceSquareEntries) {
    const EvalTables t = builtTables();
    struct Case {
        Piece piece;
        const char* square;
        int opening, endgame;
    } cases[] = {
        {WHITE_KING, "g1", 50, -10},    {WHITE_KING, "d1", -20, -10},   {WHITE_KING, "e4", -40, 20},
        {WHITE_KING, "b2", -20, 0},     {WHITE_KING, "g8", -40, -20},   {WHITE_QUEEN, "d4", 909, 909},
        {WHITE_QUEEN, "a1", 891, 891},  {WHITE_ROOK, "d1", 510, 506},   {WHITE_ROOK, "a7", 491, 500},
        {WHITE_BISHOP, "c1", 285, 297}, {WHITE_BISHOP, "d5", 315, 309}, {WHITE_KNIGHT, "g1", 280, 288},
        {WHITE_KNIGHT, "e4", 326, 318}, {WHITE_PAWN, "b2", 104, 104},   {WHITE_PAWN, "e4", 106, 106},
        {BLACK_KING, "g8", 50, -10},    {BLACK_ROOK, "d8", 510, 506},   {BLACK_BISHOP, "c8", 285, 297},
        {BLACK_PAWN, "b7", 104, 104},   {BLACK_KNIGHT, "e5", 326, 318},
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.pst[c.piece][sq(c.square)], packScore(c.opening, c.endgame)) << c.piece << " " << c.square;
    for (Piece kind = WHITE_KING; kind <= WHITE_PAWN; ++kind)
        for (Square s = 0; s < 64; ++s)
            ASSERT_EQ(t.pst[kind][s], t.pst[kind + BLACK_PIECE_OFFSET][s ^ 56]) << kind << " " << s;
}

TEST(EarlyEvalTables, MobilityRowsHoldTheirLastValue) {
    const EvalTables t = builtTables();
    struct Case {
        Piece piece;
        int count, opening, endgame;
    } cases[] = {
        {WHITE_QUEEN, 0, -4, -10},  {WHITE_QUEEN, 15, 7, 18},  {WHITE_QUEEN, 16, 8, 18}, {WHITE_QUEEN, 31, 8, 18},
        {WHITE_ROOK, 3, 0, 3},      {WHITE_ROOK, 15, 19, 40},  {WHITE_ROOK, 31, 20, 40}, {WHITE_BISHOP, 2, 0, 0},
        {WHITE_BISHOP, 31, 45, 45}, {WHITE_KNIGHT, 2, -5, -5}, {WHITE_KNIGHT, 3, 0, 0},  {WHITE_KNIGHT, 8, 14, 14},
        {WHITE_KING, 5, 0, 0},      {WHITE_PAWN, 2, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(t.mobility[c.piece][c.count], packScore(c.opening, c.endgame)) << c.piece << " " << c.count;
        EXPECT_EQ(t.mobility[c.piece + BLACK_PIECE_OFFSET][c.count], t.mobility[c.piece][c.count]);
    }
}

TEST(EarlyEvalTables, PawnStructureTablesMirrorByRank) {
    const EvalTables t = builtTables();
    EXPECT_EQ(t.passedPawn[White][sq("e7")], packScore(50, 190));
    EXPECT_EQ(t.passedPawn[Black][sq("e2")], packScore(50, 190));
    EXPECT_EQ(t.passedPawn[White][sq("c4")], packScore(5, 40));
    EXPECT_EQ(t.passedPawn[Black][sq("c5")], packScore(5, 40));
    EXPECT_EQ(t.passedPawn[White][sq("a2")], packScore(0, 25));
    EXPECT_EQ(t.passedPawn[White][sq("h8")], 0);
    EXPECT_EQ(t.passedPawn[Black][sq("h1")], 0);
    EXPECT_EQ(t.doubledPawn[White][sq("a4")], packScore(-20, -20));
    EXPECT_EQ(t.doubledPawn[Black][sq("d6")], packScore(-10, -10));
    EXPECT_EQ(t.isolatedPawn[Black][sq("h3")], packScore(-20, -20));
    EXPECT_EQ(t.isolatedPawn[White][sq("b5")], packScore(-10, -10));
}
