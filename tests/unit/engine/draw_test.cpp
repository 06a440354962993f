#include <gtest/gtest.h>

#include "draw.h"
#include "test_support.h"

namespace {

// Writes a game line of slots directly: keys by letter, one slot per ply, the current slot
// last. A capital letter marks a capture or pawn move (the reversible count restarts).
void writeLine(Position& p, const char* line) {
    int reversible = 0;
    int i = 0;
    for (; line[i]; ++i) {
        const char c = line[i];
        reversible = (c >= 'A' && c <= 'Z') ? 0 : reversible + 1;
        p.plyStack[i].positionKey = 1000 + (c | 0x20);
        p.plyStack[i].reversibleCount = i == 0 ? 0 : reversible;
    }
    p.currentPly = &p.plyStack[i - 1];
    p.nextPly = &p.plyStack[i];
}

}  // namespace

TEST(Draw, RepetitionCountsEverySecondSlotBackToTheLastIrreversibleMove) {
    struct Case {
        const char* line;
        int count;
    };
    const Case cases[] = {
        {"a", 1},
        {"abcd", 1},
        {"abab", 2},           // the current b repeats the slot two back
        {"ababa", 3},
        {"ababab", 3},
        {"aaaa", 2},           // the odd slots are the other side's, never compared
        {"abaBaba", 2},        // after the pawn move B the a two slots before it no longer counts
        {"xabAbab", 2},        // the same with the irreversible move on the other side's ply
        {"abababababab", 6},
    };
    for (const Case& c : cases) {
        auto p = newPosition();
        writeLine(*p, c.line);
        EXPECT_EQ(repetitionCount(*p), c.count) << c.line;
    }
}

TEST(Draw, RepetitionNeverLooksBeforeTheFirstSlot) {
    auto p = newPosition();
    writeLine(*p, "abab");
    p->currentPly->reversibleCount = 400;  // e.g. a set-up with a large reversible count
    EXPECT_EQ(repetitionCount(*p), 2);
    p->currentPly->reversibleCount = -5;
    EXPECT_EQ(repetitionCount(*p), 1);
}

TEST(Draw, SameBoardWithOtherRightsOrEnPassantDoesNotRepeat) {
    auto a = positionFromFen("4k3/8/8/8/4P3/8/8/R3K3 b Q -");
    auto b = positionFromFen("4k3/8/8/8/4P3/8/8/R3K3 b - -");
    auto c = positionFromFen("4k3/8/8/8/4P3/8/8/R3K3 b Q e3");
    EXPECT_NE(a->currentPly->positionKey, b->currentPly->positionKey);
    EXPECT_NE(a->currentPly->positionKey, c->currentPly->positionKey);
}

TEST(Draw, InsufficientMaterial) {
    struct Case {
        const char* fen;
        bool insufficient;
    };
    const Case cases[] = {
        {"4k3/8/8/8/8/8/8/4K3 w - -", true},
        {"4k3/8/8/8/8/8/8/2B1K3 w - -", true},
        {"4k3/8/8/8/8/8/8/4KB2 w - -", true},
        {"4k3/8/8/8/8/8/8/4K1N1 b - -", true},
        {"2b1k3/8/8/8/8/8/8/4K3 w - -", true},
        {"4kn2/8/8/8/8/8/8/4K3 w - -", true},
        {"4k3/8/8/8/8/8/8/R3K3 w - -", false},
        {"4k3/8/8/8/8/8/8/2B1KB2 w - -", false},
        {"4k3/8/8/8/8/8/8/4K1NN w - -", false},
        {"4kn2/8/8/8/8/8/8/4K1N1 w - -", false},
        {"4k3/8/8/8/8/8/P7/4K3 w - -", false},
        {"4k3/p7/8/8/8/8/8/4KB2 w - -", false},
        {"4kq2/8/8/8/8/8/8/4K3 w - -", false},
    };
    for (const Case& c : cases) EXPECT_EQ(isInsufficientMaterial(*positionFromFen(c.fen)), c.insufficient) << c.fen;
}
