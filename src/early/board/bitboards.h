// The earlier engine's geometry tables: every question of what a man attacks, what lies
// between two squares, on which line two squares stand and which squares lie ahead of a
// pawn is one lookup. initBitboardTables fills them once, before any position is set up.
#pragma once

#include <cstdint>

#include "magics.h"
#include "types.h"

namespace early {

// Directions 0 W, 1 NW, 2 N, 3 NE, 4 E, 5 SE, 6 S, 7 SW as (rank step, file step); even
// numbers are rook lines, odd numbers diagonals.
inline constexpr int DIRECTION_DELTAS[8][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
inline constexpr int KNIGHT_DELTAS[8][2] = {{1, -2}, {2, -1}, {2, 1}, {1, 2}, {-1, 2}, {-2, 1}, {-2, -1}, {-1, -2}};

constexpr Bitboard ALL_SQUARES = ~Bitboard{0};

extern Bitboard fileMask[64];
extern Bitboard fileMaskExclusive[64];
extern Bitboard adjacentFileMask[64];
extern Bitboard passedPawnMaskWhite[64];
extern Bitboard passedPawnMaskBlack[64];
extern int32_t directionIndex[64][64];  // direction from the first square to the second, or NO_SQUARE
extern Bitboard betweenMask[64][64];    // squares strictly between two squares on one line
extern Bitboard kingAttacks[64];
extern Bitboard knightAttacks[64];
extern Bitboard pawnAttacksWhite[64];
extern Bitboard pawnAttacksBlack[64];
extern Bitboard rookEmptyAttacks[64];
extern Bitboard bishopEmptyAttacks[64];
extern Bitboard queenEmptyAttacks[64];
extern Bitboard rayAttacks[64][8];  // from the square to the edge in one direction, the square excluded

// The squares from square in direction, one step at a time, up to and including the first
// square in blockers (or to the edge). For building tables only.
Bitboard slidingAttacksSlow(int direction, Square square, Bitboard blockers);

void initBitboardTables();

}  // namespace early
