#include <cctype>
#include <string>

#include <gtest/gtest.h>

#include "evaltables.h"
#include "evaluate.h"
#include "makemove.h"
#include "movegen.h"
#include "test_support.h"

namespace {

// The same position seen from the other side: ranks reversed, colours swapped.
std::string mirrorFen(const std::string& fen) {
    const size_t space = fen.find(' ');
    const std::string placement = fen.substr(0, space);
    std::string rest = space == std::string::npos ? "" : fen.substr(space + 1);
    std::string ranks[8];
    int r = 0;
    for (char c : placement) {
        if (c == '/') ++r;
        else ranks[r] += static_cast<char>(std::isupper(static_cast<unsigned char>(c)) ? std::tolower(c) : std::toupper(c));
    }
    std::string out;
    for (int i = 7; i >= 0; --i) out += ranks[i] + (i ? "/" : "");
    const char side = rest.empty() ? 'w' : rest[0];
    return out + (side == 'w' ? " b - -" : " w - -");
}

// Runs the piece terms in evaluation order; element i is the i-th term's value.
struct PieceTerms {
    PackedScore value[10];
};
PieceTerms pieceTerms(const Position& p) {
    EvalAttacks a{};
    fillPawnAttacks(p, a);
    return {{evalKnightsWhite(p, a), evalKnightsBlack(p, a), evalDarkBishopsWhite(p, a), evalDarkBishopsBlack(p, a),
             evalLightBishopsWhite(p, a), evalLightBishopsBlack(p, a), evalRooksWhite(p, a), evalRooksBlack(p, a),
             evalQueensWhite(p, a), evalQueensBlack(p, a)}};
}
enum TermIndex { KNIGHTS_W = 0, DARK_BISHOPS_W = 2, LIGHT_BISHOPS_W = 4, ROOKS_W = 6 };

PackedScore whiteTerm(const char* fen, TermIndex term) { return pieceTerms(*positionFromFen(fen)).value[term]; }

}  // namespace

TEST(Evaluate, StartPositionIsEven) {
    const auto start = positionFromFen(START_POSITION_FEN);
    const Position& p = *start;
    EXPECT_EQ(evaluate(p), 8000);
    EXPECT_EQ(evaluateWithMaterialCases(p), 8000);
    EXPECT_EQ(quickEval(p), 8000);
}

// Every term has a mirror twin, so swapping the colours negates the advantage exactly.
TEST(Evaluate, MirroredPositionNegatesTheAdvantage) {
    const char* fens[] = {
        "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq -",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
        "r2q1rk1/pp2bppp/2n1pn2/3p4/3P4/2NBPN2/PP3PPP/R2Q1RK1 w - -",
        "6k1/1R3ppp/8/8/8/8/5PPP/6K1 w - -",
        "8/2p5/3k4/1p1p4/1P1P4/2PK4/2P5/8 w - -",
        "3qk3/8/8/8/8/8/8/QQ2K3 w - -",
        "4k3/8/8/4N3/3P4/8/8/4K3 w - -",
        "2b1k3/8/8/8/8/8/8/R3K2R w - -",
        "8/8/8/8/8/8/8/4K2Q w - -",  // no Black king: the king terms are skipped, not read off the board
    };
    for (const char* fen : fens) {
        SCOPED_TRACE(fen);
        const auto p = positionFromFen(fen);
        const auto m = positionFromFen(mirrorFen(fen).c_str());
        EXPECT_EQ(evaluate(*m), 16000 - evaluate(*p));
        EXPECT_EQ(quickEval(*m), 16000 - quickEval(*p));
        EXPECT_EQ(evalPawnsBlack(*m), evalPawnsWhite(*p));
        EXPECT_EQ(evalPawnsWhite(*m), evalPawnsBlack(*p));
    }
}

TEST(Evaluate, TaperBlendsByPhaseWithoutClamping) {
    struct Case {
        PackedScore sum;
        int phase;
        Score expected;
    } cases[] = {
        {packScore(0, 0), 0, 8000},
        {packScore(10, -30), 0, 7970},  // the negative endgame half borrows from the opening half
        {packScore(10, -30), 32, 8010},
        {packScore(-20, -30), 16, 7975},
        {packScore(100, 50), 40, 8112},  // two queens: endgame weight -8/32, opening 40/32
    };
    for (const Case& c : cases) EXPECT_EQ(taper(c.sum, c.phase), c.expected) << c.phase;
}

