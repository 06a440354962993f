#include <cstdint>
#include <random>

#include <gtest/gtest.h>

#include "bitops.h"
#include "attacks.h"
#include "magic.h"
#include "test_support.h"

namespace {

// Attacks by stepping square by square, independent of the engine's tables.
Bitboard slowSliderAttacks(int s, bool rook, Bitboard occupied) {
    Bitboard result = 0;
    for (int d = rook ? 0 : 1; d < 8; d += 2) {
        int r = s / 8, f = s % 8;
        for (;;) {
            r += directionRankStep[d];
            f += directionFileStep[d];
            if (r < 0 || r > 7 || f < 0 || f > 7) break;
            result |= Bitboard{1} << (r * 8 + f);
            if (occupied >> (r * 8 + f) & 1) break;
        }
    }
    return result;
}

Bitboard slowMask(int s, bool rook) {
    Bitboard edges = 0;
    for (int t = 0; t < 64; ++t) {
        const int r = t / 8, f = t % 8;
        // A square is dropped from the mask when it is on the edge the line runs into.
        const bool onRankEdge = (r == 0 && s / 8 != 0) || (r == 7 && s / 8 != 7);
        const bool onFileEdge = (f == 0 && s % 8 != 0) || (f == 7 && s % 8 != 7);
        if (onRankEdge || onFileEdge) edges |= Bitboard{1} << t;
    }
    return slowSliderAttacks(s, rook, 0) & ~edges;
}

struct Kind {
    const char* name;
    bool rook;
    const MagicEntry* entries;
    const Bitboard* table;
    int tableSize;
};

const Kind KINDS[] = {{"rook", true, rookMagics, rookAttackTable, ROOK_ATTACK_TABLE_SIZE},
                      {"bishop", false, bishopMagics, bishopAttackTable, BISHOP_ATTACK_TABLE_SIZE}};

}  // namespace

// Every subset of every mask must land on a slot that holds exactly its attack set, and the
// slices must tile each table in square order.
TEST(Magic, EveryMultiplierIsValidAndSlicesTileTheTables) {
    ensureTables();
    for (const Kind& kind : KINDS) {
        int64_t total = 0;
        for (int s = 0; s < 64; ++s) {
            const MagicEntry& e = kind.entries[s];
            ASSERT_EQ(e.mask, slowMask(s, kind.rook)) << kind.name << " " << s;
            ASSERT_EQ(e.shift, 64 - popCount64(e.mask));
            ASSERT_EQ(e.attacks, kind.table + total) << kind.name << " " << s;
            total += int64_t{1} << (64 - e.shift);
            // Carry-Rippler enumeration of all subsets of the mask.
            Bitboard subset = 0;
            do {
                const uint64_t index = (subset * e.magic) >> e.shift;
                ASSERT_LT(index, uint64_t{1} << (64 - e.shift));
                ASSERT_EQ(e.attacks[index], slowSliderAttacks(s, kind.rook, subset))
                    << kind.name << " " << s << " " << std::hex << subset;
                subset = (subset - e.mask) & e.mask;
            } while (subset);
        }
        EXPECT_EQ(total, kind.tableSize) << kind.name;
    }
    EXPECT_EQ(ROOK_ATTACK_TABLE_SIZE, 102400);
    EXPECT_EQ(BISHOP_ATTACK_TABLE_SIZE, 5248);
}

TEST(Magic, CornerMultipliersAreTheLongStandingOnes) {
    EXPECT_EQ(rookMagicNumbers[0], 0x4080004000201080ULL);
    EXPECT_EQ(rookMagicNumbers[63], 0x080021002400448AULL);
    EXPECT_EQ(bishopMagicNumbers[0], 0x01A9014D02040100ULL);
    EXPECT_EQ(bishopMagicNumbers[63], 0x002002B000410040ULL);
}

TEST(Magic, ShiftsByRegion) {
    int rook52 = 0, rook53 = 0, rook54 = 0, bishop[4] = {};  // bishop shifts 55, 57, 58, 59
    for (int s = 0; s < 64; ++s) {
        rook52 += rookShifts[s] == 52;
        rook53 += rookShifts[s] == 53;
        rook54 += rookShifts[s] == 54;
        bishop[0] += bishopShifts[s] == 55;
        bishop[1] += bishopShifts[s] == 57;
        bishop[2] += bishopShifts[s] == 58;
        bishop[3] += bishopShifts[s] == 59;
    }
    EXPECT_EQ(rook52, 4);
    EXPECT_EQ(rook53, 24);
    EXPECT_EQ(rook54, 36);
    EXPECT_EQ(bishop[0], 4);
    EXPECT_EQ(bishop[1], 12);
    EXPECT_EQ(bishop[2], 4);
    EXPECT_EQ(bishop[3], 44);
    for (const char* centre : {"d4", "e4", "d5", "e5"}) EXPECT_EQ(bishopShifts[sq(centre)], 55);
}

// Random occupancies over the whole board, edges and pieces beyond blockers included.
TEST(Magic, LookupsMatchSlowAttacksForAnyOccupancy) {
    ensureTables();
    std::mt19937_64 rng(2024);
    for (int i = 0; i < 20000; ++i) {
        const Bitboard occupied = rng() & rng();
        const int s = static_cast<int>(rng() % 64);
        const Bitboard rook = slowSliderAttacks(s, true, occupied);
        const Bitboard bishop = slowSliderAttacks(s, false, occupied);
        ASSERT_EQ(rookAttacks(s, occupied), rook);
        ASSERT_EQ(bishopAttacks(s, occupied), bishop);
        ASSERT_EQ(queenAttacks(s, occupied), rook | bishop);
    }
    EXPECT_EQ(rookAttacks(sq("a1"), 0), (fileMask[0] | 0xFFULL) & ~Bitboard{1});
    EXPECT_EQ(rookAttacks(sq("a1"), squares({"a4"})), squares({"a2", "a3", "a4"}) | (0xFFULL & ~Bitboard{1}));
    EXPECT_EQ(popCount64(bishopAttacks(sq("d4"), 0)), 13);
}

TEST(Magic, AllAttackersToSeesXRaysOnceTheFrontPieceIsLifted) {
    // White rooks on e2 and, behind it, e1 bear on the queen on e7; the knight on c6 guards it.
    auto p = positionFromFen("7k/4q3/2n5/8/8/8/4R3/4R2K w - -");
    const Square e7 = sq("e7");
    const Bitboard all = p->occupiedSquares;
    EXPECT_EQ(allAttackersTo(*p, all, e7) & all, squares({"e2", "c6"}));
    const Bitboard lifted = all & ~squares({"e2"});
    EXPECT_EQ(allAttackersTo(*p, lifted, e7) & lifted, squares({"e1", "c6"}));
    // Black diagonal attackers of f6: the queen on e7 only.
    EXPECT_EQ(blackDiagonalAttackers(*p, sq("f6")), squares({"e7"}));
    EXPECT_EQ(queenAttacksOnBoard(*p, e7), queenAttacks(e7, all));
}
