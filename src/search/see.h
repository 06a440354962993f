// Static exchange evaluation: what a capture wins once both sides have made every
// recapture that helps them on the capture square.
#pragma once

#include "move.h"
#include "position.h"
#include "types.h"

// Exchange values by PieceCode, the same for both colours.
constexpr int seeValue[16] = {0, 10, 32, 33, 33, 50, 99, 1000, 0, 10, 32, 33, 33, 50, 99, 1000};

// The PieceCode of the piece that moves, by MoveKind.
constexpr PieceCode kindMoverPiece[MOVE_KIND_COUNT] = {
    1, 1, 1, 1, 2, 3, 4, 5, 6, 7,       // White captures and promotions
    1, 1, 2, 3, 4, 5, 6, 7, 7, 7,       // White quiet moves and castling
    9, 9, 9, 9, 10, 11, 12, 13, 14, 15,  // Black captures and promotions
    9, 9, 10, 11, 12, 13, 14, 15, 15, 15};

// An exchange value of 8000 means the capture wins back exactly what it risks.
constexpr Score SEE_EVEN = 8000;

struct LeastValuableAttacker {
    PieceCode code;   // 0 when the set holds no piece of the colour
    Bitboard subset;  // the squares of the set held by pieces of that code
};

// The cheapest piece of colour By in the attacker set, found by testing the piece
// bitboards in value order.
template <Color By> inline LeastValuableAttacker leastValuableAttacker(const Position& position, Bitboard set) {
    for (PieceCode c = colored<By>(PAWN); c <= colored<By>(KING); ++c) {
        const Bitboard subset = position.pieceBitboards[c] & set;
        if (subset) return {c, subset};
    }
    return {EMPTY, 0};
}

inline LeastValuableAttacker leastValuableAttackerWhite(const Position& position, Bitboard set) {
    return leastValuableAttacker<White>(position, set);
}
inline LeastValuableAttacker leastValuableAttackerBlack(const Position& position, Bitboard set) {
    return leastValuableAttacker<Black>(position, set);
}

// The exchange value of a capture by piece of the side to move, for that side: 8000 plus
// the material it wins in seeValue units, so above 8000 the capture wins. The template is
// instantiated for both colours in see.cpp.
template <Color Us> Score staticExchangeEval(const Position& position, Move move);
Score staticExchangeEvalWhite(const Position& position, Move move);
Score staticExchangeEvalBlack(const Position& position, Move move);
