#include "evaltables.h"

PackedScore pieceSquareTable[16][64];
PackedScore knightOutpost[2][64];
PackedScore bishopOutpost[2][64];
PackedScore isolatedPawnPenalty[2][64];
PackedScore doubledPawnPenalty[2][64];
PackedScore passedPawnBonus[2][64];
PackedScore knightTropism[8];
PackedScore bishopTropism[8];
PackedScore rookTropism[8];
PackedScore queenTropism[8];
PackedScore knightMobility[MOBILITY_SIZE];
PackedScore bishopMobility[MOBILITY_SIZE];
PackedScore rookMobility[MOBILITY_SIZE];
PackedScore queenMobility[MOBILITY_SIZE];

namespace {

// Grids are written as White sees the board: first row rank 8, files a to h.
using Grid = int[64];

constexpr Grid PAWN_GRID = {
    0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  1, 0, 2, 2, 2, 2, 0, 1,  2, 2, 4, 4, 4, 4, 2, 2,
    2, 4, 6, 6, 6, 6, 4, 2,  2, 2, 4, 4, 4, 4, 2, 2,  1, 4, 2, 2, 2, 2, 4, 1,  0, 0, 0, 0, 0, 0, 0, 0};

constexpr Grid KNIGHT_OPENING = {
    -60, -40, -30, -28, -28, -30, -40, -60,  -36, -20, -10, -6, -6, -10, -20, -36,
    -20, -4,  8,   12,  12,  8,   -4,  -20,  -10, 6,   16,  20, 20, 16,  6,   -10,
    -6,  12,  22,  26,  26,  22,  12,  -6,   -8,  10,  20,  24, 24, 20,  10,  -8,
    -16, 0,   12,  16,  16,  12,  0,   -16,  -60, -20, -10, -6, -6, -10, -20, -60};
constexpr Grid KNIGHT_ENDGAME = {
    -18, -12, -6, 0,  0,  -6, -12, -18,  -12, -6, 0,  6,  6,  0,  -6, -12,
    -6,  0,   6,  12, 12, 6,  0,   -6,   0,   6,  12, 18, 18, 12, 6,  0,
    0,   6,   12, 18, 18, 12, 6,   0,    -6,  0,  6,  12, 12, 6,  0,  -6,
    -12, -6,  0,  6,  6,  0,  -6,  -12,  -18, -12, -6, 0, 0,  -6, -12, -18};

constexpr Grid BISHOP_OPENING = {
    -7, -8, -11, -13, -13, -11, -8, -7,  -3, 3,  0,   -2,  -2,  0,   3,  -3,
    -6, 0,  7,   6,   6,   7,   0,  -6,  -8, -2, 6,   15,  15,  6,   -2, -8,
    -8, -2, 6,   15,  15,  6,   -2, -8,  -6, 0,  7,   6,   6,   7,   0,  -6,
    -3, 3,  0,   -2,  -2,  0,   3,  -3,  -7, -8, -15, -13, -13, -15, -8, -7};
constexpr Grid BISHOP_ENDGAME = {
    -9, -6, -3, 0, 0, -3, -6, -9,  -6, -3, 0, 3, 3, 0, -3, -6,  -3, 0, 3, 6, 6, 3, 0, -3,
    0,  3,  6,  9, 9, 6,  3,  0,   0,  3,  6, 9, 9, 6, 3,  0,   -3, 0, 3, 6, 6, 3, 0, -3,
    -6, -3, 0,  3, 3, 0,  -3, -6,  -9, -6, -3, 0, 0, -3, -6, -9};

constexpr Grid ROOK_OPENING = {
    -9, 0, 9, 10, 10, 9, 0, -9,  -9, 0, 9, 10, 10, 9, 0, -9,  -9, 0, 9, 10, 10, 9, 0, -9,
    -9, 0, 9, 10, 10, 9, 0, -9,  -9, 0, 9, 10, 10, 9, 0, -9,  -9, 0, 9, 10, 10, 9, 0, -9,
    -9, 0, 9, 10, 10, 9, 0, -9,  -9, 0, 9, 10, 10, 9, 0, -9};
constexpr Grid ROOK_ENDGAME = {
    0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 1, 1,  2, 2, 2, 2, 2, 2, 2, 2,  4, 4, 4, 4, 4, 4, 4, 4,  6, 6, 6, 6, 6, 6, 6, 6};

constexpr Grid QUEEN_GRID = {
    -9, -6, -3, 0, 0, -3, -6, -9,  -6, -3, 0, 3, 3, 0, -3, -6,  -3, 0, 3, 6, 6, 3, 0, -3,
    0,  3,  6,  9, 9, 6,  3,  0,   0,  3,  6, 9, 9, 6, 3,  0,   -3, 0, 3, 6, 6, 3, 0, -3,
    -6, -3, 0,  3, 3, 0,  -3, -6,  -9, -6, -3, 0, 0, -3, -6, -9};

constexpr Grid KING_OPENING = {
    -40, -40, -40, -40, -40, -40, -40, -40,  -40, -40, -40, -40, -40, -40, -40, -40,
    -40, -40, -40, -40, -40, -40, -40, -40,  -40, -40, -40, -40, -40, -40, -40, -40,
    -40, -40, -40, -40, -40, -40, -40, -40,  -30, -30, -30, -30, -30, -30, -30, -30,
    -20, -20, -20, -20, -20, -20, -20, -20,  -10, 0,   0,   -20, -5,  -20, 0,   -10};
constexpr Grid KING_ENDGAME = {
    0,  10, 20, 30, 30, 20, 10, 0,   10, 30, 40, 50, 50, 40, 30, 10,  20, 40, 60, 70, 70, 60, 40, 20,
    30, 50, 70, 80, 80, 70, 50, 30,  30, 50, 70, 80, 80, 70, 50, 30,  20, 40, 60, 70, 70, 60, 40, 20,
    10, 30, 40, 50, 50, 40, 30, 10,  0,  10, 20, 30, 30, 20, 10, 0};

constexpr Grid KNIGHT_OUTPOST_GRID = {
    0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 1, 1, 0, 0, 0,  0, 0, 1, 4, 4, 1, 0, 0,  0, 1, 4, 8, 8, 4, 1, 0,
    0, 1, 4, 8, 8, 4, 1, 0,  0, 0, 1, 4, 4, 1, 0, 0,  0, 0, 0, 1, 1, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0};
constexpr Grid BISHOP_OUTPOST_GRID = {
    0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 1, 1, 0, 0, 0,  0, 0, 1, 3, 3, 1, 0, 0,  0, 1, 3, 5, 5, 3, 1, 0,
    0, 1, 3, 5, 5, 3, 1, 0,  0, 0, 1, 3, 3, 1, 0, 0,  0, 0, 0, 1, 1, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0};

// The White table reads the grid with ranks flipped (a1 is the grid's last row); the Black
// table reads it as written, so a Black piece on rank 1 gets White's rank-8 values.
void fillColourPair(PackedScore* whiteRow, PackedScore* blackRow, const Grid& opening, const Grid& endgame,
                    int material) {
    for (int s = 0; s < 64; ++s) {
        whiteRow[s] = packScore(opening[s ^ 56] + material, endgame[s ^ 56] + material);
        blackRow[s] = packScore(opening[s] + material, endgame[s] + material);
    }
}

void fillByFile(PackedScore (&table)[2][64], const int (&opening)[8], const int (&endgame)[8]) {
    for (int colour = 0; colour < 2; ++colour)
        for (int s = 0; s < 64; ++s) table[colour][s] = packScore(opening[s & 7], endgame[s & 7]);
}

void fillEqualHalves(PackedScore* table, const int* values, int count) {
    for (int i = 0; i < count; ++i) table[i] = packScore(values[i], values[i]);
}

// Entries 0 to 16 given; the rest repeat entry 16.
void fillMobility(PackedScore (&table)[MOBILITY_SIZE], const int (&opening)[17], const int (&endgame)[17]) {
    for (int n = 0; n < MOBILITY_SIZE; ++n) table[n] = packScore(opening[n < 16 ? n : 16], endgame[n < 16 ? n : 16]);
}

}  // namespace

