#include "tables.h"

#include "evaltables.h"
#include "magic.h"
#include "zobrist.h"

Bitboard fileMask[64];
Bitboard adjacentFileMask[64];
Bitboard passedPawnMaskWhite[64];
Bitboard passedPawnMaskBlack[64];
Bitboard attackSpanWhite[64];
Bitboard attackSpanBlack[64];
int32_t directionIndex[64][64];
Bitboard betweenMask[64][64];
Bitboard rays[64][8];
Bitboard kingAttacks[64];
Bitboard knightAttacks[64];
Bitboard flankNeighbours[64];
Bitboard queenEmptyAttacks[64];
Bitboard rookEmptyAttacks[64];
Bitboard bishopEmptyAttacks[64];
Bitboard pawnAttacksWhite[64];
Bitboard pawnAttacksBlack[64];
Bitboard kingZoneWhite[64];
Bitboard kingZoneBlack[64];

namespace {

bool onBoard(int rank, int file) { return rank >= 0 && rank <= 7 && file >= 0 && file <= 7; }

// The square one step from s, or -1 when the step leaves the board.
int stepFrom(Square s, int rankStep, int fileStep) {
    const int r = rankOf(s) + rankStep, f = fileOf(s) + fileStep;
    return onBoard(r, f) ? r * 8 + f : -1;
}

Bitboard stepSet(Square s, int rankStep, int fileStep) {
    const int t = stepFrom(s, rankStep, fileStep);
    return t < 0 ? 0 : squareBit[t];
}

// Squares of the given files (relative to s) on the ranks selected by `keepRank`.
template <typename Keep> Bitboard filesWhere(Square s, int firstFileOffset, int lastFileOffset, Keep keepRank) {
    Bitboard b = 0;
    for (int t = 0; t < 64; ++t) {
        const int df = fileOf(t) - fileOf(s);
        if (df >= firstFileOffset && df <= lastFileOffset && keepRank(rankOf(t))) b |= squareBit[t];
    }
    return b;
}

void buildFileMask() {
    for (int s = 0; s < 64; ++s) fileMask[s] = filesWhere(s, 0, 0, [](int) { return true; });
}

void buildAdjacentFileMask() {
    for (int s = 0; s < 64; ++s)
        adjacentFileMask[s] = filesWhere(s, -1, 1, [](int) { return true; }) & ~fileMask[s];
}

void buildPassedPawnMasks(bool white) {
    for (int s = 0; s < 64; ++s) {
        const int rank = rankOf(s);
        const Bitboard b = filesWhere(s, -1, 1, [&](int r) { return white ? r > rank : r < rank; });
        (white ? passedPawnMaskWhite : passedPawnMaskBlack)[s] = b;
    }
}

void buildAttackSpans(bool white) {
    for (int s = 0; s < 64; ++s) {
        const int rank = rankOf(s);
        Bitboard b = 0;
        if (rank != 0 && rank != 7)
            b = filesWhere(s, -1, 1, [&](int r) { return white ? r > rank : r < rank; }) & ~fileMask[s];
        (white ? attackSpanWhite : attackSpanBlack)[s] = b;
    }
}

void buildDirectionIndex() {
    for (int s = 0; s < 64; ++s)
        for (int t = 0; t < 64; ++t) directionIndex[s][t] = NO_SQUARE;
    for (int s = 0; s < 64; ++s)
        for (int d = 0; d < 8; ++d)
            for (int t = stepFrom(s, directionRankStep[d], directionFileStep[d]); t >= 0;
                 t = stepFrom(t, directionRankStep[d], directionFileStep[d]))
                directionIndex[s][t] = d;
}

void buildBetweenMask() {
    for (int s = 0; s < 64; ++s)
        for (int t = 0; t < 64; ++t) betweenMask[s][t] = 0;
    for (int s = 0; s < 64; ++s)
        for (int d = 0; d < 8; ++d) {
            Bitboard running = 0;
            for (int t = stepFrom(s, directionRankStep[d], directionFileStep[d]); t >= 0;
                 t = stepFrom(t, directionRankStep[d], directionFileStep[d])) {
                betweenMask[s][t] = running;
                running |= squareBit[t];
            }
        }
}

void buildKingAttacks() {
    for (int s = 0; s < 64; ++s) {
        kingAttacks[s] = 0;
        for (int d = 0; d < 8; ++d) kingAttacks[s] |= stepSet(s, directionRankStep[d], directionFileStep[d]);
    }
}

Bitboard unionOfRays(Square s, int firstDirection, int directionStep) {
    Bitboard b = 0;
    for (int d = firstDirection; d < 8; d += directionStep) b |= rayWalk(d, s, 0);
    return b;
}

void buildEmptyBoardAttacks() {
    for (int s = 0; s < 64; ++s) queenEmptyAttacks[s] = unionOfRays(s, 0, 1);
    for (int s = 0; s < 64; ++s) rookEmptyAttacks[s] = unionOfRays(s, 0, 2);
    for (int s = 0; s < 64; ++s) bishopEmptyAttacks[s] = unionOfRays(s, 1, 2);
}

void buildKnightAttacks() {
    for (int s = 0; s < 64; ++s) {
        knightAttacks[s] = 0;
        for (int k = 0; k < 8; ++k) knightAttacks[s] |= stepSet(s, knightRankStep[k], knightFileStep[k]);
    }
}

// A pawn on the last rank of its side never exists, so it attacks nothing.
void buildPawnAttacks() {
    for (int s = 0; s < 64; ++s) {
        pawnAttacksWhite[s] = rankOf(s) == 7 ? 0 : stepSet(s, 1, -1) | stepSet(s, 1, 1);
        pawnAttacksBlack[s] = rankOf(s) == 0 ? 0 : stepSet(s, -1, -1) | stepSet(s, -1, 1);
    }
}

void buildRays() {
    for (int s = 0; s < 64; ++s)
        for (int d = 0; d < 8; ++d) rays[s][d] = rayWalk(d, s, 0);
}

void buildFlankNeighbours() {
    for (int s = 0; s < 64; ++s) {
        flankNeighbours[s] = 0;
        constexpr int sideways[6] = {0, 1, 3, 4, 5, 7};  // all king steps but straight north and south
        for (int d : sideways) flankNeighbours[s] |= stepSet(s, directionRankStep[d], directionFileStep[d]);
    }
}

void buildKingZones(bool white) {
    const int twoAhead = white ? 2 : -2;
    for (int s = 0; s < 64; ++s) {
        Bitboard b = kingAttacks[s];
        for (int df = -1; df <= 1; ++df) b |= stepSet(s, twoAhead, df);
        (white ? kingZoneWhite : kingZoneBlack)[s] = b;
    }
}

}  // namespace

void initTables() {
    buildFileMask();
    buildAdjacentFileMask();
    buildPassedPawnMasks(true);
    buildPassedPawnMasks(false);
    buildDirectionIndex();
    buildBetweenMask();
    buildKingAttacks();
    buildEmptyBoardAttacks();  // queen, rook, bishop
    buildKnightAttacks();
    buildPawnAttacks();        // White, then Black
    // The magic records must stand before the fills write through them.
    buildRookMagics();
    buildBishopMagics();
    fillRookAttacks();
    fillBishopAttacks();
    buildRays();
    initPieceSquareKeys();
    initEnPassantKeys();
    initCastleKeys();
    initPieceSquareTable();
    initMobilityTables();
    buildFlankNeighbours();
    buildAttackSpans(true);
    buildAttackSpans(false);
    initSquareTablesA();
    initSmallWeightTables();
    buildKingZones(true);
    buildKingZones(false);
    initSquareTablesB();
    initSquareTablesC();
    initSquareTablesD();
}
