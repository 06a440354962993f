// The earlier engine's evaluation weights, one block kept inside the position record and
// rebuilt whenever the record is cleared.
#pragma once

#include "types.h"

namespace early {

// Square-indexed tables are stored per colour: the White entry of square s comes from the
// grid square s ^ 56 (grids are written rank 8 first), the Black entry from grid square s,
// so both colours read the same numbers from their own side of the board.
struct EvalTables {
    PackedScore mobility[12][32];     // by piece code and number of squares reached
    PackedScore pst[12][64];          // material plus square value, by piece code and square
    PackedScore passedPawn[2][64];    // by colour and square
    PackedScore doubledPawn[2][64];   // by colour and square
    PackedScore isolatedPawn[2][64];  // by colour and square
    PackedScore bishopPair;
    PackedScore rookHalfOpenFile;
    PackedScore rookOpenFile;
    PackedScore rookOnSeventh;
    PackedScore queenOnSeventh;
};

constexpr PackedScore BISHOP_PAIR_BONUS = packScore(40, 40);
constexpr PackedScore ROOK_HALF_OPEN_FILE_BONUS = packScore(15, 15);
constexpr PackedScore ROOK_OPEN_FILE_BONUS = packScore(30, 30);
constexpr PackedScore ROOK_ON_SEVENTH_BONUS = packScore(20, 40);
constexpr PackedScore QUEEN_ON_SEVENTH_BONUS = packScore(10, 20);

void initPieceSquareTables(EvalTables& tables);
void initMobilityTables(EvalTables& tables);
void initPassedPawnTable(EvalTables& tables);
void initDoubledPawnTable(EvalTables& tables);
void initIsolatedPawnTable(EvalTables& tables);

}  // namespace early
