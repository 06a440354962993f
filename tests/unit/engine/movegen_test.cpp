// The generated lists themselves: order, strict legality at pins, checks and en passant.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "movegen_test_support.h"

namespace {

struct ListCase {
    const char* what;
    const char* fen;
    const char* from;  // only the moves from this square; "" for the whole list
    const char* expected;
};

std::string generatedText(const ListCase& c) {
    auto p = positionFromFen(c.fen);
    std::vector<Move> moves = legalMoves(*p);
    if (c.from[0]) {
        const Square from = (c.from[0] - 'a') + 8 * (c.from[1] - '1');
        std::erase_if(moves, [&](Move m) { return moveFrom(m) != from; });
    }
    return listText(moves);
}

const ListCase LIST_CASES[] = {
    {"start position: pawns by square, single step first, then knights",
     "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", "",
     "a2a3 a2a4 b2b3 b2b4 c2c3 c2c4 d2d3 d2d4 e2e3 e2e4 f2f3 f2f4 g2g3 g2g4 h2h3 h2h4 b1a3 b1c3 g1f3 g1h3"},
    {"promotions: light-square pawns first, bishop of the destination's colour", "7k/PP6/8/8/8/8/8/K7 w - -", "",
     "b7b8Q b7b8R b7b8D b7b8N a7a8Q a7a8R a7a8L a7a8N a1b1 a1a2 a1b2"},
    {"black promotions mirror the groups", "k7/8/8/8/8/8/pp6/7K b - -", "",
     "a2a1Q a2a1R a2a1D a2a1N b2b1Q b2b1R b2b1L b2b1N a8a7 a8b7 a8b8"},
    {"capture-promotions after the push, queen victim before rook", "r1q5/1P6/8/7k/8/8/8/7K w - -", "b7",
     "b7b8Q b7b8R b7b8D b7b8N b7c8Q b7c8R b7c8L b7c8N b7a8Q b7a8R b7a8L b7a8N"},
    {"capture-promotion onto a dark bishop", "3b3k/2P5/8/8/8/8/8/K7 w - -", "c7",
     "c7c8Q c7c8R c7c8L c7c8N c7d8Q c7d8R c7d8D c7d8N"},
    {"capture-promotion of a checking dark bishop", "3b3k/2P5/8/8/7K/8/8/8 w - -", "c7", "c7d8Q c7d8R c7d8D c7d8N"},
    {"king captures by square, not by victim", "k7/8/8/8/8/8/3nPr2/4K3 w - -", "e1", "e1d1 e1d2 e1f2"},
    {"rank check: the square behind the king is attacked", "8/8/8/8/8/8/8/r3K2k w - -", "", "e1d2 e1e2 e1f2"},
    {"double check: king moves only, though the rook could take the bishop", "k3r3/8/8/8/Rb6/8/8/4K3 w - -", "",
     "e1d1 e1f1 e1f2"},
    {"pinned knight has no move", "4k3/4r3/8/8/8/8/4N3/4K3 w - -", "e2", ""},
    {"pinned rook moves along the pin, taking the pinner", "4k3/4r3/8/8/8/4R3/8/4K3 w - -", "e3",
     "e3e2 e3e4 e3e5 e3e6 e3e7"},
    {"pinned bishop moves along the pin, taking the pinner", "7k/8/8/8/3q4/8/1B6/K7 w - -", "b2", "b2c3 b2d4"},
    {"en passant first among a pawn's moves", "8/8/8/KPp5/8/8/8/7k w - c6", "b5", "b5c6 b5b6"},
    {"en passant with both pawns between king and rook on the rank", "8/8/8/KPp4r/8/8/8/7k w - c6", "b5", "b5b6"},
    {"en passant opening a diagonal through the captured pawn", "8/8/2b5/3pP3/8/5K2/8/7k w - d6", "e5", "e5e6"},
    {"en passant with that diagonal closed", "8/8/8/3pP3/8/5K2/8/7k w - d6", "e5", "e5d6 e5e6"},
    {"black en passant opening a diagonal through the captured pawn", "7K/8/5k2/8/3Pp3/2B5/8/8 b - d3", "e4", "e4e3"},
};

TEST(MoveGeneration, ListsComeInTheirFixedOrder) {
    for (const ListCase& c : LIST_CASES) {
        EXPECT_EQ(generatedText(c), c.expected) << c.what << "\n  " << c.fen;
    }
}

TEST(MoveGeneration, PieceCapturesAreGroupedByVictim) {
    // A queen on d4 with a rook on e4, a knight on d5 and a pawn on c3 to take.
    auto p = positionFromFen("7k/8/8/3n4/3Qr3/2p5/8/K7 w - -");
    std::vector<Move> captures;
    for (Move m : legalMoves(*p))
        if (moveFrom(m) == 27 && moveVictim(m)) captures.push_back(m);
    EXPECT_EQ(listText(captures), "d4e4 d4d5 d4c3");
    ASSERT_EQ(captures.size(), 3u);
    EXPECT_EQ(moveVictim(captures[0]), ROOK + BLACK_OFFSET);
    EXPECT_EQ(moveVictim(captures[1]), KNIGHT + BLACK_OFFSET);
    EXPECT_EQ(moveVictim(captures[2]), PAWN + BLACK_OFFSET);
}

TEST(MoveGeneration, CapturePromotionsOntoADarkBishopNameIt) {
    for (const char* fen : {"3b3k/2P5/8/8/8/8/8/K7 w - -", "3b3k/2P5/8/8/7K/8/8/8 w - -"}) {
        auto p = positionFromFen(fen);
        for (Move m : legalMoves(*p)) {
            if (moveTo(m) != 59) continue;
            EXPECT_EQ(moveKind(m), MOVE_CPA_WP) << fen;
            EXPECT_EQ(moveVictim(m), DARK_BISHOP + BLACK_OFFSET) << fen;
        }
    }
}

TEST(MoveGeneration, CastlingNeedsRightRookEmptyAndSafeKingSquares) {
    struct Case {
        const char* what;
        const char* fen;
        Move castle;
        bool generated;
    } cases[] = {
        {"queen side with b1 attacked", "1r2k3/8/8/8/8/8/8/R3K3 w Q -", CASTLE_WHITE_QUEEN_SIDE_MOVE, true},
        {"queen side with c1 attacked", "2r1k3/8/8/8/8/8/8/R3K3 w Q -", CASTLE_WHITE_QUEEN_SIDE_MOVE, false},
        {"queen side with d1 attacked", "3rk3/8/8/8/8/8/8/R3K3 w Q -", CASTLE_WHITE_QUEEN_SIDE_MOVE, false},
        {"queen side with b1 occupied", "4k3/8/8/8/8/8/8/RN2K3 w Q -", CASTLE_WHITE_QUEEN_SIDE_MOVE, false},
        {"queen side without the right", "4k3/8/8/8/8/8/8/R3K3 w K -", CASTLE_WHITE_QUEEN_SIDE_MOVE, false},
        {"king side", "4k3/8/8/8/8/8/8/4K2R w K -", CASTLE_WHITE_KING_SIDE_MOVE, true},
        {"king side with g1 attacked", "4k1r1/8/8/8/8/8/8/4K2R w K -", CASTLE_WHITE_KING_SIDE_MOVE, false},
        {"king side without the rook", "4k3/8/8/8/8/8/8/4K1NB w K -", CASTLE_WHITE_KING_SIDE_MOVE, false},
        {"king side out of check", "4k3/8/8/8/8/8/8/4K1rR w K -", CASTLE_WHITE_KING_SIDE_MOVE, false},
        {"rights claimed with the king off e1", "4k3/8/8/8/8/8/8/R2K4 w Q -", CASTLE_WHITE_QUEEN_SIDE_MOVE, false},
        {"black queen side with b8 attacked", "r3k3/8/8/8/8/8/8/1R2K3 b q -", CASTLE_BLACK_QUEEN_SIDE_MOVE, true},
        {"black king side with f8 attacked", "4k2r/8/8/8/8/8/8/4KR2 b k -", CASTLE_BLACK_KING_SIDE_MOVE, false},
    };
    for (const Case& c : cases) {
        auto p = positionFromFen(c.fen);
        const std::vector<Move> moves = legalMoves(*p);
        EXPECT_EQ(std::count(moves.begin(), moves.end(), c.castle) == 1, c.generated) << c.what;
    }
}

TEST(MoveGeneration, KingSideCastlingComesBeforeQueenSideAndKingMoves) {
    auto p = positionFromFen("4k3/8/8/8/8/8/8/R3K2R w KQ -");
    const std::vector<Move> moves = legalMoves(*p);
    std::vector<Move> king;
    for (Move m : moves)
        if (moveFrom(m) == 4) king.push_back(m);
    ASSERT_GE(king.size(), 2u);
    EXPECT_EQ(king[0], CASTLE_WHITE_KING_SIDE_MOVE);
    EXPECT_EQ(king[1], CASTLE_WHITE_QUEEN_SIDE_MOVE);
    EXPECT_EQ(listText(king), "e1g1 e1c1 e1d1 e1f1 e1d2 e1e2 e1f2");
}

TEST(MoveGeneration, GenerationLeavesThePositionAsItWas) {
    // Evasions lift the king, en passant lifts a pawn: both must be put back.
    for (const char* fen : {"8/8/8/KPp4r/8/8/8/7k w - c6", "8/8/8/8/8/8/8/r3K2k w - -"}) {
        auto p = positionFromFen(fen);
        auto before = std::make_unique<Position>(*p);
        legalMoves(*p);
        EXPECT_EQ(std::memcmp(before.get(), p.get(), offsetof(Position, plyStack)), 0) << fen;
    }
}

TEST(MoveGeneration, PinMaskIsTheLineToThePinner) {
    auto p = positionFromFen("4k3/4r3/8/8/8/4R3/8/4K3 w - -");
    EXPECT_EQ(pinMaskWhite(*p, 20), betweenMask[4][52] | squareBit[52]);  // rook e3, pinner e7
    EXPECT_EQ(pinMaskBlack(*p, 52), betweenMask[60][20] | squareBit[20]);  // and the black rook by it
    auto q = positionFromFen("4k3/4r3/8/8/4R3/4N3/8/4K3 w - -");
    EXPECT_EQ(pinMaskWhite(*q, 28), ALL_SQUARES);  // shielded by the knight in front of it
}

}  // namespace
