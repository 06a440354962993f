#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "bitops.h"
#include "tables.h"
#include "test_support.h"

namespace {

// Independent slow geometry from coordinates.
int rankDiff(int s, int t) { return t / 8 - s / 8; }
int fileDiff(int s, int t) { return t % 8 - s % 8; }
int sign(int v) { return (v > 0) - (v < 0); }

// The direction number from s to t along a line, or -1.
int slowDirection(int s, int t) {
    const int dr = rankDiff(s, t), df = fileDiff(s, t);
    if (s == t || !(dr == 0 || df == 0 || dr == df || dr == -df)) return -1;
    for (int d = 0; d < 8; ++d)
        if (directionRankStep[d] == sign(dr) && directionFileStep[d] == sign(df)) return d;
    return -1;
}

Bitboard slowBetween(int s, int t) {
    if (slowDirection(s, t) < 0) return 0;
    Bitboard b = 0;
    for (int u = 0; u < 64; ++u)
        if (u != s && u != t && slowDirection(s, u) == slowDirection(s, t) &&
            slowDirection(t, u) == slowDirection(t, s))
            b |= Bitboard{1} << u;
    return b;
}

int chebyshev(int s, int t) { return std::max(std::abs(rankDiff(s, t)), std::abs(fileDiff(s, t))); }

template <typename Pred> Bitboard setOf(Pred pred) {
    Bitboard b = 0;
    for (int t = 0; t < 64; ++t)
        if (pred(t)) b |= Bitboard{1} << t;
    return b;
}

class Geometry : public ::testing::Test {
protected:
    void SetUp() override { ensureTables(); }
};

}  // namespace

TEST_F(Geometry, LineTablesMatchCoordinateGeometry) {
    for (int s = 0; s < 64; ++s) {
        for (int t = 0; t < 64; ++t) {
            const int d = slowDirection(s, t);
            ASSERT_EQ(directionIndex[s][t], d < 0 ? NO_SQUARE : d) << s << " " << t;
            ASSERT_EQ(betweenMask[s][t], slowBetween(s, t)) << s << " " << t;
        }
        Bitboard all = 0, straight = 0, diagonal = 0;
        for (int d = 0; d < 8; ++d) {
            const Bitboard ray = setOf([&](int t) { return slowDirection(s, t) == d; });
            ASSERT_EQ(rays[s][d], ray) << s << " " << d;
            ASSERT_EQ(rayWalk(d, s, 0), ray);
            all |= ray;
            (d % 2 == 0 ? straight : diagonal) |= ray;
        }
        EXPECT_EQ(queenEmptyAttacks[s], all);
        EXPECT_EQ(rookEmptyAttacks[s], straight);
        EXPECT_EQ(bishopEmptyAttacks[s], diagonal);
    }
}

TEST_F(Geometry, RayWalkStopsAtTheFirstBlocker) {
    // From a1 north with blockers on a4 and a6: a2, a3, a4.
    EXPECT_EQ(rayWalk(DIRECTION_NORTH, sq("a1"), squares({"a4", "a6"})), squares({"a2", "a3", "a4"}));
    EXPECT_EQ(rayWalk(DIRECTION_NORTH_EAST, sq("c3"), squares({"d4"})), squares({"d4"}));
    EXPECT_EQ(rayWalk(DIRECTION_WEST, sq("a5"), 0), 0u);
    EXPECT_EQ(betweenMask[sq("a1")][sq("h8")], squares({"b2", "c3", "d4", "e5", "f6", "g7"}));
}

TEST_F(Geometry, LeaperAndPawnTablesMatchCoordinateGeometry) {
    for (int s = 0; s < 64; ++s) {
        const int rank = s / 8;
        EXPECT_EQ(kingAttacks[s], setOf([&](int t) { return chebyshev(s, t) == 1; })) << s;
        EXPECT_EQ(knightAttacks[s], setOf([&](int t) {
                      const int ar = std::abs(rankDiff(s, t)), af = std::abs(fileDiff(s, t));
                      return (ar == 1 && af == 2) || (ar == 2 && af == 1);
                  })) << s;
        EXPECT_EQ(flankNeighbours[s],
                  setOf([&](int t) { return chebyshev(s, t) == 1 && fileDiff(s, t) != 0; })) << s;
        EXPECT_EQ(pawnAttacksWhite[s], setOf([&](int t) {
                      return rank < 7 && rankDiff(s, t) == 1 && std::abs(fileDiff(s, t)) == 1;
                  })) << s;
        EXPECT_EQ(pawnAttacksBlack[s], setOf([&](int t) {
                      return rank > 0 && rankDiff(s, t) == -1 && std::abs(fileDiff(s, t)) == 1;
                  })) << s;
        EXPECT_EQ(kingZoneWhite[s], kingAttacks[s] | setOf([&](int t) {
                                        return rankDiff(s, t) == 2 && std::abs(fileDiff(s, t)) <= 1;
                                    })) << s;
        EXPECT_EQ(kingZoneBlack[s], kingAttacks[s] | setOf([&](int t) {
                                        return rankDiff(s, t) == -2 && std::abs(fileDiff(s, t)) <= 1;
                                    })) << s;
    }
}

TEST_F(Geometry, PawnStructureMasksMatchCoordinateGeometry) {
    for (int s = 0; s < 64; ++s) {
        const int rank = s / 8;
        const bool edgeRank = rank == 0 || rank == 7;
        EXPECT_EQ(fileMask[s], setOf([&](int t) { return fileDiff(s, t) == 0; })) << s;
        EXPECT_EQ(adjacentFileMask[s], setOf([&](int t) { return std::abs(fileDiff(s, t)) == 1; })) << s;
        EXPECT_EQ(passedPawnMaskWhite[s],
                  setOf([&](int t) { return std::abs(fileDiff(s, t)) <= 1 && rankDiff(s, t) > 0; })) << s;
        EXPECT_EQ(passedPawnMaskBlack[s],
                  setOf([&](int t) { return std::abs(fileDiff(s, t)) <= 1 && rankDiff(s, t) < 0; })) << s;
        EXPECT_EQ(attackSpanWhite[s], setOf([&](int t) {
                      return !edgeRank && std::abs(fileDiff(s, t)) == 1 && rankDiff(s, t) > 0;
                  })) << s;
        EXPECT_EQ(attackSpanBlack[s], setOf([&](int t) {
                      return !edgeRank && std::abs(fileDiff(s, t)) == 1 && rankDiff(s, t) < 0;
                  })) << s;
    }
}

TEST_F(Geometry, NamedEdgeCases) {
    EXPECT_EQ(pawnAttacksWhite[sq("a2")], squares({"b3"}));
    EXPECT_EQ(pawnAttacksWhite[sq("h2")], squares({"g3"}));
    EXPECT_EQ(kingZoneWhite[sq("e1")], kingAttacks[sq("e1")] | squares({"d3", "e3", "f3"}));
    EXPECT_EQ(kingZoneWhite[sq("e7")], kingAttacks[sq("e7")]);
    EXPECT_EQ(flankNeighbours[sq("e4")], squares({"d4", "f4", "d5", "f5", "d3", "f3"}));
    EXPECT_EQ(popCount64(passedPawnMaskWhite[sq("a7")]), 2);
    EXPECT_EQ(passedPawnMaskWhite[sq("d7")], squares({"c8", "d8", "e8"}));
    for (int s = 0; s < 64; ++s) ASSERT_EQ(squareBit[s], Bitboard{1} << s);
}
