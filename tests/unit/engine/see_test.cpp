#include <memory>

#include <gtest/gtest.h>

#include "fen.h"
#include "move.h"
#include "position.h"
#include "see.h"
#include "test_support.h"

namespace {

Position& boardFrom(const char* fen) {
    static std::unique_ptr<Position> position = newPosition();
    setPositionFromText(*position, fen);
    return *position;
}

struct ExchangeCase {
    const char* what;
    const char* fen;
    MoveKind kind;
    const char* from;
    const char* to;
    PieceCode victim;
    Score expected;
};

// White captures first, then Black's mirror images.
const ExchangeCase EXCHANGE_CASES[] = {
    {"undefended rook taken by the queen", "k7/8/8/3r4/8/8/8/3Q3K w - -", MOVE_CPT_WQ, "d1", "d5", 13, 8050},
    {"pawn defended by a pawn taken by the queen", "k7/8/4p3/3p4/8/8/8/3Q3K w - -", MOVE_CPT_WQ, "d1", "d5", 9,
     8000 + 10 - 99},
    {"rook for rook", "k2r4/8/8/3r4/8/8/3R4/7K w - -", MOVE_CPT_WR, "d2", "d5", 13, 8000},
    {"queen behind the capturing rook recaptures", "k2r4/8/8/3r4/8/8/3R4/3Q3K w - -", MOVE_CPT_WR, "d2", "d5", 13,
     8050},
    {"queen behind the recapturing rook joins", "k2q4/3r4/8/3r4/8/8/3R4/3R3K w - -", MOVE_CPT_WR, "d2", "d5", 13,
     8000},
    {"bishop behind the recapturing pawn joins", "k7/1b6/2p5/3p4/4P3/8/8/3R3K w - -", MOVE_CPT_WP, "e4", "d5", 9,
     8000},
    {"cheapest defender recaptures first", "k7/8/1n1q4/3p4/8/8/3R4/3R3K w - -", MOVE_CPT_WR, "d2", "d5", 9,
     8000 + 10 - 50},
    {"queen declines a recapture that a pawn would punish", "k7/8/3q4/3p4/2P5/8/8/3R3K w - -", MOVE_CPT_WR, "d1",
     "d5", 9, 8010},
    {"king recaptures a lone attacker", "8/8/3k4/3p4/8/8/3R4/7K w - -", MOVE_CPT_WR, "d2", "d5", 9, 7960},
    {"king does not recapture into a defended square", "8/8/3k4/3p4/8/8/3R4/3R3K w - -", MOVE_CPT_WR, "d2", "d5", 9,
     8010},
    {"white stops before a recapture that would lose more", "3r3k/8/1n6/3pK3/8/8/3R4/3Q4 w - -", MOVE_CPT_WR,
     "d2", "d5", 9, 8000 + 10 - 50},
    {"black queen takes an undefended rook", "3q3k/8/8/8/3R4/8/8/K7 b - -", MOVE_CPT_BQ, "d8", "d4", 5, 8050},
    {"black queen takes a pawn defended by a pawn", "3q3k/8/8/8/3P4/4P3/8/K7 b - -", MOVE_CPT_BQ, "d8", "d4", 1,
     8000 + 10 - 99},
    {"white queen behind the recapturing rook joins", "3r3k/3r4/8/8/3R4/8/3R4/K2Q4 b - -", MOVE_CPT_BR, "d7", "d4",
     5, 8000},
    {"white keeps the pawn-for-knight trade because black would stop", "4r2k/8/5n2/8/4P3/3K4/8/4Q3 b - -",
     MOVE_CPT_BN, "f6", "e4", 1, 8010},
};

TEST(StaticExchange, ValuesOfExchangeSequences) {
    for (const ExchangeCase& c : EXCHANGE_CASES) {
        const Position& position = boardFrom(c.fen);
        const Move move = makeMoveWord(c.kind, sq(c.from), sq(c.to), c.victim);
        const Score value = position.sideToMove == 0 ? staticExchangeEvalWhite(position, move)
                                                     : staticExchangeEvalBlack(position, move);
        EXPECT_EQ(value, c.expected) << c.what;
    }
}

}  // namespace
