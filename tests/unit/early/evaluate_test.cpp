// The earlier engine's evaluation: the packed halves, the taper and the terms of each side.
#include "evaluate.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "early_test_support.h"

using namespace early;
using early_test::positionFromFen;

namespace {

// The terms beyond the material-and-square sums, per side.
PackedScore whiteTerms(const Position& pos) { return evaluationTotalWhite(pos) - pos.pstSumWhite; }
PackedScore blackTerms(const Position& pos) { return evaluationTotalBlack(pos) - pos.pstSumBlack; }

// The position with ranks flipped, colours swapped and the other side to move.
std::string mirrored(const std::string& fen) {
    const std::string placement = fen.substr(0, fen.find(' '));
    std::string rest = fen.substr(fen.find(' ') + 1);
    std::string ranks[8];
    int r = 0;
    for (char c : placement) {
        if (c == '/')
            ++r;
        else
            ranks[r] += std::isupper(c) ? static_cast<char>(std::tolower(c)) : static_cast<char>(std::toupper(c));
    }
    std::string out;
    for (int i = 7; i >= 0; --i) out += ranks[i] + (i > 0 ? "/" : "");
    const char side = rest[0] == 'w' ? 'b' : 'w';
    return out + " " + side + " - -";
}

}  // namespace

TEST(EarlyEvaluate, PackedHalvesGiveBackThePairWhateverTheirSigns) {
    struct Case {
        int opening, endgame;
    };
    const Case cases[] = {{-10, -10}, {5, -3}, {0, -1}, {-16, -16}, {100, 200}, {-300, 7}, {1234, -4321}};
    for (const Case& c : cases) {
        EXPECT_EQ(packedOpening(packScore(c.opening, c.endgame)), c.opening) << c.opening << "," << c.endgame;
        EXPECT_EQ(packedEndgame(packScore(c.opening, c.endgame)), c.endgame) << c.opening << "," << c.endgame;
    }
}

TEST(EarlyEvaluate, TaperWeighsTheHalvesByTheSidesMen) {
    struct Case {
        PackedScore total;
        int men;
        int32_t expected;
    };
    const Case cases[] = {
        {packScore(-16, -16), 16, -16},  // all men: the opening half alone, even when the endgame half is negative
        {packScore(3900, 4100), 16, 3900},
        {packScore(40, 80), 1, 77},      // (15 * 80 + 40) / 16
        {packScore(-10, -20), 1, -20},   // a bare king on a1: (15 * -20 - 10) >> 4, rounded down
        {packScore(100, 300), 8, 200},
    };
    for (const Case& c : cases) EXPECT_EQ(taper(c.total, c.men), c.expected) << c.men;
}

TEST(EarlyEvaluate, StartPositionIsMinusTenInBothHalves) {
    auto pos = positionFromFen(START_POSITION_FEN);
    EXPECT_EQ(evaluationTotalWhite(*pos) - evaluationTotalBlack(*pos), packScore(-10, -10));
    // Every term cancels but the knights': each White knight reaches two empty squares
    // (-5, -5), each Black knight counts three squares (0, 0).
    EXPECT_EQ(whiteTerms(*pos) - blackTerms(*pos), packScore(-10, -10));
    EXPECT_EQ(evaluate(*pos), -10);
}

TEST(EarlyEvaluate, TermsOfPawnsAndRooks) {
    struct Case {
        const char* name;
        const char* fen;
        PackedScore white, black;
    };
    const Case cases[] = {
        {"isolated passed a-pawn", "4k3/8/8/8/8/8/P7/4K3 w - -", packScore(-20, 5), 0},
        {"doubled isolated a-pawns, each charged", "4k3/8/8/8/8/P7/P7/4K3 w - -", packScore(-80, -25), 0},
        {"passed pawns, the front one defended", "4k3/8/8/4P3/3P4/8/8/4K3 w - -", packScore(30, 125), 0},
        {"black isolated passed a-pawn", "4k3/p7/8/8/8/8/8/4K3 b - -", 0, packScore(-20, 5)},
        {"two rooks on an open file", "7k/8/8/8/8/8/R7/R6K w - -", packScore(90, 129), 0},
        {"rook on the seventh, half-open file, near the king", "7k/R7/8/p7/8/8/8/7K w - -", packScore(58, 98),
         packScore(-15, 20)},
        {"rook behind its own pawn: no file term", "7k/8/8/8/8/8/P7/R6K w - -", packScore(-8, 35), 0},
    };
    for (const Case& c : cases) {
        auto pos = positionFromFen(c.fen);
        EXPECT_EQ(whiteTerms(*pos), c.white) << c.name;
        EXPECT_EQ(blackTerms(*pos), c.black) << c.name;
    }
}

TEST(EarlyEvaluate, SideToMoveDoesNotCountAndKnightlessMirrorsNegate) {
    // Knights are left out of the mirror cases: the two colours' knights are counted differently.
    const char* fens[] = {
        "r3k2r/p1ppqpb1/b3p1p1/3P4/1p2P3/5Q1p/PPPBBPPP/R3K2R w - -",
        "4k3/1q4b1/8/3p4/2P1P3/8/5R2/3K4 w - -",
        "6k1/R4ppp/8/8/8/8/5PPP/1r4K1 w - -",
        "3qk3/3p4/8/8/8/8/3Q4/4K3 w - -",
    };
    for (const char* fen : fens) {
        auto pos = positionFromFen(fen);
        std::string other = fen;
        other[other.find(" w ") + 1] = 'b';
        EXPECT_EQ(evaluate(*positionFromFen(other)), evaluate(*pos)) << fen;
        EXPECT_EQ(evaluate(*positionFromFen(mirrored(fen))), -evaluate(*pos)) << fen;
    }
}
