// Board geometry: per-square tables computed once by initTables and read-only afterwards.
#pragma once

#include <cstdint>

#include "geometry.h"
#include "types.h"

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

// Builds every table of the engine: geometry, magic attacks, keys and evaluation tables.
// Called once before any position is set up.
void initTables();
