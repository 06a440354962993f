// Strictly legal move generation: no generated move leaves the mover's king attacked.
// The order of the list is behaviour: the search orders moves starting from it and the
// command loop falls back to its first move.
#pragma once

#include "bitops.h"
#include "move.h"
#include "position.h"
#include "tables.h"

constexpr Bitboard ALL_SQUARES = ~Bitboard{0};

template <Color C> inline const Bitboard* kingBetweenRow(const Position& p) {
    return C == White ? p.kingBetweenRowWhite : p.kingBetweenRowBlack;
}
template <Color C> inline const int32_t* kingDirectionRow(const Position& p) {
    return C == White ? p.kingDirectionRowWhite : p.kingDirectionRowBlack;
}

// Destinations that keep Us's king covered for the piece on s: the line from the king to
// the pinner (pinner included) when the piece is pinned, else every square.
template <Color Us> inline Bitboard pinMask(const Position& p, Square s) {
    constexpr Color Them = opposite(Us);
    const int d = kingDirectionRow<Us>(p)[s];
    if (d == NO_SQUARE) return ALL_SQUARES;
    const Square k = kingSquare<Us>(p);
    const Bitboard occupied = p.occupiedSquares;
    if (betweenMask[k][s] & occupied) return ALL_SQUARES;
    Bitboard candidates = pieces<Them>(p, QUEEN);
    if (d & 1) candidates |= pieces<Them>(p, DARK_BISHOP) | pieces<Them>(p, LIGHT_BISHOP);
    else candidates |= pieces<Them>(p, ROOK);
    for (candidates &= rays[s][d]; candidates; candidates &= candidates - 1) {
        const Square pinner = bitScanForward(candidates);
        if ((betweenMask[s][pinner] & occupied) == 0) return betweenMask[k][pinner] | squareBit[pinner];
    }
    return ALL_SQUARES;
}

inline Bitboard pinMaskWhite(const Position& p, Square s) { return pinMask<White>(p, s); }
inline Bitboard pinMaskBlack(const Position& p, Square s) { return pinMask<Black>(p, s); }

// Fill `list` (room for MOVE_LIST_SIZE words) with the legal moves of the side to move and
// return a pointer to the terminating 0. The position is changed only while one test runs
// and is restored before returning.
// The generators need one king a side, and their lists hold MOVE_LIST_SIZE moves, more
// than any position with the material of a game has; a set-up text can claim anything.
// True when the position is one the generators can serve.
bool generatorsCanRun(const Position& position);

// The same test for the side to move alone (false when sideToMove is neither colour): of
// the other side the generator reads only which squares it attacks, so it serves a
// position where that side's king is missing.
bool moverCanGenerate(const Position& position);

Move* generateMovesWhite(Position& position, Move* list);
Move* generateMovesBlack(Position& position, Move* list);

// The same, for colour templates (instantiated for both colours in movegen.cpp).
template <Color Us> Move* generateMoves(Position& position, Move* list);

// The captures and promotions of the side to move, which must not be in check, for the
// quiescence: pawns (en passant, promotions, captures), knights, dark-squared bishops,
// light-squared bishops, rooks, queens, the king; each piece's captures by victim from the
// queen down. Returns a pointer to the terminating 0.
Move* generateCapturesWhite(Position& position, Move* list);
Move* generateCapturesBlack(Position& position, Move* list);
template <Color Us> Move* generateCaptures(Position& position, Move* list);
