#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "evaluate.h"
#include "movegen.h"
#include "quiesce.h"
#include "search_test_support.h"

namespace {

Score quiesceSideToMove(Position& p, Score alpha, Score beta) {
    return p.sideToMove == White ? quiesceWhite(p, alpha, beta) : quiesceBlack(p, alpha, beta);
}

// Without a capture the node stands pat: the evaluation plus 10, for either side to move,
// held inside the window; a stalemate is not recognised and stands pat as well.
TEST(Quiescence, StandsPatInsideTheWindow) {
    const char* fens[] = {
        "4k3/8/8/8/8/8/4P3/4K3 w - -",
        "4k3/8/8/8/8/8/4P3/4K3 b - -",
        "7k/5Q2/6K1/8/8/8/8/8 b - -",  // stalemate
    };
    for (const char* fen : fens) {
        auto p = searchPosition(fen, false);
        const Score e = evaluateWithMaterialCases(*p) + 10;
        struct Window {
            Score alpha, beta, expected;
        } windows[] = {{0, 16000, e}, {e + 50, e + 51, e + 50}, {e - 51, e - 50, e - 50}};
        for (const Window& w : windows) {
            const std::string before = fenOf(*p);
            EXPECT_EQ(quiesceSideToMove(*p, w.alpha, w.beta), w.expected) << fen << " window " << w.alpha;
            EXPECT_EQ(fenOf(*p), before);
        }
        EXPECT_EQ(p->quiescenceNodes, 3u) << fen;
    }
}

TEST(Quiescence, MateScoresCountThePly) {
    struct Case {
        const char* fen;
        Score expected;  // at searchPly 4
    } cases[] = {
        {"R5k1/5ppp/8/8/8/8/8/6K1 b - -", 15900 - 4},  // Black mated
        {"6k1/8/8/8/8/8/5PPP/r5K1 w - -", 4 + 100},    // White mated
    };
    for (const Case& c : cases) {
        auto p = searchPosition(c.fen, false);
        p->searchPly = 4;
        EXPECT_EQ(quiesceSideToMove(*p, 0, 16000), c.expected) << c.fen;
        EXPECT_EQ(p->quiescenceNodesByPly[4], 1u);
    }
}

// Which moves get a node: more than one node counted means a move was searched.
TEST(Quiescence, TriesOnlyCapturesThatDoNotLose) {
    struct Case {
        const char* what;
        const char* fen;
        bool searched;
    } cases[] = {
        {"white queen takes a pawn defended by a pawn", "4k3/8/2p5/3p4/8/8/8/3QK3 w - -", false},
        {"white queen takes an undefended pawn", "4k3/8/8/3p4/8/8/8/3QK3 w - -", true},
        {"white knight takes a pawn defended by a pawn", "4k3/8/2p5/3p4/8/4N3/8/4K3 w - -", false},
        {"black knight takes a pawn defended by a pawn", "4k3/8/5n2/3P4/2P5/8/8/4K3 b - -", true},
        {"black pawn takes a pawn defended by a pawn", "4k3/8/8/4p3/3P4/2P5/8/4K3 b - -", true},
        {"white pawn takes a pawn defended by a pawn", "4k3/8/2p5/3p4/4P3/8/8/4K3 w - -", true},
        {"push promotion", "8/P3k3/8/8/8/8/8/4K3 w - -", true},
        {"ordinary pawn push", "8/4k3/P7/8/8/8/8/4K3 w - -", false},
        {"quiet evasions in check", "4k3/8/8/8/8/8/8/r3K3 w - -", true},
    };
    for (const Case& c : cases) {
        auto p = searchPosition(c.fen, false);
        quiesceSideToMove(*p, 0, 16000);
        EXPECT_EQ(p->quiescenceNodes > 1, c.searched) << c.what;
    }
}

// Dearest victim first, then the cheapest mover.
TEST(Quiescence, CaptureOrder) {
    auto p = searchPosition("7k/8/8/r3p3/3N4/1n6/Q7/7K b - -", false);
    Move list[MOVE_LIST_SIZE];
    generateCapturesBlack(*p, list);
    ScoredMove scored[SCORED_LIST_SIZE];
    scoreCapturesBlack(*p, list, scored);
    std::vector<std::string> order;
    for (int i = 0; scored[i].move; ++i) order.push_back(moveCoordinates(selectMove(scored, i)));
    EXPECT_EQ(order, (std::vector<std::string>{"a5a2", "e5d4", "b3d4"}));
}

TEST(CaptureGeneration, ListOrder) {
    auto p = searchPosition("r1n1k3/PP6/8/8/8/1p1p4/2P5/4K3 w - -", false);
    Move list[MOVE_LIST_SIZE];
    const Move* end = generateCapturesWhite(*p, list);
    std::vector<std::string> texts;
    for (const Move* m = list; m < end; ++m) texts.push_back(moveCoordinates(*m));
    EXPECT_EQ(texts, (std::vector<std::string>{"b7b8q", "b7b8r", "b7b8b", "b7b8n", "b7a8q", "b7a8r", "b7a8b",
                                               "b7a8n", "b7c8q", "b7c8r", "b7c8b", "b7c8n", "c2b3", "c2d3"}));
    EXPECT_EQ(*end, 0);
}

// The capture generator gives exactly the captures, promotions and en-passant captures of
// the full legal generator, pins included.
TEST(CaptureGeneration, MatchesTheLegalCaptures) {
    const char* fens[] = {
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq -",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -",
        "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -",
        "8/8/8/2k5/3pP3/8/8/3K3Q b - e3",
        "4k3/8/8/q2pP2K/8/8/8/8 w - d6",
    };
    for (const char* fen : fens) {
        auto p = searchPosition(fen, false);
        Move all[MOVE_LIST_SIZE], captures[MOVE_LIST_SIZE];
        const bool white = p->sideToMove == White;
        if (white) generateMovesWhite(*p, all), generateCapturesWhite(*p, captures);
        else generateMovesBlack(*p, all), generateCapturesBlack(*p, captures);
        std::vector<Move> expected, got;
        for (const Move* m = all; *m; ++m) {
            const MoveKind kind = moveKind(*m) % BLACK_KIND_OFFSET;
            if (kind <= MOVE_CPT_WK) expected.push_back(*m);
        }
        for (const Move* m = captures; *m; ++m) got.push_back(*m);
        std::sort(expected.begin(), expected.end());
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, expected) << fen;
    }
}

}  // namespace
