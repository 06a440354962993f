// Exchange values of captures and push-promotions, from the mover's side.
#include "see.h"

#include <gtest/gtest.h>

#include "early_test_support.h"

using namespace early;
using early_test::findMove;
using early_test::positionFromFen;

TEST(EarlySee, ExchangeValues) {
    struct Case {
        const char* name;
        const char* fen;
        const char* move;
        int32_t expected;
    };
    const Case cases[] = {
        {"queen takes a pawn only the king guards", "4k3/4p3/8/8/8/8/8/4Q1K1 w - -", "e1e7", -850},
        {"the same with a second white guard", "4k3/R3p3/8/8/8/8/8/4Q1K1 w - -", "e1e7", -850},
        {"black queen takes a pawn only the king guards", "4q1k1/8/8/8/8/8/4P3/4K3 b - -", "e8e2", -850},
        {"push-promotion to a free square", "7k/P7/8/8/8/8/8/K7 w - -", "a7a8q", 0},
        {"push-promotion to an attacked undefended square", "1r5k/P7/8/8/8/8/8/7K w - -", "a7a8q", -100},
        {"black push-promotion to an attacked square", "7k/8/8/8/8/8/p7/1R5K b - -", "a2a1n", -100},
        {"the rook behind joins through the vacated square", "3rk3/8/8/3p4/8/8/3R4/3R2K1 w - -", "d2d5", 100},
        {"without the rook behind", "3rk3/8/8/3p4/8/8/3R4/6K1 w - -", "d2d5", -400},
        {"pawn takes a queen defended by a pawn", "4k3/2p5/3q4/4P3/8/8/8/4K3 w - -", "e5d6", 850},
        {"undefended piece", "4k3/8/8/3n4/8/8/8/3RK3 w - -", "d1d5", 300},
        {"bishop recaptures before the queen", "4k3/8/1b6/8/3p4/8/8/3QK3 w - -", "d1d4", -850},
    };
    for (const Case& c : cases) {
        auto pos = positionFromFen(c.fen);
        const Move m = findMove(*pos, c.move);
        ASSERT_NE(m, 0u) << c.name;
        const int32_t value = pos->sideToMove == 0 ? seeWhite(*pos, m) : seeBlack(*pos, m);
        EXPECT_EQ(value, c.expected) << c.name;
    }
}
