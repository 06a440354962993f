// Geometry tables, magic lookups, bit operations and keys of the earlier engine.
#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <set>
#include <vector>

#include "bitboards.h"
#include "bitops.h"
#include "early_test_support.h"
#include "magics.h"
#include "zobrist.h"

using namespace early;

namespace {

constexpr Square sq(const char* name) { return (name[0] - 'a') + 8 * (name[1] - '1'); }

Bitboard squares(std::initializer_list<const char*> names) {
    Bitboard b = 0;
    for (const char* n : names) b |= squareBit(sq(n));
    return b;
}

Bitboard slowAttacks(Square s, Bitboard occupancy, bool diagonal) {
    Bitboard a = 0;
    for (int d = diagonal ? 1 : 0; d < 8; d += 2) a |= slidingAttacksSlow(d, s, occupancy);
    return a;
}

}  // namespace

TEST(EarlyBitOps, HandWrittenMethodsMatchTheStandardLibrary) {
    std::mt19937_64 rng(7);
    for (int i = 0; i < 20000; ++i) {
        Bitboard b = rng() & rng();
        if (i < 64) b = squareBit(i);
        if (b == 0) continue;
        ASSERT_EQ(lowestSquare32(b), std::countr_zero(b)) << std::hex << b;
        ASSERT_EQ(lowestSquare(b), std::countr_zero(b));
        ASSERT_EQ(popCount32(b), std::popcount(b));
        ASSERT_EQ(popCount(b), std::popcount(b));
    }
    EXPECT_EQ(popCount32(~Bitboard{0}), 64);
}

TEST(EarlyTables, GeometryCases) {
    EXPECT_EQ(betweenMask[sq("a1")][sq("h8")], squares({"b2", "c3", "d4", "e5", "f6", "g7"}));
    EXPECT_EQ(betweenMask[sq("h8")][sq("a1")], betweenMask[sq("a1")][sq("h8")]);
    EXPECT_EQ(betweenMask[sq("a1")][sq("b3")], 0u);
    EXPECT_EQ(betweenMask[sq("a1")][sq("a2")], 0u);
    EXPECT_EQ(betweenMask[sq("h1")][sq("a1")], squares({"b1", "c1", "d1", "e1", "f1", "g1"}));

    EXPECT_EQ(directionIndex[sq("e4")][sq("e8")], 2);
    EXPECT_EQ(directionIndex[sq("e4")][sq("a8")], 1);
    EXPECT_EQ(directionIndex[sq("e4")][sq("f6")], NO_SQUARE);
    EXPECT_EQ(directionIndex[sq("e4")][sq("a4")], 0);
    EXPECT_EQ(directionIndex[sq("e4")][sq("b1")], 7);
    for (Square s = 0; s < 64; ++s) EXPECT_EQ(directionIndex[s][s], NO_SQUARE);

    EXPECT_EQ(rayAttacks[sq("h4")][4], 0u);
    EXPECT_EQ(rayAttacks[sq("e4")][5], squares({"f3", "g2", "h1"}));

    EXPECT_EQ(pawnAttacksWhite[sq("a2")], squares({"b3"}));
    EXPECT_EQ(pawnAttacksWhite[sq("h8")], 0u);
    EXPECT_EQ(pawnAttacksBlack[sq("h7")], squares({"g6"}));
    EXPECT_EQ(pawnAttacksBlack[sq("d1")], 0u);

    EXPECT_EQ(kingAttacks[sq("a1")], squares({"a2", "b1", "b2"}));
    EXPECT_EQ(knightAttacks[sq("g1")], squares({"e2", "f3", "h3"}));
    EXPECT_EQ(rookEmptyAttacks[sq("d4")] | bishopEmptyAttacks[sq("d4")], queenEmptyAttacks[sq("d4")]);
    EXPECT_EQ(popCount(rookEmptyAttacks[sq("d4")]), 14);
    EXPECT_EQ(popCount(bishopEmptyAttacks[sq("d4")]), 13);

    EXPECT_EQ(fileMask[sq("c5")], 0x0404040404040404ULL);
    EXPECT_EQ(fileMaskExclusive[sq("c5")], 0x0404040404040404ULL & ~squareBit(sq("c5")));
    EXPECT_EQ(adjacentFileMask[sq("a3")], 0x0202020202020202ULL);
    EXPECT_EQ(adjacentFileMask[sq("e3")], 0x2828282828282828ULL);
    EXPECT_EQ(passedPawnMaskWhite[sq("b6")], squares({"a7", "b7", "c7", "a8", "b8", "c8"}));
    EXPECT_EQ(passedPawnMaskBlack[sq("h3")], squares({"g2", "h2", "g1", "h1"}));
    EXPECT_EQ(passedPawnMaskWhite[sq("e8")], 0u);
}

