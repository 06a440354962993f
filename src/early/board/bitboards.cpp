#include "bitboards.h"

#include <cstring>

#include "bitops.h"

namespace early {

Bitboard fileMask[64];
Bitboard fileMaskExclusive[64];
Bitboard adjacentFileMask[64];
Bitboard passedPawnMaskWhite[64];
Bitboard passedPawnMaskBlack[64];
int32_t directionIndex[64][64];
Bitboard betweenMask[64][64];
Bitboard kingAttacks[64];
Bitboard knightAttacks[64];
Bitboard pawnAttacksWhite[64];
Bitboard pawnAttacksBlack[64];
Bitboard rookEmptyAttacks[64];
Bitboard bishopEmptyAttacks[64];
Bitboard queenEmptyAttacks[64];
Bitboard rayAttacks[64][8];
Bitboard rookMagicAttacks[64][ROOK_MAGIC_ROW];
Bitboard bishopMagicAttacks[64][BISHOP_MAGIC_ROW];

namespace {

bool onBoard(int rank, int file) { return rank >= 0 && rank < 8 && file >= 0 && file < 8; }

Bitboard fileSquares(int file) { return 0x0101010101010101ULL << file; }

Bitboard stepTargets(Square s, const int (*deltas)[2], int first, int stride) {
    Bitboard targets = 0;
    for (int i = first; i < 8; i += stride) {
        const int rank = s / 8 + deltas[i][0], file = s % 8 + deltas[i][1];
        if (onBoard(rank, file)) targets |= squareBit(rank * 8 + file);
    }
    return targets;
}

Bitboard emptyBoardAttacks(Square s, int firstDirection) {
    Bitboard attacks = 0;
    for (int d = firstDirection; d < 8; d += 2) attacks |= slidingAttacksSlow(d, s, 0);
    return attacks;
}

// Writes the magic row of one square: every subset of the mask, taken in the order of a
// binary counter over the mask's squares, stored at its index.
void fillMagicRow(Square s, Bitboard mask, uint64_t magic, int shift, int firstDirection, Bitboard* row) {
    int maskSquares[12];
    int n = 0;
    for (Bitboard m = mask; m != 0;) maskSquares[n++] = popLowest(m);
    for (uint32_t k = 0; k < (1u << n); ++k) {
        Bitboard subset = 0;
        for (int t = 0; t < n; ++t)
            if (k & (1u << t)) subset |= squareBit(maskSquares[t]);
        Bitboard attacks = 0;
        for (int d = firstDirection; d < 8; d += 2) attacks |= slidingAttacksSlow(d, s, subset);
        row[(subset * magic) >> shift] = attacks;
    }
}

}  // namespace

Bitboard slidingAttacksSlow(int direction, Square square, Bitboard blockers) {
    Bitboard attacks = 0;
    int rank = square / 8 + DIRECTION_DELTAS[direction][0];
    int file = square % 8 + DIRECTION_DELTAS[direction][1];
    while (onBoard(rank, file)) {
        const Bitboard bit = squareBit(rank * 8 + file);
        attacks |= bit;
        if (blockers & bit) break;
        rank += DIRECTION_DELTAS[direction][0];
        file += DIRECTION_DELTAS[direction][1];
    }
    return attacks;
}

void initBitboardTables() {
    for (Square s = 0; s < 64; ++s) {
        const int rank = s / 8, file = s % 8;
        fileMask[s] = fileSquares(file);
        fileMaskExclusive[s] = fileSquares(file) & ~squareBit(s);
        adjacentFileMask[s] = (file > 0 ? fileSquares(file - 1) : 0) | (file < 7 ? fileSquares(file + 1) : 0);
        const Bitboard span = fileSquares(file) | adjacentFileMask[s];
        const Bitboard above = rank < 7 ? ~Bitboard{0} << (8 * (rank + 1)) : 0;
        const Bitboard below = rank > 0 ? ~Bitboard{0} >> (8 * (8 - rank)) : 0;
        passedPawnMaskWhite[s] = span & above;
        passedPawnMaskBlack[s] = span & below;
    }

    for (auto& row : directionIndex)
        for (int32_t& entry : row) entry = NO_SQUARE;
    std::memset(betweenMask, 0, sizeof betweenMask);
    for (Square a = 0; a < 64; ++a) {
        for (int d = 0; d < 8; ++d) {
            Bitboard passed = 0;
            int rank = a / 8 + DIRECTION_DELTAS[d][0], file = a % 8 + DIRECTION_DELTAS[d][1];
            while (onBoard(rank, file)) {
                const Square b = rank * 8 + file;
                directionIndex[a][b] = d;
                betweenMask[a][b] = passed;
                passed |= squareBit(b);
                rank += DIRECTION_DELTAS[d][0];
                file += DIRECTION_DELTAS[d][1];
            }
        }
    }

    for (Square s = 0; s < 64; ++s) {
        kingAttacks[s] = stepTargets(s, DIRECTION_DELTAS, 0, 1);
        queenEmptyAttacks[s] = emptyBoardAttacks(s, 0) | emptyBoardAttacks(s, 1);
        rookEmptyAttacks[s] = emptyBoardAttacks(s, 0);
        bishopEmptyAttacks[s] = emptyBoardAttacks(s, 1);
        knightAttacks[s] = stepTargets(s, KNIGHT_DELTAS, 0, 1);
        const int rank = s / 8, file = s % 8;
        pawnAttacksWhite[s] = 0;
        pawnAttacksBlack[s] = 0;
        if (rank < 7) {
            if (file > 0) pawnAttacksWhite[s] |= squareBit(s + 7);
            if (file < 7) pawnAttacksWhite[s] |= squareBit(s + 9);
        }
        if (rank > 0) {
            if (file > 0) pawnAttacksBlack[s] |= squareBit(s - 9);
            if (file < 7) pawnAttacksBlack[s] |= squareBit(s - 7);
        }
    }

    for (Square s = 0; s < 64; ++s) {
        fillMagicRow(s, ROOK_MASK[s], ROOK_MAGIC[s], ROOK_MAGIC_SHIFT, 0, rookMagicAttacks[s]);
        fillMagicRow(s, BISHOP_MASK[s], BISHOP_MAGIC[s], BISHOP_MAGIC_SHIFT, 1, bishopMagicAttacks[s]);
    }

    for (Square s = 0; s < 64; ++s)
        for (int d = 0; d < 8; ++d) rayAttacks[s][d] = slidingAttacksSlow(d, s, 0);
}

}  // namespace early