void initPieceSquareTable() {
    struct Kind {
        PieceCode code;
        const Grid& opening;
        const Grid& endgame;
        int material;
    };
    const Kind kinds[] = {
        {PAWN, PAWN_GRID, PAWN_GRID, 100},
        {KNIGHT, KNIGHT_OPENING, KNIGHT_ENDGAME, 400},
        {DARK_BISHOP, BISHOP_OPENING, BISHOP_ENDGAME, 400},
        {LIGHT_BISHOP, BISHOP_OPENING, BISHOP_ENDGAME, 400},
        {ROOK, ROOK_OPENING, ROOK_ENDGAME, 600},
        {QUEEN, QUEEN_GRID, QUEEN_GRID, 1200},
        {KING, KING_OPENING, KING_ENDGAME, 0},
    };
    for (const Kind& k : kinds)
        fillColourPair(pieceSquareTable[k.code], pieceSquareTable[k.code + BLACK_OFFSET], k.opening, k.endgame,
                       k.material);
}

void initMobilityTables() {
    constexpr int knight[17] = {-12, 8, 4, 0, 4, 8, 12, 14, 16, 16, 16, 16, 16, 16, 16, 16, 16};
    constexpr int bishop[17] = {-12, -6, 0, 6, 12, 18, 23, 27, 30, 32, 34, 35, 37, 38, 39, 40, 40};
    constexpr int rookOpening[17] = {-8, -5, -2, 0, 2, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 16};
    constexpr int rookEndgame[17] = {-12, -8, -4, 0, 4, 8, 12, 16, 19, 22, 24, 26, 28, 29, 30, 31, 32};
    constexpr int queenOpening[17] = {-4, -3, -2, -1, 0, 1, 2, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8};
    constexpr int queenEndgame[17] = {-8, -6, -4, -2, 0, 2, 4, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    fillMobility(knightMobility, knight, knight);
    fillMobility(bishopMobility, bishop, bishop);
    fillMobility(rookMobility, rookOpening, rookEndgame);
    fillMobility(queenMobility, queenOpening, queenEndgame);
}

void initSquareTablesA() {
    fillColourPair(knightOutpost[White], knightOutpost[Black], KNIGHT_OUTPOST_GRID, KNIGHT_OUTPOST_GRID, 0);
    fillColourPair(bishopOutpost[White], bishopOutpost[Black], BISHOP_OUTPOST_GRID, BISHOP_OUTPOST_GRID, 0);
}

void initSmallWeightTables() {
    constexpr int queen[8] = {0, 7, 6, 5, 4, 3, 2, 1};
    constexpr int rook[8] = {0, 4, 3, 2, 2, 1, 0, 0};
    constexpr int minor[8] = {0, 2, 2, 1, 1, 0, 0, 0};
    fillEqualHalves(queenTropism, queen, 8);
    fillEqualHalves(rookTropism, rook, 8);
    fillEqualHalves(bishopTropism, minor, 8);
    fillEqualHalves(knightTropism, minor, 8);
}

namespace {
constexpr int PAWN_FILE_PENALTY_OPENING[8] = {8, 10, 12, 14, 14, 12, 10, 8};
constexpr int PAWN_FILE_PENALTY_ENDGAME[8] = {15, 20, 20, 20, 20, 20, 20, 15};
}  // namespace

void initSquareTablesB() { fillByFile(isolatedPawnPenalty, PAWN_FILE_PENALTY_OPENING, PAWN_FILE_PENALTY_ENDGAME); }

void initSquareTablesC() { fillByFile(doubledPawnPenalty, PAWN_FILE_PENALTY_OPENING, PAWN_FILE_PENALTY_ENDGAME); }

void initSquareTablesD() {
    // By rank as White sees it, rank 1 first.
    constexpr int opening[8] = {0, 0, 0, 5, 10, 25, 50, 0};
    constexpr int endgame[8] = {0, 25, 30, 40, 70, 155, 280, 0};
    for (int s = 0; s < 64; ++s) {
        const int whiteRank = s >> 3, blackRank = 7 - whiteRank;
        passedPawnBonus[White][s] = packScore(opening[whiteRank], endgame[whiteRank]);
        passedPawnBonus[Black][s] = packScore(opening[blackRank], endgame[blackRank]);
    }
}
