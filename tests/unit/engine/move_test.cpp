#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "move.h"
#include "test_support.h"

TEST(MoveWord, FieldsAndFixedWords) {
    EXPECT_EQ(CASTLE_WHITE_KING_SIDE_MOVE, 0x01200106);
    EXPECT_EQ(CASTLE_WHITE_QUEEN_SIDE_MOVE, 0x01300102);
    EXPECT_EQ(CASTLE_BLACK_KING_SIDE_MOVE, 0x02600F3E);
    EXPECT_EQ(CASTLE_BLACK_QUEEN_SIDE_MOVE, 0x02700F3A);
    // A white pawn on a7 takes a rook on b8 and becomes a dark bishop (b8 is dark).
    const Move m = makeMoveWord(MOVE_CPA_WP, sq("a7"), sq("b8"), ROOK + BLACK_OFFSET, DARK_BISHOP);
    EXPECT_EQ(moveTo(m), 57);
    EXPECT_EQ(moveFrom(m), 48);
    EXPECT_EQ(moveVictim(m), 13);
    EXPECT_EQ(movePromotion(m), 3);
    EXPECT_EQ(moveKind(m), 0);
    EXPECT_GT(m, 0);
    EXPECT_EQ(m & 0xFFF, 48 * 64 + 57);
    const Move top = makeMoveWord(MOVE_CSQ_BK, 63, 63, 15, 15);
    EXPECT_EQ(moveKind(top), 39);
    EXPECT_GT(top, 0);
    EXPECT_EQ(top >> 26, 0);
    // Light and dark promotion squares of the last ranks.
    for (const char* light : {"a8", "c8", "e8", "g8", "b1", "d1", "f1", "h1"})
        EXPECT_NE(LIGHT_SQUARES & squares({light}), 0u) << light;
    for (const char* dark : {"b8", "h8", "a1", "c1"}) EXPECT_EQ(LIGHT_SQUARES & squares({dark}), 0u) << dark;
}

TEST(MoveWord, KindsAreBlackPlusTwentyAndSortByKindFirst) {
    for (MoveKind k = 0; k < 20; ++k) EXPECT_EQ(coloredKind<Black>(k), k + 20);
    EXPECT_EQ(MOVE_CPT_WK - 2, KING);
    EXPECT_EQ(MOVE_NRM_WQ - 10, QUEEN);
    std::vector<Move> moves = {CASTLE_WHITE_KING_SIDE_MOVE, makeMoveWord(MOVE_NRM_WK, 63, 62),
                               makeMoveWord(MOVE_CPA_WP, 0, 0, 9, 2), makeMoveWord(MOVE_ADV_WP, 63, 63, 0, 6),
                               CASTLE_WHITE_QUEEN_SIDE_MOVE};
    std::sort(moves.begin(), moves.end());
    EXPECT_EQ(moveKind(moves.front()), MOVE_CPA_WP);
    EXPECT_EQ(moves[2], makeMoveWord(MOVE_NRM_WK, 63, 62));
    EXPECT_EQ(moves[3], CASTLE_WHITE_KING_SIDE_MOVE);
    EXPECT_EQ(moves.back(), CASTLE_WHITE_QUEEN_SIDE_MOVE);
}

TEST(MoveWord, AppendCaptureNamesTheVictimOrWritesNothing) {
    // Black: queen d5, rook e5, pawn b4 and the king on e8; White: knight c3 and king e1.
    auto p = positionFromFen("4k3/8/8/3qr3/1p6/2N5/8/4K3 w - -");
    struct Case {
        Color mover;
        const char* target;
        PieceCode victim;  // 0: nothing appended
    };
    const Case cases[] = {
        {White, "d5", QUEEN + BLACK_OFFSET}, {White, "e5", ROOK + BLACK_OFFSET}, {White, "b4", PAWN + BLACK_OFFSET},
        {White, "e8", 0},                    {White, "c3", 0},                    {White, "a1", 0},
        {Black, "c3", KNIGHT},               {Black, "e1", 0},                    {Black, "d5", 0},
    };
    for (const Case& c : cases) {
        Move list[4] = {};
        const Move word = makeMoveWord(c.mover == White ? MOVE_CPT_WN : MOVE_CPT_BR, sq("a2"), sq(c.target));
        Move* end = c.mover == White ? appendCaptureWhite(list, *p, squares({c.target}), word)
                                     : appendCaptureBlack(list, *p, squares({c.target}), word);
        if (c.victim == 0) {
            EXPECT_EQ(end, list) << c.target;
            EXPECT_EQ(list[0], 0) << c.target;
        } else {
            ASSERT_EQ(end, list + 1) << c.target;
            EXPECT_EQ(list[0], word + (c.victim << 12)) << c.target;
            EXPECT_EQ(moveVictim(list[0]), c.victim) << c.target;
        }
    }
}