TEST(EarlyTables, MagicLookupCases) {
    EXPECT_EQ(rookAttacks(sq("a1"), squares({"a1", "a4", "d1"})), squares({"a2", "a3", "a4", "b1", "c1", "d1"}));
    EXPECT_EQ(bishopAttacks(sq("a1"), squares({"a1", "c3"})), squares({"b2", "c3"}));
    EXPECT_EQ(queenAttacks(sq("a1"), squares({"a1", "a4", "d1", "c3"})),
              squares({"a2", "a3", "a4", "b1", "c1", "d1", "b2", "c3"}));
}

// Every occupancy subset of every square must land on an index whose stored attack set is
// its own; this proves the committed multipliers for the fixed shifts.
TEST(EarlyTables, MagicMultipliersAreValidForEverySubset) {
    for (int diagonal = 0; diagonal < 2; ++diagonal) {
        for (Square s = 0; s < 64; ++s) {
            const Bitboard mask = diagonal ? BISHOP_MASK[s] : ROOK_MASK[s];
            const uint64_t magic = diagonal ? BISHOP_MAGIC[s] : ROOK_MAGIC[s];
            const int shift = diagonal ? BISHOP_MAGIC_SHIFT : ROOK_MAGIC_SHIFT;
            std::vector<Bitboard> seen(size_t{1} << (64 - shift), ~Bitboard{0});
            Bitboard subset = 0;
            do {
                const Bitboard attacks = slowAttacks(s, subset, diagonal);
                const size_t index = (subset * magic) >> shift;
                ASSERT_TRUE(seen[index] == ~Bitboard{0} || seen[index] == attacks)
                    << (diagonal ? "bishop" : "rook") << " square " << s;
                seen[index] = attacks;
                const Bitboard lookedUp = diagonal ? bishopAttacks(s, subset) : rookAttacks(s, subset);
                ASSERT_EQ(lookedUp, attacks);
                subset = (subset - mask) & mask;
            } while (subset != 0);
        }
    }
}

TEST(EarlyTables, MagicLookupsIgnoreSquaresOutsideTheMask) {
    std::mt19937_64 rng(11);
    for (int i = 0; i < 5000; ++i) {
        const Square s = static_cast<Square>(rng() % 64);
        const Bitboard occupancy = rng() & rng();
        ASSERT_EQ(rookAttacks(s, occupancy), slowAttacks(s, occupancy, false));
        ASSERT_EQ(bishopAttacks(s, occupancy), slowAttacks(s, occupancy, true));
    }
}

TEST(EarlyKeys, ZobristValuesAreNonZeroAndPairwiseDistinct) {
    std::set<uint64_t> values;
    size_t count = 0;
    auto add = [&](uint64_t v) {
        EXPECT_NE(v, 0u);
        values.insert(v);
        ++count;
    };
    for (const auto& row : zobristPiece)
        for (uint64_t v : row) add(v);
    for (uint64_t v : zobristEpFile) add(v);
    for (uint64_t v : zobristCastle) add(v);
    EXPECT_EQ(count, 792u);
    EXPECT_EQ(values.size(), count);
}

TEST(EarlyKeys, HashAndProbeKeys) {
    auto pos = early_test::positionFromFen("4k3/8/8/8/8/8/8/4K2R w - - 0 1");
    const uint64_t men =
        zobristPiece[WHITE_KING][sq("e1")] ^ zobristPiece[WHITE_ROOK][sq("h1")] ^ zobristPiece[BLACK_KING][sq("e8")];
    EXPECT_EQ(computeHashKey(*pos), men);
    EXPECT_EQ(pos->currentState->key, men);
    // No rights and no e.p. square still fold in castle entry 0.
    EXPECT_EQ(probeKey(*pos), men ^ zobristCastle[0]);
    EXPECT_NE(probeKey(*pos), pos->currentState->key);

    auto blackToMove = early_test::positionFromFen("4k3/8/8/8/8/8/8/4K2R b - - 0 1");
    EXPECT_EQ(probeKey(*blackToMove), probeKey(*pos));

    auto withRights = early_test::positionFromFen("4k3/8/8/8/8/8/8/4K2R w K - 0 1");
    EXPECT_EQ(probeKey(*withRights), men ^ zobristCastle[1]);

    auto withEp = early_test::positionFromFen("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1");
    EXPECT_EQ(probeKey(*withEp), withEp->currentState->key ^ zobristCastle[0] ^ zobristEpFile[3]);
}
