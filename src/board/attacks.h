// Which pieces of a side attack a square, with the position's full occupancy.
#pragma once

#include "magic.h"
#include "position.h"
#include "tables.h"

// The pieces of colour By attacking s. A By pawn attacks s from the squares that a pawn of
// the other colour on s would attack, hence the other colour's pawn table.
template <Color By> inline Bitboard attackers(const Position& position, Square s) {
    const Bitboard* p = position.pieceBitboards;
    const Bitboard occupied = position.occupiedSquares;
    const Bitboard queens = p[colored<By>(QUEEN)];
    const Bitboard* pawnTable = By == White ? pawnAttacksBlack : pawnAttacksWhite;
    return (bishopAttacks(s, occupied) & (queens | p[colored<By>(DARK_BISHOP)] | p[colored<By>(LIGHT_BISHOP)])) |
           (rookAttacks(s, occupied) & (queens | p[colored<By>(ROOK)])) | (kingAttacks[s] & p[colored<By>(KING)]) |
           (knightAttacks[s] & p[colored<By>(KNIGHT)]) | (pawnTable[s] & p[colored<By>(PAWN)]);
}

template <Color By> inline bool isAttackedBy(const Position& position, Square s) {
    return attackers<By>(position, s) != 0;
}

inline Bitboard attackersWhite(const Position& position, Square s) { return attackers<White>(position, s); }
inline Bitboard attackersBlack(const Position& position, Square s) { return attackers<Black>(position, s); }
inline bool isAttackedByWhite(const Position& position, Square s) { return isAttackedBy<White>(position, s); }
inline bool isAttackedByBlack(const Position& position, Square s) { return isAttackedBy<Black>(position, s); }

// Every piece of either colour bearing on s when only `occupied` blocks lines. Not masked
// with `occupied`: the exchange evaluation lifts pieces from it to reveal x-ray attackers.
inline Bitboard allAttackersTo(const Position& position, Bitboard occupied, Square s) {
    const Bitboard* p = position.pieceBitboards;
    const Bitboard bishops = p[DARK_BISHOP] | p[LIGHT_BISHOP] | p[DARK_BISHOP + BLACK_OFFSET] |
                             p[LIGHT_BISHOP + BLACK_OFFSET];
    const Bitboard queens = p[QUEEN] | p[QUEEN + BLACK_OFFSET];
    const Bitboard diagonal = bishopAttacks(s, occupied);
    const Bitboard straight = rookAttacks(s, occupied);
    return (diagonal & bishops) | ((diagonal | straight) & queens) |
           (straight & (p[ROOK] | p[ROOK + BLACK_OFFSET])) | (kingAttacks[s] & (p[KING] | p[KING + BLACK_OFFSET])) |
           (knightAttacks[s] & (p[KNIGHT] | p[KNIGHT + BLACK_OFFSET])) |
           (pawnAttacksWhite[s] & p[PAWN + BLACK_OFFSET]) | (pawnAttacksBlack[s] & p[PAWN]);
}
