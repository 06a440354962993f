// Clearing the earlier engine's position record and setting it up from FEN text.
#include "position.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "early_test_support.h"
#include "makemove.h"
#include "zobrist.h"

using namespace early;
using early_test::positionFromFen;

namespace {

constexpr Square sq(const char* name) { return (name[0] - 'a') + 8 * (name[1] - '1'); }

}  // namespace

TEST(EarlyPosition, StartPosition) {
    constructGamePosition();
    const Position& pos = gamePosition;
    EXPECT_EQ(pos.menCountWhite, 16);
    EXPECT_EQ(pos.menCountBlack, 16);
    EXPECT_EQ(pos.occupiedWhite, 0xFFFFULL);
    EXPECT_EQ(pos.occupiedBlack, 0xFFFF000000000000ULL);
    EXPECT_EQ(pos.emptySquares, 0x0000FFFFFFFF0000ULL);
    EXPECT_EQ(pos.pieceBits[WHITE_KING], squareBit(4));
    EXPECT_EQ(pos.pieceBits[BLACK_QUEEN], squareBit(59));
    EXPECT_EQ(pos.kingSquareWhite, 4);
    EXPECT_EQ(pos.kingSquareBlack, 60);
    EXPECT_EQ(pos.kingBetweenRowWhite[7], 0x60ULL);  // f1, g1 between e1 and h1
    EXPECT_EQ(pos.kingDirectionRowBlack[sq("a4")], 7);
    EXPECT_EQ(pos.sideToMove, 0);
    EXPECT_EQ(pos.currentState, &pos.stateStack[0]);
    EXPECT_EQ(pos.nextState, &pos.stateStack[1]);
    EXPECT_EQ(pos.currentState->castling, 15);
    EXPECT_EQ(pos.currentState->epSquare, NO_SQUARE);
    EXPECT_EQ(pos.currentState->halfmoveClock, 0);
    EXPECT_EQ(pos.currentState->checkers, 0u);
    EXPECT_EQ(pos.currentState->key, computeHashKey(pos));
    // K e1, Q d1, two each of R, B, N on their squares and the pawns of the second rank.
    EXPECT_EQ(pos.pstSumWhite, packScore(3825, 3890));
    EXPECT_EQ(pos.pstSumBlack, pos.pstSumWhite);
    EXPECT_TRUE(positionConsistent(pos));
}

