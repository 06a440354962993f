// Weight tables of the evaluation and of the running piece-square sums. Every weight is a
// PackedScore (opening << 16) + endgame.
#pragma once

#include "types.h"

constexpr int phaseWeights[16] = {0, 0, 3, 3, 3, 5, 9, 0, 0, 0, 3, 3, 3, 5, 9, 0};

extern PackedScore pieceSquareTable[16][64];  // material included; rows 0 and 8 stay 0
extern PackedScore knightOutpost[2][64];      // by Color, then square
extern PackedScore bishopOutpost[2][64];
extern PackedScore isolatedPawnPenalty[2][64];
extern PackedScore doubledPawnPenalty[2][64];
extern PackedScore passedPawnBonus[2][64];
// By the larger of the rank and file distances to the enemy king.
extern PackedScore knightTropism[8];
extern PackedScore bishopTropism[8];
extern PackedScore rookTropism[8];
extern PackedScore queenTropism[8];
// By the number of reachable squares; the same for both colours and bishop kinds.
constexpr int MOBILITY_SIZE = 32;
extern PackedScore knightMobility[MOBILITY_SIZE];
extern PackedScore bishopMobility[MOBILITY_SIZE];
extern PackedScore rookMobility[MOBILITY_SIZE];
extern PackedScore queenMobility[MOBILITY_SIZE];

void initPieceSquareTable();
void initMobilityTables();
void initSquareTablesA();
void initSmallWeightTables();
void initSquareTablesB();
void initSquareTablesC();
void initSquareTablesD();