TEST(Evaluate, DoubledRearPawnIsNeverPassed) {
    // e4 and e5, both isolated; e4 is doubled, only e5 is passed.
    const auto p = positionFromFen("4k3/8/8/4P3/4P3/8/8/4K3 w - -");
    EXPECT_EQ(evalPawnsWhite(*p), packScore(106 + 104 - 14 - 14 - 14 + 10, 106 + 104 - 20 - 20 - 20 + 70));
}

TEST(Evaluate, KnightOutpostCountsOnceTwiceOrThreeTimes) {
    ensureTables();
    const PackedScore e5 = knightOutpost[White][sq("e5")];
    ASSERT_NE(e5, 0);
    const PackedScore threeTimes = whiteTerm("4k3/8/8/4N3/3P4/8/8/4K3 w - -", KNIGHTS_W);
    struct Case {
        const char* fen;
        int times;
    } cases[] = {
        {"4k2b/8/8/4N3/3P4/8/8/4K3 w - -", 2},  // Black has a dark bishop, e5 is dark
        {"b3k3/8/8/4N3/3P4/8/8/4K3 w - -", 3},  // a light bishop can never reach e5
        {"n3k3/8/8/4N3/3P4/8/8/4K3 w - -", 2},  // a Black knight
        {"4k3/8/8/4N3/8/8/8/4K3 w - -", 1},     // no defending pawn
        {"4k3/8/3p4/4N3/3P4/8/8/4K3 w - -", 0}, // a Black pawn can attack e5
    };
    for (const Case& c : cases)
        EXPECT_EQ(threeTimes - whiteTerm(c.fen, KNIGHTS_W), (3 - c.times) * e5) << c.fen;
}

TEST(Evaluate, RookFileBonusDependsOnThePawnsOfItsFile) {
    // The knights on e3 and e5 fence the rook in, so the pawn on e7 changes nothing but the file.
    const PackedScore blackPawnOnFile = whiteTerm("7k/4p3/8/4N3/4R3/4N3/8/7K w - -", ROOKS_W);
    EXPECT_EQ(whiteTerm("7k/8/8/4N3/4R3/4N3/8/7K w - -", ROOKS_W) - blackPawnOnFile, packScore(20, 30));
    EXPECT_EQ(whiteTerm("7k/4P3/8/4N3/4R3/4N3/8/7K w - -", ROOKS_W) - blackPawnOnFile, packScore(15, 15));
    EXPECT_EQ(whiteTerm("7k/4p3/4P3/4N3/4R3/4N3/8/7K w - -", ROOKS_W), blackPawnOnFile);
}

TEST(Evaluate, BishopPairAddsToBothBishopTerms) {
    // A bishop never stands on the other bishop's diagonals, so only the pair bonus changes.
    const char* pair = "4k3/8/8/8/8/8/8/2B1KB2 w - -";
    EXPECT_EQ(whiteTerm(pair, DARK_BISHOPS_W) - whiteTerm("4k3/8/8/8/8/8/8/2B1K3 w - -", DARK_BISHOPS_W),
              packScore(10, 20));
    EXPECT_EQ(whiteTerm(pair, LIGHT_BISHOPS_W) - whiteTerm("4k3/8/8/8/8/8/8/4KB2 w - -", LIGHT_BISHOPS_W),
              packScore(10, 20));
}

