// Board geometry that needs no table: square bits, the eight directions, the knight's steps
// and the walk along a line. The per-square tables and the magic builders both read it; with
// it in a header of its own the tables build the magics and the magics never reach back.
#pragma once

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

// Squares reached from s in the direction, stopping after the first square in occupied
// (that square included) or at the edge.
constexpr Bitboard rayWalk(int direction, Square s, Bitboard occupied) {
    Bitboard result = 0;
    for (int r = rankOf(s) + directionRankStep[direction], f = fileOf(s) + directionFileStep[direction];
         r >= 0 && r < 8 && f >= 0 && f < 8; r += directionRankStep[direction], f += directionFileStep[direction]) {
        result |= squareBit[r * 8 + f];
        if (occupied & squareBit[r * 8 + f]) break;
    }
    return result;
}
