// Board geometry: per-square tables computed once by initTables and read-only afterwards.
#pragma once

#include <cstdint>

#include "types.h"

constexpr Bitboard makeSquareBits(int n) { return Bitboard{1} << n; }

constexpr Bitboard squareBit[64] = {
#define SQ8(r) makeSquareBits(8 * (r) + 0), makeSquareBits(8 * (r) + 1), makeSquareBits(8 * (r) + 2), \
               makeSquareBits(8 * (r) + 3), makeSquareBits(8 * (r) + 4), makeSquareBits(8 * (r) + 5), \
               makeSquareBits(8 * (r) + 6), makeSquareBits(8 * (r) + 7)
    SQ8(0), SQ8(1), SQ8(2), SQ8(3), SQ8(4), SQ8(5), SQ8(6), SQ8(7)
#undef SQ8
};

// Directions clockwise from west: 0 W, 1 NW, 2 N, 3 NE, 4 E, 5 SE, 6 S, 7 SW.
// Even numbers are rank and file lines, odd numbers diagonals.
constexpr int DIRECTION_WEST = 0, DIRECTION_NORTH_WEST = 1, DIRECTION_NORTH = 2, DIRECTION_NORTH_EAST = 3,
              DIRECTION_EAST = 4, DIRECTION_SOUTH_EAST = 5, DIRECTION_SOUTH = 6, DIRECTION_SOUTH_WEST = 7;
constexpr int directionRankStep[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int directionFileStep[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
constexpr int knightRankStep[8] = {1, 2, 2, 1, -1, -2, -2, -1};
constexpr int knightFileStep[8] = {-2, -1, 1, 2, 2, 1, -1, -2};

constexpr int rankOf(Square s) { return s >> 3; }
constexpr int fileOf(Square s) { return s & 7; }

extern Bitboard fileMask[64];
extern Bitboard adjacentFileMask[64];
extern Bitboard passedPawnMaskWhite[64];
extern Bitboard passedPawnMaskBlack[64];
extern Bitboard attackSpanWhite[64];
extern Bitboard attackSpanBlack[64];
extern int32_t directionIndex[64][64];  // NO_SQUARE when not on one line, and for s == t
extern Bitboard betweenMask[64][64];
extern Bitboard rays[64][8];
extern Bitboard kingAttacks[64];
extern Bitboard knightAttacks[64];
extern Bitboard flankNeighbours[64];
extern Bitboard queenEmptyAttacks[64];
extern Bitboard rookEmptyAttacks[64];
extern Bitboard bishopEmptyAttacks[64];
extern Bitboard pawnAttacksWhite[64];
extern Bitboard pawnAttacksBlack[64];
extern Bitboard kingZoneWhite[64];
extern Bitboard kingZoneBlack[64];

// Squares reached from s in the direction, stopping after the first square in occupied
// (that square included) or at the edge.
Bitboard rayWalk(int direction, Square s, Bitboard occupied);

// Builds every table of the engine: geometry, magic attacks, keys and evaluation tables.
// Called once before any position is set up.
void initTables();
