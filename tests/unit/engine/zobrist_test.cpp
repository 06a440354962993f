#include <gtest/gtest.h>

#include "test_support.h"
#include "zobrist.h"

TEST(Keys, FixedValuesBitForBit) {
    ensureTables();
    EXPECT_EQ(pieceSquareKeys[0][0], 0xE4E7F332FB805AE8ULL);
    EXPECT_EQ(pieceSquareKeys[1][8], 0xF7B29BBCF8CE90EBULL);
    EXPECT_EQ(enPassantKeys[0], 0x134759E82F7FEDD2ULL);
    EXPECT_EQ(castleKeys[0], 0xF185115FC6FDB256ULL);
}

TEST(Keys, StateKeysFollowRightsAndEnPassantButNotTheSide) {
    struct Case {
        const char* fen;
        int rights;
        int enPassant;
    };
    const Case cases[] = {
        {"4k3/8/8/8/8/8/8/4K3 w - -", 0, NO_SQUARE},
        {"4k3/8/8/8/8/8/8/4K3 b - -", 0, NO_SQUARE},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", 15, NO_SQUARE},
        {"4k3/8/8/8/4P3/8/8/4K3 b - e3", 0, 20},  // no capture possible; the key still counts
    };
    for (const Case& c : cases) {
        auto p = positionFromFen(c.fen);
        const PlyState& ply = *p->currentPly;
        EXPECT_EQ(ply.pieceKey, computePieceKey(*p)) << c.fen;
        uint64_t expected = ply.pieceKey ^ castleKeys[c.rights];
        if (c.enPassant != NO_SQUARE) expected ^= enPassantKeys[c.enPassant];
        EXPECT_EQ(ply.positionKey, expected) << c.fen;
        EXPECT_NE(ply.positionKey, ply.pieceKey) << c.fen;
    }
    EXPECT_EQ(positionFromFen(cases[0].fen)->currentPly->positionKey,
              positionFromFen(cases[1].fen)->currentPly->positionKey);
}

TEST(Keys, PieceAndPawnKeysFromScratch) {
    auto p = positionFromFen("4k3/3p4/8/8/8/8/4P3/4K2N w - -");
    const uint64_t kings = pieceSquareKeys[7][sq("e1")] ^ pieceSquareKeys[15][sq("e8")];
    const uint64_t pawns = pieceSquareKeys[1][sq("e2")] ^ pieceSquareKeys[9][sq("d7")];
    EXPECT_EQ(computePieceKey(*p), kings ^ pawns ^ pieceSquareKeys[2][sq("h1")]);
    EXPECT_EQ(computePawnKey(*p), pawns);
    EXPECT_EQ(p->currentPly->pawnKey, pawns);
}
