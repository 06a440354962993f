#include <bit>
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "bitops.h"

namespace {

// A spread of sets: single bits, both halves, full and sparse words, and random ones.
std::vector<Bitboard> sampleSets() {
    std::vector<Bitboard> sets;
    for (int i = 0; i < 64; ++i) sets.push_back(Bitboard{1} << i);
    sets.push_back(~Bitboard{0});
    sets.push_back(0x00000000FFFFFFFFULL);
    sets.push_back(0xFFFFFFFF00000000ULL);
    sets.push_back(0x8000000000000001ULL);
    std::mt19937_64 rng(12345);
    for (int i = 0; i < 4000; ++i) {
        Bitboard b = rng();
        if (i % 3 == 1) b &= rng();
        if (i % 3 == 2) b &= rng() & rng();
        if (b) sets.push_back(b);
    }
    return sets;
}

}  // namespace

TEST(BitOps, HandWrittenMethodsMatchTheStandardLibrary) {
    for (Bitboard b : sampleSets()) {
        ASSERT_EQ(bitScanForward32(b), std::countr_zero(b)) << std::hex << b;
        ASSERT_EQ(bitScanReverse32(b), 63 - std::countl_zero(b)) << std::hex << b;
        ASSERT_EQ(popCount32(b), std::popcount(b)) << std::hex << b;
        ASSERT_EQ(popCount64Wide(b), std::popcount(b)) << std::hex << b;
        ASSERT_EQ(bitScanForward(b), std::countr_zero(b));
        ASSERT_EQ(bitScanReverse(b), 63 - std::countl_zero(b));
        ASSERT_EQ(popCount64(b), std::popcount(b));
    }
    EXPECT_EQ(popCount32(0), 0);
    EXPECT_EQ(popCount64(0), 0);
}

TEST(BitOps, EdgeSquares) {
    const Bitboard h8 = Bitboard{1} << 63;
    EXPECT_EQ(bitScanForward(h8), 63);
    EXPECT_EQ(bitScanForward(h8 | 1), 0);
    EXPECT_EQ(bitScanReverse(h8 | 1), 63);
    EXPECT_EQ(popCount64(~Bitboard{0}), 64);
}
