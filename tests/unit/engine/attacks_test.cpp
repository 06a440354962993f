#include <gtest/gtest.h>

#include "attacks.h"
#include "test_support.h"

TEST(Attacks, AttackersOfEachSide) {
    struct Case {
        const char* fen;
        const char* square;
        Bitboard white;
        Bitboard black;
    };
    const char* pieces = "3r3k/8/1n3b2/4p3/8/2P2N2/8/3RK3 w - -";
    const char* pawns = "4k3/8/8/8/3p4/3P4/8/4K3 w - -";
    const char* sliders = "7k/8/8/3q4/8/1B6/8/Q3K3 w - -";
    const Case cases[] = {
        {pieces, "d4", squares({"c3", "f3", "d1"}), squares({"e5", "d8"})},
        {pieces, "d2", squares({"d1", "e1", "f3"}), squares({"d8"})},
        {pieces, "d5", squares({"d1"}), squares({"d8", "b6"})},
        {pieces, "f4", 0, squares({"e5"})},
        // Pawns attack diagonally forward only.
        {pawns, "d4", 0, 0},
        {pawns, "c3", 0, squares({"d4"})},
        {pawns, "e4", squares({"d3"}), 0},
        // Queens on both kinds of line, the light-squared bishop on diagonals.
        {sliders, "d4", squares({"a1"}), squares({"d5"})},
        {sliders, "c4", squares({"b3"}), squares({"d5"})},
        {sliders, "a5", squares({"a1"}), squares({"d5"})},
    };
    for (const Case& c : cases) {
        auto p = positionFromFen(c.fen);
        const Square s = sq(c.square);
        EXPECT_EQ(attackersWhite(*p, s), c.white) << c.fen << " " << c.square;
        EXPECT_EQ(attackersBlack(*p, s), c.black) << c.fen << " " << c.square;
        EXPECT_EQ(isAttackedByWhite(*p, s), c.white != 0) << c.fen << " " << c.square;
        EXPECT_EQ(isAttackedByBlack(*p, s), c.black != 0) << c.fen << " " << c.square;
    }
}

TEST(Attacks, SquareBehindTheKingIsAttackedOnlyOnceTheKingIsLifted) {
    auto p = positionFromFen("4r2k/8/8/8/8/8/8/4K3 w - -");
    const Square e1 = sq("e1");
    EXPECT_TRUE(isAttackedByBlack(*p, e1));
    // King on e2 with the rook on e8: e1 lies behind it.
    auto q = positionFromFen("4r2k/8/8/8/8/8/4K3/8 w - -");
    EXPECT_FALSE(isAttackedByBlack(*q, e1));
    q->pieceBitboards[KING] = 0;
    q->occupiedSquares &= ~squares({"e2"});
    EXPECT_TRUE(isAttackedByBlack(*q, e1));
}

TEST(Attacks, PromotedKnightNextToTheKingIsAnAttacker) {
    // After e7-e8=N the knight on e8 bears on the king on f6; placing it as make would.
    auto p = positionFromFen("8/8/5k2/8/8/8/8/4K3 b - -");
    putPiece(*p, sq("e8"), KNIGHT);
    EXPECT_EQ(attackersWhite(*p, p->kingSquareBlack), squares({"e8"}));
}
