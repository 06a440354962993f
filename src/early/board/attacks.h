// Which men attack a square. The tests use the empty-board tables and the between table,
// so no slider attack set is generated.
#pragma once

#include "bitboards.h"
#include "bitops.h"
#include "position.h"

namespace early {

// The squares from which a pawn of colour By attacks s are those a pawn of the other colour
// on s would attack.
template <Color By> inline Bitboard pawnAttackersFrom(Square s) {
    return By == White ? pawnAttacksBlack[s] : pawnAttacksWhite[s];
}

template <Color Us> inline Bitboard pawnAttacksOf(Square s) {
    return Us == White ? pawnAttacksWhite[s] : pawnAttacksBlack[s];
}

// The men of colour By that attack s for the occupancy occ.
template <Color By> inline Bitboard attackersOf(const Position& pos, Square s, Bitboard occ) {
    Bitboard attackers = (kingAttacks[s] & piecesOf<By>(pos, WHITE_KING)) |
                         (knightAttacks[s] & piecesOf<By>(pos, WHITE_KNIGHT)) |
                         (pawnAttackersFrom<By>(s) & piecesOf<By>(pos, WHITE_PAWN));
    const Bitboard queens = piecesOf<By>(pos, WHITE_QUEEN);
    Bitboard sliders = (bishopEmptyAttacks[s] & (queens | piecesOf<By>(pos, WHITE_BISHOP))) |
                       (rookEmptyAttacks[s] & (queens | piecesOf<By>(pos, WHITE_ROOK)));
    while (sliders != 0) {
        const Square a = popLowest(sliders);
        if ((betweenMask[a][s] & occ) == 0) attackers |= squareBit(a);
    }
    return attackers;
}

template <Color By> inline bool isAttackedBy(const Position& pos, Square s, Bitboard occ) {
    if (kingAttacks[s] & piecesOf<By>(pos, WHITE_KING)) return true;
    if (knightAttacks[s] & piecesOf<By>(pos, WHITE_KNIGHT)) return true;
    if (pawnAttackersFrom<By>(s) & piecesOf<By>(pos, WHITE_PAWN)) return true;
    const Bitboard queens = piecesOf<By>(pos, WHITE_QUEEN);
    Bitboard sliders = (bishopEmptyAttacks[s] & (queens | piecesOf<By>(pos, WHITE_BISHOP))) |
                       (rookEmptyAttacks[s] & (queens | piecesOf<By>(pos, WHITE_ROOK)));
    while (sliders != 0)
        if ((betweenMask[popLowest(sliders)][s] & occ) == 0) return true;
    return false;
}

}  // namespace early
