// Sliding attacks by magic multiplication into packed per-square slices.
#pragma once

#include <cstdint>

#include "geometry.h"
#include "position.h"
#include "types.h"

struct MagicEntry {
    Bitboard* attacks;  // first entry of this square's slice
    uint64_t magic;
    uint64_t mask;      // relevant occupancy: the square's lines without their edge squares
    int64_t shift;      // 64 - popcount(mask)
};

constexpr int ROOK_ATTACK_TABLE_SIZE = 102400;
constexpr int BISHOP_ATTACK_TABLE_SIZE = 5248;

extern const uint64_t rookMagicNumbers[64];
extern const uint64_t bishopMagicNumbers[64];

// Masks and shifts are fixed by the geometry, so the compiler computes them.
struct SliderMaskTable {
    uint64_t masks[64];
    int64_t shifts[64];
};

constexpr SliderMaskTable makeSliderMaskTable(bool rook) {
    SliderMaskTable t{};
    for (int s = 0; s < 64; ++s) {
        uint64_t mask = 0;
        for (int d = rook ? 0 : 1; d < 8; d += 2) {
            const int dr = directionRankStep[d], df = directionFileStep[d];
            // Stop one square short of the edge: the edge square never blocks anything beyond.
            for (int r = rankOf(s) + dr, f = fileOf(s) + df; r + dr >= 0 && r + dr <= 7 && f + df >= 0 && f + df <= 7;
                 r += dr, f += df)
                mask |= uint64_t{1} << (r * 8 + f);
        }
        int bits = 0;
        for (uint64_t b = mask; b; b &= b - 1) ++bits;
        t.masks[s] = mask;
        t.shifts[s] = 64 - bits;
    }
    return t;
}

inline constexpr SliderMaskTable ROOK_MASK_TABLE = makeSliderMaskTable(true);
inline constexpr SliderMaskTable BISHOP_MASK_TABLE = makeSliderMaskTable(false);
inline constexpr const uint64_t (&rookMasks)[64] = ROOK_MASK_TABLE.masks;
inline constexpr const uint64_t (&bishopMasks)[64] = BISHOP_MASK_TABLE.masks;
inline constexpr const int64_t (&rookShifts)[64] = ROOK_MASK_TABLE.shifts;
inline constexpr const int64_t (&bishopShifts)[64] = BISHOP_MASK_TABLE.shifts;

extern MagicEntry rookMagics[64];
extern MagicEntry bishopMagics[64];
extern Bitboard rookAttackTable[ROOK_ATTACK_TABLE_SIZE];
extern Bitboard bishopAttackTable[BISHOP_ATTACK_TABLE_SIZE];

// Run by initTables: the records of both kinds first, then the fills.
void buildRookMagics();
void buildBishopMagics();
void fillRookAttacks();
void fillBishopAttacks();

// Attacks along the lines up to and including the first occupied square of each line,
// whatever its colour.
inline Bitboard rookAttacks(Square s, Bitboard occupied) {
    const MagicEntry& e = rookMagics[s];
    return e.attacks[((occupied & e.mask) * e.magic) >> e.shift];
}

inline Bitboard bishopAttacks(Square s, Bitboard occupied) {
    const MagicEntry& e = bishopMagics[s];
    return e.attacks[((occupied & e.mask) * e.magic) >> e.shift];
}

inline Bitboard queenAttacks(Square s, Bitboard occupied) {
    return bishopAttacks(s, occupied) | rookAttacks(s, occupied);
}

inline Bitboard queenAttacksOnBoard(const Position& position, Square s) {
    return queenAttacks(s, position.occupiedSquares);
}

inline Bitboard blackDiagonalAttackers(const Position& position, Square s) {
    const Bitboard* p = position.pieceBitboards;
    return bishopAttacks(s, position.occupiedSquares) &
           (p[QUEEN + BLACK_OFFSET] | p[DARK_BISHOP + BLACK_OFFSET] | p[LIGHT_BISHOP + BLACK_OFFSET]);
}
