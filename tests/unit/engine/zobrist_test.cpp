#include <vector>

#include <gtest/gtest.h>

#include "movegen_test_support.h"
#include "zobrist.h"

TEST(Keys, FixedValuesBitForBit) {
    ensureTables();
    EXPECT_EQ(pieceSquareKeys[0][0], 0xE4E7F332FB805AE8ULL);
    EXPECT_EQ(pieceSquareKeys[1][8], 0xF7B29BBCF8CE90EBULL);
    EXPECT_EQ(enPassantKeys[0], 0x134759E82F7FEDD2ULL);
    EXPECT_EQ(castleKeys[0], 0xF185115FC6FDB256ULL);
}

// After a set-up and after lines of moves, which change the keys move by move: castling,
// rook moves and captures of rooks drop rights, a double step leaves its square.
TEST(Keys, StateKeysFollowRightsAndEnPassantButNotTheSide) {
    struct Case {
        const char* fen;
        std::vector<const char*> line;
        int rights;
        int enPassant;
    };
    const Case cases[] = {
        {"4k3/8/8/8/8/8/8/4K3 w - -", {}, 0, NO_SQUARE},
        {"4k3/8/8/8/8/8/8/4K3 b - -", {}, 0, NO_SQUARE},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", {}, 15, NO_SQUARE},
        {"4k3/8/8/8/4P3/8/8/4K3 b - e3", {}, 0, 20},  // no capture possible; the key still counts
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", {"e1g1", "a8a1"}, CASTLE_BLACK_KING_SIDE, NO_SQUARE},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", {"h1h8"}, CASTLE_WHITE_QUEEN_SIDE | CASTLE_BLACK_QUEEN_SIDE, NO_SQUARE},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", {"a1b1", "e8d8"}, CASTLE_WHITE_KING_SIDE, NO_SQUARE},
        {"4k3/8/8/8/3p4/8/4P3/4K3 w - -", {"e2e4"}, 0, 20},
        {"4k3/8/8/8/3p4/8/4P3/4K3 w - -", {"e2e4", "d4e3"}, 0, NO_SQUARE},
        {"4k3/2p5/8/3P4/8/8/8/4K3 b - -", {"c7c5"}, 0, 42},
    };
    for (const Case& c : cases) {
        auto p = positionFromFen(c.fen);
        ASSERT_TRUE(playLine(*p, c.line)) << c.fen;
        const PlyState& ply = *p->currentPly;
        EXPECT_EQ(ply.castlingRights, c.rights) << c.fen;
        EXPECT_EQ(ply.enPassantSquare, c.enPassant) << c.fen;
        EXPECT_EQ(ply.pieceKey, computePieceKey(*p)) << c.fen;
        EXPECT_EQ(ply.pawnKey, computePawnKey(*p)) << c.fen;
        uint64_t expected = ply.pieceKey ^ castleKeys[c.rights];
        if (c.enPassant != NO_SQUARE) expected ^= enPassantKeys[c.enPassant];
        EXPECT_EQ(ply.positionKey, expected) << c.fen;
        EXPECT_NE(ply.positionKey, ply.pieceKey) << c.fen;
    }
    EXPECT_EQ(positionFromFen(cases[0].fen)->currentPly->positionKey,
              positionFromFen(cases[1].fen)->currentPly->positionKey);
}

// Piece and pawn keys as sums of their squares' keys, after a set-up and after a capture.
TEST(Keys, PieceAndPawnKeysFromScratch) {
    auto p = positionFromFen("4k3/3p4/8/8/8/8/4P3/4K2N w - -");
    const uint64_t kings = pieceSquareKeys[7][sq("e1")] ^ pieceSquareKeys[15][sq("e8")];
    const uint64_t pawns = pieceSquareKeys[1][sq("e2")] ^ pieceSquareKeys[9][sq("d7")];
    const uint64_t knight = pieceSquareKeys[2][sq("h1")];
    EXPECT_EQ(computePieceKey(*p), kings ^ pawns ^ knight);
    EXPECT_EQ(computePawnKey(*p), pawns);
    EXPECT_EQ(p->currentPly->pawnKey, pawns);

    ASSERT_TRUE(playLine(*p, {"e2e4", "d7d5", "e4d5", "e8d7"}));
    const uint64_t pawn = pieceSquareKeys[1][sq("d5")];
    const uint64_t kingsNow = pieceSquareKeys[7][sq("e1")] ^ pieceSquareKeys[15][sq("d7")];
    EXPECT_EQ(p->currentPly->pieceKey, kingsNow ^ pawn ^ knight);
    EXPECT_EQ(p->currentPly->pawnKey, pawn);
}