TEST(Evaluate, MaterialVerdicts) {
    // Material keys: one nibble per piece code, Black's codes in the high half.
    auto key = [](uint32_t white, uint32_t black) { return (MaterialKey{black} << 32) | white; };
    constexpr uint32_t K = 0x10000000, P = 0x10, N = 0x100, D = 0x1000, L = 0x10000, R = 0x100000, Q = 0x1000000;
    struct Case {
        uint32_t white, black;
        Score e, expected;
    } cases[] = {
        {K, K, 8350, 8000},
        {K + Q, K, 8900, 13900},
        {K, K + Q, 7100, 2100},
        {K, K + R, 7400, 2400},
        {K + R, K, 8600, 13600},
        {K + L, K, 8300, 8000},
        {K, K + D, 7700, 8000},
        {K + D, K + P, 8100, 7950},
        {K + D, K + P, 7900, 8050},
        {K + P, K + L, 8100, 7950},
        {K + N + N, K, 8600, 8006},
        {K + R, K + N, 8507, 8101},  // 507 * 0.2 = 101.4, truncated
        {K + L, K + R, 7500, 7900},
        {K + N, K, 8300, 8300},  // a lone knight is no verdict
        {K + R + P, K + N, 8700, 8700},
    };
    for (const Case& c : cases)
        EXPECT_EQ(applyMaterialCases(key(c.white, c.black), c.e), c.expected) << std::hex << c.white << " " << c.black;

    const auto queen = positionFromFen("4k3/8/8/8/8/8/8/3QK3 w - -");
    EXPECT_EQ(evaluateWithMaterialCases(*queen), evaluate(*queen) + 5000);
    const auto knight = positionFromFen("4k3/8/8/8/8/8/8/3NK3 w - -");
    EXPECT_EQ(evaluateWithMaterialCases(*knight), evaluate(*knight));
    EXPECT_EQ(evaluateWithMaterialCases(*positionFromFen("8/8/3k4/8/8/4K3/8/8 w - -")), 8000);
}

TEST(Evaluate, PawnCacheHoldsBothColoursUnderTheKeyTag) {
    const auto noPawns = positionFromFen("4k3/8/8/8/8/8/8/R3K2R w - -");
    ASSERT_EQ(noPawns->currentPly->pawnKey, 0u);
    evaluate(*noPawns);
    EXPECT_EQ(pawnHashTable[0].tag, 0u);
    EXPECT_EQ(pawnHashTable[0].whiteScore, 0);
    EXPECT_EQ(pawnHashTable[0].blackScore, 0);

    const auto position = positionFromFen("4k3/pp6/8/8/8/8/5PPP/4K3 w - -");
    const Position& p = *position;
    const uint64_t pawnKey = p.currentPly->pawnKey;
    PawnHashEntry& entry = pawnHashTable[pawnKey & PAWN_HASH_MASK];
    const Score score = evaluate(p);
    EXPECT_EQ(entry.tag, static_cast<uint32_t>(pawnKey >> 32));
    EXPECT_EQ(entry.whiteScore, evalPawnsWhite(p));
    EXPECT_EQ(entry.blackScore, evalPawnsBlack(p));
    // A hit takes the stored scores as they are.
    entry.whiteScore += packScore(32, 32);
    EXPECT_EQ(evaluate(p), score + 32);
    entry.tag ^= 1;  // a tag mismatch recomputes and overwrites
    EXPECT_EQ(evaluate(p), score);
    EXPECT_EQ(entry.whiteScore, evalPawnsWhite(p));
}

// Along a line of play the running sums and the pawn key kept by make and unmake must give
// the same scores as a fresh set-up of each position, and the cache must not go stale.
TEST(Evaluate, ScoresAlongALineOfPlayMatchFreshSetUps) {
    for (const char* fen : {START_POSITION_FEN, "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -"}) {
        const auto p = positionFromFen(fen);
        const Score initial = evaluate(*p);
        Move played[40];
        int plies = 0;
        for (; plies < 40; ++plies) {
            Move list[MOVE_LIST_SIZE];
            const bool white = p->sideToMove == 0;
            const int count = static_cast<int>((white ? generateMovesWhite(*p, list) : generateMovesBlack(*p, list)) - list);
            if (count == 0) break;
            played[plies] = list[(plies * 7 + 3) % count];
            if (white) makeMoveWhite(*p, played[plies]);
            else makeMoveBlack(*p, played[plies]);
            const std::string now = fenOf(*p);
            SCOPED_TRACE(now);
            const auto fresh = positionFromFen(now.c_str());
            EXPECT_EQ(evaluate(*p), evaluate(*fresh));
            EXPECT_EQ(quickEval(*p), quickEval(*fresh));
            EXPECT_EQ(evaluate(*positionFromFen(mirrorFen(now).c_str())), 16000 - evaluate(*p));
        }
        while (plies-- > 0) {
            if (p->sideToMove == 1) unmakeMoveWhite(*p, played[plies]);
            else unmakeMoveBlack(*p, played[plies]);
        }
        EXPECT_EQ(evaluate(*p), initial);
    }
}
