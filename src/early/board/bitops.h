// Lowest set square and population count. The 32-bit program avoids 64-bit multiplies and
// shifts; both paths compile in every build and USE_64_BIT_OPS picks one.
#pragma once

#include <array>
#include <cstdint>

#include "types.h"

namespace early {

constexpr bool USE_64_BIT_OPS = sizeof(void*) == 8;

constexpr uint32_t BIT_SCAN_FOLD_MULTIPLIER = 0x783A9B23u;

// b ^ (b - 1) keeps the lowest set bit and every bit below it; folding the two halves of
// that mask and multiplying gives a distinct top 6 bits for each of the 64 squares.
constexpr uint32_t bitScanFoldIndex(Bitboard b) {
    const Bitboard m = b ^ (b - 1);
    const uint32_t folded = static_cast<uint32_t>(m) ^ static_cast<uint32_t>(m >> 32);
    return (folded * BIT_SCAN_FOLD_MULTIPLIER) >> 26;
}

constexpr std::array<int8_t, 64> makeBitScanFoldTable() {
    std::array<int8_t, 64> table{};
    for (auto& entry : table) entry = -1;
    for (int s = 0; s < 64; ++s) table[bitScanFoldIndex(squareBit(s))] = static_cast<int8_t>(s);
    return table;
}

inline constexpr std::array<int8_t, 64> BIT_SCAN_FOLD_TABLE = makeBitScanFoldTable();

constexpr bool foldTableIsComplete() {
    for (int8_t entry : BIT_SCAN_FOLD_TABLE)
        if (entry < 0) return false;
    return true;
}
static_assert(foldTableIsComplete(), "the fold multiplier must separate all 64 squares");

constexpr int lowestSquare32(Bitboard b) { return BIT_SCAN_FOLD_TABLE[bitScanFoldIndex(b)]; }

constexpr int popCount32(Bitboard b) {
    uint32_t lo = static_cast<uint32_t>(b);
    uint32_t hi = static_cast<uint32_t>(b >> 32);
    lo = lo - ((lo >> 1) & 0x55555555u);
    hi = hi - ((hi >> 1) & 0x55555555u);
    lo = (lo & 0x33333333u) + ((lo >> 2) & 0x33333333u);
    hi = (hi & 0x33333333u) + ((hi >> 2) & 0x33333333u);
    lo = (lo + (lo >> 4)) & 0x0F0F0F0Fu;
    hi = (hi + (hi >> 4)) & 0x0F0F0F0Fu;
    return static_cast<int>(((lo + hi) * 0x01010101u) >> 24);
}

// Lowest set square; b must not be empty.
inline int lowestSquare(Bitboard b) {
    if constexpr (USE_64_BIT_OPS)
        return __builtin_ctzll(b);
    else
        return lowestSquare32(b);
}

inline int popCount(Bitboard b) {
    if constexpr (USE_64_BIT_OPS)
        return __builtin_popcountll(b);
    else
        return popCount32(b);
}

// Takes the lowest square out of b and returns it; b must not be empty.
inline Square popLowest(Bitboard& b) {
    const Square s = lowestSquare(b);
    b &= b - 1;
    return s;
}

}  // namespace early
