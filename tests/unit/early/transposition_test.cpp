// The earlier engine's transposition tables: the replacement rule of the store and the
// cut-off rule of each table.
#include "transposition.h"

#include <gtest/gtest.h>

#include "search_test_support.h"

using namespace early;

namespace {

constexpr uint64_t KEY = 0x1234567800ABCDEFULL;
constexpr uint64_t SAME_INDEX_OTHER_CHECK = 0x9999999900ABCDEFULL;

}  // namespace

TEST(EarlyTransposition, StoreKeepsADeeperEntryOfTheSameSearchOnly) {
    struct Case {
        const char* name;
        int32_t firstId, firstDepth, secondId, secondDepth;
        bool replaced;
    };
    const Case cases[] = {
        {"shallower then deeper", 7, 3, 7, 5, true},
        {"deeper then shallower", 7, 5, 7, 3, false},
        {"equal depths", 7, 4, 7, 4, true},
        {"earlier search, depth 0", 6, 9, 7, 0, true},
        {"negative depth below 0", 7, 0, 7, -2, false},
    };
    for (const Case& c : cases) {
        ttWhite[KEY & TT_INDEX_MASK] = TtEntry{};
        storeHash<White>(c.firstId, c.firstDepth, KEY, 0x111, 10, BOUND_EXACT);
        // Another position with the same index: the check word plays no part in the rule.
        storeHash<White>(c.secondId, c.secondDepth, SAME_INDEX_OTHER_CHECK, 0x222, 20, BOUND_CUTOFF);
        const TtEntry& e = ttWhite[KEY & TT_INDEX_MASK];
        if (c.replaced) {
            EXPECT_EQ(e.check, keyHigh(SAME_INDEX_OTHER_CHECK)) << c.name;
            EXPECT_EQ(e.move, 0x222u) << c.name;
            EXPECT_EQ(e.score, 20) << c.name;
            EXPECT_EQ(e.bound, BOUND_CUTOFF) << c.name;
            EXPECT_EQ(e.depth, c.secondDepth) << c.name;
            EXPECT_EQ(e.searchId, c.secondId) << c.name;
        } else {
            EXPECT_EQ(e.check, keyHigh(KEY)) << c.name;
            EXPECT_EQ(e.move, 0x111u) << c.name;
            EXPECT_EQ(e.depth, c.firstDepth) << c.name;
        }
    }
}

TEST(EarlyTransposition, TablesAreSeparateAndProbedByIndexAndCheck) {
    ttWhite[KEY & TT_INDEX_MASK] = TtEntry{};
    ttBlack[KEY & TT_INDEX_MASK] = TtEntry{};
    storeHash<Black>(3, 2, KEY, 0x333, -5, BOUND_NO_IMPROVEMENT);
    EXPECT_EQ(probeTable<White>(keyLow(KEY), keyHigh(KEY)), nullptr);
    const TtEntry* e = probeHash(keyLow(KEY), keyHigh(KEY));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e, &ttBlack[KEY & TT_INDEX_MASK]);
    EXPECT_EQ(e->move, 0x333u);
    EXPECT_EQ(probeHash(keyLow(SAME_INDEX_OTHER_CHECK), keyHigh(SAME_INDEX_OTHER_CHECK)), nullptr);
    // Bits above the index are not part of it.
    EXPECT_EQ(probeHash(keyLow(KEY) ^ 0x80000000u, keyHigh(KEY)), e);
}

TEST(EarlyTransposition, CutoffRulesOfEachTable) {
    struct Case {
        const char* name;
        bool white;
        int32_t bound, entryDepth, score, alpha, beta, depth;
        bool cuts;
        int32_t result;
    };
    const Case cases[] = {
        {"white upper bound below alpha", true, BOUND_NO_IMPROVEMENT, 4, 30, 40, 60, 4, true, 40},
        {"white upper bound inside", true, BOUND_NO_IMPROVEMENT, 4, 30, 20, 60, 4, false, 0},
        {"white upper bound equal to alpha", true, BOUND_NO_IMPROVEMENT, 4, 40, 40, 60, 4, true, 40},
        {"white lower bound above beta", true, BOUND_CUTOFF, 4, 70, 40, 60, 4, true, 60},
        {"white lower bound below beta", true, BOUND_CUTOFF, 4, 50, 40, 60, 4, false, 0},
        {"black lower bound above beta", false, BOUND_NO_IMPROVEMENT, 4, 30, 0, 25, 3, true, 25},
        {"black lower bound inside", false, BOUND_NO_IMPROVEMENT, 4, 10, 0, 25, 3, false, 0},
        {"black upper bound below alpha", false, BOUND_CUTOFF, 4, -10, 0, 25, 3, true, 0},
        {"black upper bound above alpha", false, BOUND_CUTOFF, 4, 10, 0, 25, 3, false, 0},
        {"exact score returned as stored", true, BOUND_EXACT, 3, 77, 0, 10, 3, true, 77},
        {"exact but too shallow", false, BOUND_EXACT, 2, 77, 0, 10, 3, false, 0},
        {"never-written bound", true, 0, 5, 0, 10, 20, 1, false, 0},
        {"deep enough for a negative depth", true, BOUND_EXACT, 0, 5, 0, 10, -1, true, 5},
    };
    for (const Case& c : cases) {
        const TtEntry e{1, 0x444, c.score, c.bound, c.entryDepth, 1};
        int32_t result = 0;
        const bool cuts = c.white ? ttCutoff<White>(e, c.alpha, c.beta, c.depth, result)
                                  : ttCutoff<Black>(e, c.alpha, c.beta, c.depth, result);
        EXPECT_EQ(cuts, c.cuts) << c.name;
        if (c.cuts) {
            EXPECT_EQ(result, c.result) << c.name;
        }
    }
}
