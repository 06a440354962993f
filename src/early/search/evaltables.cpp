#include "evaltables.h"

#include <algorithm>

namespace early {

namespace {

// Grids rank 8 first, files a to h within a rank, as seen from White's side.
using Grid = int[64];

// clang-format off
constexpr Grid KING_ENDGAME_GRID = {
    -20, -10, -10, -10, -10, -10, -20, -20,
    -10,   0,   0,   0,   0,   0,   0, -10,
    -10,   0,  10,  10,  10,  10,   0, -10,
    -10,   0,  10,  20,  20,  10,   0, -10,
    -10,   0,  10,  20,  20,  10,   0, -10,
    -10,   0,  10,  10,  10,  10,   0, -10,
    -10,   0,   0,   0,   0,   0,   0, -10,
    -20, -10, -10, -10, -10, -10, -10, -20,
};

constexpr Grid BISHOP_OPENING_GRID = {
    -7, -8, -11, -13, -13, -11, -8, -7,
    -3,  3,   0,  -2,  -2,   0,  3, -3,
    -6,  0,   7,   6,   6,   7,  0, -6,
    -8, -2,   6,  15,  15,   6, -2, -8,
    -8, -2,   6,  15,  15,   6, -2, -8,
    -6,  0,   7,   6,   6,   7,  0, -6,
    -3,  3,   0,  -2,  -2,   0,  3, -3,
    -7, -8, -15, -13, -13, -15, -8, -7,
};

constexpr Grid KNIGHT_OPENING_GRID = {
    -60, -40, -30, -28, -28, -30, -40, -60,
    -36, -20, -10,  -6,  -6, -10, -20, -36,
    -20,  -4,   8,  12,  12,   8,  -4, -20,
    -10,   6,  16,  20,  20,  16,   6, -10,
     -6,  12,  22,  26,  26,  22,  12,  -6,
     -8,  10,  20,  24,  24,  20,  10,  -8,
    -16,   0,  12,  16,  16,  12,   0, -16,
    -60, -20, -10,  -6,  -6, -10, -20, -60,
};

constexpr Grid PAWN_GRID = {
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
    1, 0, 2, 2, 2, 2, 0, 1,
    2, 2, 4, 4, 4, 4, 2, 2,
    2, 4, 6, 6, 6, 6, 4, 2,
    2, 2, 4, 4, 4, 4, 2, 2,
    1, 4, 2, 2, 2, 2, 4, 1,
    0, 0, 0, 0, 0, 0, 0, 0,
};

constexpr int KING_OPENING_FIRST_RANK[8] = {-10, 0, 30, -20, -5, -20, 50, -10};
constexpr int ROOK_OPENING_BY_FILE[8] = {-9, 0, 9, 10, 10, 9, 0, -9};
constexpr int ROOK_ENDGAME_BY_RANK[8] = {6, 4, 2, 1, 0, 0, 0, 0};  // rank 1 first
// clang-format on

constexpr int MATERIAL[6] = {0, 900, 500, 300, 300, 100};  // K Q R B N P

// Writes one value given for grid square g (rank 8 first) at the White index and the
// Black index of a colour-indexed table.
void storeBothColours(PackedScore (&table)[2][64], int g, PackedScore value) {
    table[White][g ^ 56] = value;
    table[Black][g] = value;
}

void storePieceBothColours(EvalTables& tables, Piece whiteKind, int g, PackedScore value) {
    tables.pst[whiteKind][g ^ 56] = value;
    tables.pst[whiteKind + BLACK_PIECE_OFFSET][g] = value;
}

// A mobility row lists each half up to the count after which its last value holds.
template <size_t NO, size_t NE>
void storeMobility(EvalTables& tables, Piece whiteKind, const int (&opening)[NO], const int (&endgame)[NE]) {
    for (size_t count = 0; count < 32; ++count) {
        const PackedScore value = packScore(opening[std::min(count, NO - 1)], endgame[std::min(count, NE - 1)]);
        tables.mobility[whiteKind][count] = value;
        tables.mobility[whiteKind + BLACK_PIECE_OFFSET][count] = value;
    }
}

}  // namespace

void initPieceSquareTables(EvalTables& tables) {
    for (int g = 0; g < 64; ++g) {
        const int rank = 7 - g / 8;  // rank of the grid square from White's side, 0 = rank 1
        const int file = g % 8;
        const int centre = std::min(file, 7 - file) + std::min(rank, 7 - rank);
        const int kingOpening = rank == 0 ? KING_OPENING_FIRST_RANK[file] : rank == 1 ? -20 : rank == 2 ? -30 : -40;
        const int open[6] = {
            kingOpening, 3 * centre - 9, ROOK_OPENING_BY_FILE[file], BISHOP_OPENING_GRID[g], KNIGHT_OPENING_GRID[g],
            PAWN_GRID[g]};
        const int end[6] = {KING_ENDGAME_GRID[g], 3 * centre - 9,  ROOK_ENDGAME_BY_RANK[rank],
                            3 * centre - 9,       6 * centre - 18, PAWN_GRID[g]};
        for (Piece kind = WHITE_KING; kind <= WHITE_PAWN; ++kind)
            storePieceBothColours(tables, kind, g, packScore(open[kind] + MATERIAL[kind], end[kind] + MATERIAL[kind]));
    }
}

void initMobilityTables(EvalTables& tables) {
    constexpr int queenOpening[] = {-4, -3, -2, -1, 0, 1, 2, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8};
    constexpr int queenEndgame[] = {-10, -6, -3, 0, 3, 6, 8, 10, 12, 14, 15, 16, 16, 17, 17, 18};
    constexpr int rookOpening[] = {-10, -6, -3, 0, 3, 6, 8, 10, 12, 13, 14, 15, 16, 17, 18, 19, 20};
    constexpr int rookEndgame[] = {-15, -9, -3, 3, 9, 15, 21, 26, 30, 33, 35, 36, 37, 38, 39, 40};
    constexpr int bishop[] = {-15, -8, 0, 8, 15, 22, 29, 33, 36, 38, 39, 40, 41, 42, 43, 44, 45};
    constexpr int knight[] = {-15, -10, -5, 0, 5, 10, 12, 14};
    constexpr int none[] = {0};
    storeMobility(tables, WHITE_QUEEN, queenOpening, queenEndgame);
    storeMobility(tables, WHITE_ROOK, rookOpening, rookEndgame);
    storeMobility(tables, WHITE_BISHOP, bishop, bishop);
    storeMobility(tables, WHITE_KNIGHT, knight, knight);
    storeMobility(tables, WHITE_KING, none, none);
    storeMobility(tables, WHITE_PAWN, none, none);
}

void initPassedPawnTable(EvalTables& tables) {
    // By rank from White's side, rank 1 first.
    constexpr int opening[8] = {0, 0, 0, 5, 10, 25, 50, 0};
    constexpr int endgame[8] = {0, 25, 30, 40, 70, 105, 190, 0};
    for (int g = 0; g < 64; ++g) {
        const int rank = 7 - g / 8;
        storeBothColours(tables.passedPawn, g, packScore(opening[rank], endgame[rank]));
    }
}

void initDoubledPawnTable(EvalTables& tables) {
    for (int g = 0; g < 64; ++g) {
        const bool edgeFile = g % 8 == 0 || g % 8 == 7;
        storeBothColours(tables.doubledPawn, g, edgeFile ? packScore(-20, -20) : packScore(-10, -10));
    }
}

void initIsolatedPawnTable(EvalTables& tables) {
    for (int g = 0; g < 64; ++g) {
        const bool edgeFile = g % 8 == 0 || g % 8 == 7;
        storeBothColours(tables.isolatedPawn, g, edgeFile ? packScore(-20, -20) : packScore(-10, -10));
    }
}

}  // namespace early