// The key a set-up computes is the one that make keeps up move by move: a line of moves,
// castling, en passant and promotions among them, ends on the key of its last position set
// up from scratch.
TEST(EarlyPosition, SetUpKeysEqualTheOnesMovesReach) {
    struct Case {
        const char* fen;
        std::vector<const char*> line;
        const char* reached;
    } cases[] = {
        {START_POSITION_FEN, {"g1f3", "g8f6", "f3g1", "f6g8"}, START_POSITION_FEN},
        {START_POSITION_FEN, {"e2e4", "d7d5", "e4d5", "c7c5", "d5c6", "b7c6", "f1a6", "c8a6"},
         "rn1qkbnr/p3pppp/b1p5/8/8/8/PPPP1PPP/RNBQK1NR w KQkq - 0 5"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", {"e1c1", "e8g8"}, "r4rk1/8/8/8/8/8/8/2KR3R w - - 2 2"},
        {"4k3/1P6/8/8/8/8/6p1/4K2R b K - 0 1", {"g2h1n", "b7b8q"}, "1Q2k3/8/8/8/8/8/8/4K2n b - - 0 2"},
    };
    for (const Case& c : cases) {
        auto pos = positionFromFen(c.fen);
        for (const char* text : c.line) {
            const Move move = early_test::findMove(*pos, text);
            ASSERT_NE(move, 0u) << text;
            ASSERT_TRUE(makeMove(*pos, move)) << text;
        }
        EXPECT_EQ(pos->currentState->key, positionFromFen(c.reached)->currentState->key) << c.reached;
        EXPECT_EQ(pos->currentState->key, computeHashKey(*pos)) << c.reached;
    }
}

TEST(EarlyPosition, ClearSetsDefaultsAndKeepsTheSideToMove) {
    auto pos = positionFromFen("4k3/8/8/8/8/8/8/4K3 b - - 7 1");
    pos->timeLeft = 5;
    pos->increment = 9;
    pos->movesPerControl = 40;
    pos->postThinking = 0;
    pos->searchId = 3;
    pos->movesMadeWhite = pos->movesMadeBlack = 12;
    pos->stateStack[700].key = 99;
    pos->nodes = 1234;
    clearPosition(*pos);
    EXPECT_EQ(pos->timeLeft, 60000);
    EXPECT_EQ(pos->movesPerControl, 0);
    EXPECT_EQ(pos->increment, 0);
    EXPECT_EQ(pos->postThinking, 1);
    EXPECT_EQ(pos->searchId, 0);
    EXPECT_EQ(pos->movesMadeWhite, 0);
    EXPECT_EQ(pos->movesMadeBlack, 0);
    EXPECT_EQ(pos->emptySquares, ~Bitboard{0});
    EXPECT_EQ(pos->occupied, 0u);
    EXPECT_EQ(pos->menCountWhite + pos->menCountBlack, 0);
    EXPECT_EQ(pos->kingSquareWhite, NO_SQUARE);
    EXPECT_EQ(pos->stateStack[700].key, 0u);
    EXPECT_EQ(pos->currentState->halfmoveClock, 0);
    EXPECT_EQ(pos->currentState->epSquare, NO_SQUARE);
    EXPECT_EQ(pos->sideToMove, 1);
    EXPECT_EQ(pos->nodes, 1234);
    EXPECT_EQ(pos->evalTables.bishopPair, 0x280028);
    EXPECT_EQ(pos->evalTables.rookHalfOpenFile, 0xF000F);
    EXPECT_EQ(pos->evalTables.rookOpenFile, 0x1E001E);
    EXPECT_EQ(pos->evalTables.rookOnSeventh, 0x140028);
    EXPECT_EQ(pos->evalTables.queenOnSeventh, 0xA0014);
}

TEST(EarlyPosition, CastlingField) {
    struct Case {
        const char* field;
        int rights;
    } cases[] = {{"-", 0}, {"KQkq", 15}, {"kqKQ", 15}, {"Kx", 1}, {"q", 8}, {"Qk", 6}};
    for (const Case& c : cases) {
        auto pos = positionFromFen(std::string("r3k2r/8/8/8/8/8/8/R3K2R w ") + c.field + " - 0 1");
        EXPECT_EQ(pos->currentState->castling, c.rights) << c.field;
    }
}

TEST(EarlyPosition, EnPassantField) {
    struct Case {
        const char* fen;
        int epSquare;
    } cases[] = {
        {"4k3/8/8/8/4P3/8/8/4K3 b - e3 0 1", 20},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", 43},
        // Squares no double step can have passed, or without the pawn that made it.
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d3 0 1", NO_SQUARE},
        {"4k3/8/8/8/4P3/8/8/4K3 b - e6 0 1", NO_SQUARE},
        {"4k3/8/8/4P3/8/8/8/4K3 w - d6 0 1", NO_SQUARE},
        {"4k3/8/3n4/3pP3/8/8/8/4K3 w - d6 0 1", NO_SQUARE},
        {"4k3/8/8/8/4P3/8/8/4K3 b - e9 0 1", NO_SQUARE},
        {"4k3/8/8/8/4P3/8/8/4K3 b - z3 0 1", NO_SQUARE},
        {"4k3/8/8/8/4P3/8/8/4K3 b - e 0 1", NO_SQUARE},
    };
    for (const Case& c : cases) EXPECT_EQ(positionFromFen(c.fen)->currentState->epSquare, c.epSquare) << c.fen;
}

TEST(EarlyPosition, CountersAndSideLetter) {
    auto pos = positionFromFen("4k3/8/8/8/8/8/8/4K3 b - - 37 80");
    EXPECT_EQ(pos->currentState->halfmoveClock, 37);
    EXPECT_EQ(pos->sideToMove, 1);
    // Neither w nor b keeps the side of the record as it was.
    setPositionFromFen(*pos, "4k3/8/8/8/8/8/8/4K3 x - - x 1");
    EXPECT_EQ(pos->sideToMove, 1);
    EXPECT_EQ(pos->currentState->halfmoveClock, 0);

    // The full-move number changes nothing.
    setPositionFromFen(*pos, "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 3 1");
    auto snapshot = std::make_unique<Position>();
    std::memcpy(snapshot.get(), pos.get(), sizeof(Position));
    setPositionFromFen(*pos, "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 3 987654321987654321");
    EXPECT_EQ(std::memcmp(snapshot.get(), pos.get(), sizeof(Position)), 0);
}

TEST(EarlyPosition, PlacementSkipsUnknownCharacters) {
    // "0" and "9" do not move the square: the first rank reads R on a1 and K on b1.
    auto pos = positionFromFen("4k3/8/8/8/8/8/8/R0K9 w - - 0 1");
    EXPECT_EQ(pos->pieceBits[WHITE_ROOK], squareBit(sq("a1")));
    EXPECT_EQ(pos->kingSquareWhite, sq("b1"));
    auto other = positionFromFen("4k3/8/8/8/8/8/8/RxK5 w - - 0 1");
    EXPECT_EQ(other->kingSquareWhite, sq("b1"));
}

TEST(EarlyPosition, CheckersOfTheSideToMove) {
    struct Case {
        const char* fen;
        Bitboard checkers;
    } cases[] = {
        {"4k3/8/8/8/Q7/8/8/4K3 b - - 0 1", squareBit(sq("a4"))},
        {"4k3/8/8/1P6/Q7/8/8/4K3 b - - 0 1", 0},
        {"4k3/8/8/1n6/Q7/8/8/4K3 b - - 0 1", 0},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", 0},
        {"4k3/8/8/8/8/8/3p1n2/4K2r w - - 0 1", squareBit(sq("d2")) | squareBit(sq("h1"))},
        {"4k3/8/8/8/8/8/5n2/4K3 w - - 0 1", 0},
        {"4k3/8/8/8/8/5n2/8/4K3 w - - 0 1", squareBit(sq("f3"))},
        // No king to check for the side to move, whatever the other side attacks.
        {"q3k3/8/8/8/8/8/8/7r w - - 0 1", 0},
        {"R7/8/8/8/8/8/8/4K2Q b - - 0 1", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(positionFromFen(c.fen)->currentState->checkers, c.checkers) << c.fen;
    // Those two set-ups stand, with the side to move's king missing and its men placed.
    EXPECT_EQ(positionFromFen("q3k3/8/8/8/8/8/8/7r w - - 0 1")->kingSquareWhite, NO_SQUARE);
    EXPECT_EQ(positionFromFen("R7/8/8/8/8/8/8/4K2Q b - - 0 1")->kingSquareBlack, NO_SQUARE);
    EXPECT_EQ(positionFromFen("R7/8/8/8/8/8/8/4K2Q b - - 0 1")->menCountWhite, 3);
}

// Whatever the text, set-up stays inside its arrays and leaves a record whose sums, counts
// and occupancies agree with its piece sets.
TEST(EarlyPosition, HostileTextsKeepTheRecordSound) {
    const std::string longDigits(20000, '8');
    const std::string longSlashes(20000, '/');
    const std::string manyKings(300, 'K');
    const std::string texts[] = {
        "",
        " ",
        "K",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq e3",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 99999999999999999999",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - -2147483649 -",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR/rnbqkbnr/pppppppp/8/8/8 w - - 0 1",
        "KKKKKKKKKKKKKKKKKKKKKKKKKKKKKK/kkkkkkkkkkkkkkk w - - 0 1",
        "K7/7k/8/8/8/8/8/8/8/8/8/8/8/8/8/8/8/8/8/Q w - - 0 1",
        "K/8/8k w - - 0 1",
        "8/8/8/8/8/8/8/8/pppppppp/PPPPPPPP w - - 0 1",
        "k7/8/8/8/8/8/8/8 w KQkq a0 0 1",
        "4k3/8/8/8/8/8/8/4K3 w - h9",
        "4k3/8/8/8/8/8/8/4K3 \xff \x80\x90 \xfe\xfe 1 1",
        "\xc3\xa9\xc3\xa8/8/8/8/8/8/8/8 w - - 0 1",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR\tw\nKQkq\r-\v0\f1",
        longDigits + "K w - - 0 1",
        longSlashes + "K w - - 0 1",
        "K7/8/8/8/8/8/8/7k w - - " + longDigits,
        manyKings + " b - - 0 1",
    };
    for (const std::string& text : texts) {
        auto pos = std::make_unique<Position>();
        const char* end = setPositionFromFen(*pos, text.c_str());
        ASSERT_GE(end, text.c_str());
        ASSERT_LE(end, text.c_str() + text.size());
        EXPECT_TRUE(positionConsistent(*pos)) << text.substr(0, 80);
        const int32_t ep = pos->currentState->epSquare;
        EXPECT_TRUE(ep == NO_SQUARE || (ep >= 16 && ep < 24) || (ep >= 40 && ep < 48)) << text.substr(0, 80);
        EXPECT_LE(pos->menCountWhite + pos->menCountBlack, 64);
    }
}

TEST(EarlyPosition, AddKingPlacesOnlyKingsOnTheBoard) {
    auto pos = std::make_unique<Position>();
    clearPosition(*pos);
    addKing(*pos, sq("g8"), BLACK_KING);
    addKing(*pos, sq("c3"), WHITE_QUEEN);
    addKing(*pos, 64, WHITE_KING);
    addKing(*pos, -1, WHITE_KING);
    EXPECT_EQ(pos->occupied, squareBit(sq("g8")));
    EXPECT_EQ(pos->kingSquareBlack, sq("g8"));
    EXPECT_EQ(pos->kingSquareWhite, NO_SQUARE);
    EXPECT_EQ(pos->pstSumBlack, pos->evalTables.pst[BLACK_KING][sq("g8")]);
    EXPECT_EQ(pos->menCountBlack, 1);
}
