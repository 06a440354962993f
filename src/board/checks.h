// Check detection after a move, on the board as the move left it. Each test returns an empty
// set or the square of one piece of colour Us (the mover) that checks the enemy king.
// Make stores the union of the tests of the move's kind instead of scanning the king's square.
#pragma once

#include "bitops.h"
#include "movegen.h"
#include "position.h"
#include "tables.h"

template <Color Us> inline Bitboard directCheckPawn(const Position& p, Square to) {
    const Bitboard* table = Us == White ? pawnAttacksWhite : pawnAttacksBlack;
    return (table[to] & pieces<opposite(Us)>(p, KING)) ? squareBit[to] : 0;
}

template <Color Us> inline Bitboard directCheckKnight(const Position& p, Square to) {
    return (knightAttacks[to] & pieces<opposite(Us)>(p, KING)) ? squareBit[to] : 0;
}

// A slider on `to` checks when its empty-board lines reach the king and nothing stands between.
template <Color Us> inline Bitboard directCheckSlider(const Position& p, Square to, const Bitboard* emptyAttacks) {
    constexpr Color Them = opposite(Us);
    if ((emptyAttacks[to] & pieces<Them>(p, KING)) && (kingBetweenRow<Them>(p)[to] & p.occupiedSquares) == 0)
        return squareBit[to];
    return 0;
}

template <Color Us> inline Bitboard directCheckBishop(const Position& p, Square to) {
    return directCheckSlider<Us>(p, to, bishopEmptyAttacks);
}
template <Color Us> inline Bitboard directCheckRook(const Position& p, Square to) {
    return directCheckSlider<Us>(p, to, rookEmptyAttacks);
}
template <Color Us> inline Bitboard directCheckQueen(const Position& p, Square to) {
    return directCheckSlider<Us>(p, to, queenEmptyAttacks);
}

// The slider of Us that a vacated square v uncovers on the enemy king, if any.
template <Color Us> inline Bitboard discoveredCheck(const Position& p, Square v) {
    constexpr Color Them = opposite(Us);
    const int d = kingDirectionRow<Them>(p)[v];
    if (d == NO_SQUARE) return 0;
    const Square k = kingSquare<Them>(p);
    const Bitboard king = squareBit[k];
    Bitboard candidates = pieces<Us>(p, QUEEN);
    if (bishopEmptyAttacks[v] & king) candidates |= pieces<Us>(p, DARK_BISHOP) | pieces<Us>(p, LIGHT_BISHOP);
    if (rookEmptyAttacks[v] & king) candidates |= pieces<Us>(p, ROOK);
    const Bitboard* between = kingBetweenRow<Them>(p);
    for (candidates &= rays[k][d]; candidates; candidates &= candidates - 1) {
        const Square s = bitScanForward(candidates);
        if ((between[s] & p.occupiedSquares) == 0) return squareBit[s];
    }
    return 0;
}

inline Bitboard directCheckPawnWhite(const Position& p, Square to) { return directCheckPawn<White>(p, to); }
inline Bitboard directCheckPawnBlack(const Position& p, Square to) { return directCheckPawn<Black>(p, to); }
inline Bitboard directCheckKnightWhite(const Position& p, Square to) { return directCheckKnight<White>(p, to); }
inline Bitboard directCheckKnightBlack(const Position& p, Square to) { return directCheckKnight<Black>(p, to); }
inline Bitboard directCheckBishopWhite(const Position& p, Square to) { return directCheckBishop<White>(p, to); }
inline Bitboard directCheckBishopBlack(const Position& p, Square to) { return directCheckBishop<Black>(p, to); }
inline Bitboard directCheckRookWhite(const Position& p, Square to) { return directCheckRook<White>(p, to); }
inline Bitboard directCheckRookBlack(const Position& p, Square to) { return directCheckRook<Black>(p, to); }
inline Bitboard directCheckQueenWhite(const Position& p, Square to) { return directCheckQueen<White>(p, to); }
inline Bitboard directCheckQueenBlack(const Position& p, Square to) { return directCheckQueen<Black>(p, to); }
inline Bitboard discoveredCheckWhite(const Position& p, Square v) { return discoveredCheck<White>(p, v); }
inline Bitboard discoveredCheckBlack(const Position& p, Square v) { return discoveredCheck<Black>(p, v); }
