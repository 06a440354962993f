// The three bit operations. They are the only code that differs between the 32-bit and the
// 64-bit engine: both paths are compiled and type-checked in every build, and
// USE_64_BIT_OPS picks one.
#pragma once

#include <cstdint>

#include "types.h"

constexpr bool USE_64_BIT_OPS = sizeof(void*) == 8;

constexpr uint32_t BIT_SCAN_FOLD_MULTIPLIER = 0x783A9B23u;

// Index of the lowest set bit by the folded de Bruijn-style multiply; avoids 64-bit
// multiplies and shifts on a 32-bit machine.
constexpr int bitScanFoldTable[64] = {
    63, 30, 3,  32, 25, 41, 22, 33, 15, 50, 42, 13, 11, 53, 19, 34, 61, 29, 2,  51, 21, 43,
    45, 10, 18, 47, 1,  54, 9,  57, 0,  35, 62, 31, 40, 4,  49, 5,  52, 26, 60, 6,  23, 44,
    46, 27, 56, 16, 7,  39, 48, 24, 59, 14, 12, 55, 38, 28, 58, 20, 37, 17, 36, 8};

inline int bitScanForward32(Bitboard b) {
    const Bitboard m = b ^ (b - 1);
    const uint32_t folded = static_cast<uint32_t>(m) ^ static_cast<uint32_t>(m >> 32);
    return bitScanFoldTable[(folded * BIT_SCAN_FOLD_MULTIPLIER) >> 26];
}

inline int bitScanReverse32(Bitboard b) {
    const uint32_t high = static_cast<uint32_t>(b >> 32);
    if (high != 0) return 32 + (31 - __builtin_clz(high));
    return 31 - __builtin_clz(static_cast<uint32_t>(b));
}

inline int popCount32(Bitboard b) {
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

inline int bitScanForward64(Bitboard b) { return __builtin_ctzll(b); }

inline int bitScanReverse64(Bitboard b) { return 63 - __builtin_clzll(b); }

inline int popCount64Wide(Bitboard b) {
    b = b - ((b >> 1) & 0x5555555555555555ULL);
    b = (b & 0x3333333333333333ULL) + ((b >> 2) & 0x3333333333333333ULL);
    b = (b + (b >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((b * 0x0101010101010101ULL) >> 56);
}

// Lowest set square; b must not be empty.
inline int bitScanForward(Bitboard b) {
    if constexpr (USE_64_BIT_OPS) return bitScanForward64(b);
    else return bitScanForward32(b);
}

// Highest set square; b must not be empty.
inline int bitScanReverse(Bitboard b) {
    if constexpr (USE_64_BIT_OPS) return bitScanReverse64(b);
    else return bitScanReverse32(b);
}

inline int popCount64(Bitboard b) {
    if constexpr (USE_64_BIT_OPS) return popCount64Wide(b);
    else return popCount32(b);
}
