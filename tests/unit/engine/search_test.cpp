#include <string>

#include <gtest/gtest.h>

#include "makemove.h"
#include "search.h"
#include "search_test_support.h"

namespace {

Score pvSearch(Position& p, int depth) {
    return p.sideToMove == White ? searchPvWhite(p, 0, SCORE_MAX, depth) : searchPvBlack(p, 0, SCORE_MAX, depth);
}

Score zeroWindowSearch(Position& p, Score alpha, int depth, int afterNullMove = 0) {
    return p.sideToMove == White ? searchZeroWindowWhite(p, alpha, alpha + 1, depth, afterNullMove)
                                 : searchZeroWindowBlack(p, alpha, alpha + 1, depth, afterNullMove);
}

void play(Position& p, std::initializer_list<const char*> moves) {
    for (const char* text : moves) {
        const Move m = legalMoveFromText(p, text);
        ASSERT_NE(m, 0) << text;
        if (p.sideToMove == White) makeMoveWhite(p, m);
        else makeMoveBlack(p, m);
    }
}

// Mates found by the root search at the depth that must find them, for both sides. The
// smothered mates start with a check and need only depth 2: the check keeps its depth.
TEST(Search, FindsMates) {
    struct Case {
        const char* what;
        const char* fen;
        int depth;
        const char* move;
        Score score;
    } cases[] = {
        {"white mates in 1", "6k1/5ppp/8/8/8/8/8/R5K1 w - -", 1, "a1a8", 15899},
        {"black mates in 1", "r5k1/8/8/8/8/8/5PPP/6K1 b - -", 1, "a8a1", 101},
        {"white smothered mate in 2", "5r1k/6pp/7N/3Q4/8/8/8/6K1 w - -", 2, "d5g8", 15897},
        {"black smothered mate in 2", "6k1/8/8/8/3q4/7n/6PP/5R1K b - -", 2, "d4g1", 103},
    };
    for (const Case& c : cases) {
        auto p = searchPosition(c.fen);
        const std::string before = fenOf(*p);
        const Score score = pvSearch(*p, c.depth);
        EXPECT_EQ(score, c.score) << c.what;
        EXPECT_EQ(p->currentPly->bestScore, c.score) << c.what;
        EXPECT_EQ(moveCoordinates(p->currentPly->bestMove), c.move) << c.what;
        EXPECT_EQ(moveCoordinates(p->currentPly->pv[0]), c.move) << c.what;
        EXPECT_EQ(fenOf(*p), before) << c.what;
        EXPECT_EQ(p->currentPly, &p->plyStack[0]);
        EXPECT_EQ(p->searchPly, 0);
    }
}

// The zero-window node keeps the depth for a check too: the smothered mate at depth 2.
TEST(Search, ZeroWindowNodeExtendsChecks) {
    auto p = searchPosition("5r1k/6pp/7N/3Q4/8/8/8/6K1 w - -");
    EXPECT_GE(zeroWindowSearch(*p, 15896, 2), 15897);
    auto q = searchPosition("6k1/8/8/8/3q4/7n/6PP/5R1K b - -");
    EXPECT_LE(zeroWindowSearch(*q, 103, 2), 103);
}

TEST(Search, MateAndStalemateOnTheBoard) {
    struct Case {
        const char* fen;
        Score expected;  // at searchPly 5
    } cases[] = {
        {"R5k1/5ppp/8/8/8/8/8/6K1 b - -", 15895},
        {"6k1/8/8/8/8/8/5PPP/r5K1 w - -", 105},
        {"7k/5Q2/6K1/8/8/8/8/8 b - -", SCORE_DRAW},
        {"8/8/8/8/8/6k1/5q2/7K w - -", SCORE_DRAW},
    };
    for (const Case& c : cases) {
        auto p = searchPosition(c.fen);
        p->searchPly = 5;
        EXPECT_EQ(zeroWindowSearch(*p, 8000, 1), c.expected) << c.fen;
        EXPECT_EQ(pvSearch(*p, 1), c.expected) << c.fen;
    }
}

// The fifty-move count wins even over a mate on the board.
TEST(Search, FiftyMoveDrawBeforeMate) {
    auto p = searchPosition("R5k1/5ppp/8/8/8/8/8/6K1 b - -");
    p->currentPly->reversibleCount = 100;
    EXPECT_EQ(zeroWindowSearch(*p, 8000, 1), SCORE_DRAW);
    EXPECT_EQ(pvSearch(*p, 1), SCORE_DRAW);
    EXPECT_EQ(p->quiescenceNodes, 0u);
}

// A threefold repetition is a draw, but not below a null move: there the node searches.
TEST(Search, RepetitionDrawOnlyWithoutNullMove) {
    for (int nullMoves : {0, 1}) {
        auto p = searchPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
        play(*p, {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"});
        prepareSearch(*p);
        p->nullMovesOnLine = nullMoves;
        for (int depth : {0, 1}) {
            p->quiescenceNodes = 0;
            const Score zw = zeroWindowSearch(*p, 7990, depth);
            const uint64_t zwQuiescence = p->quiescenceNodes;
            p->quiescenceNodes = 0;
            const Score pv = pvSearch(*p, depth);
            if (nullMoves == 0) {
                EXPECT_EQ(zw, SCORE_DRAW);
                EXPECT_EQ(pv, SCORE_DRAW);
                EXPECT_EQ(zwQuiescence + p->quiescenceNodes, 0u);
            } else {
                EXPECT_GT(zwQuiescence, 0u) << depth;
                EXPECT_GT(p->quiescenceNodes, 0u) << depth;
            }
        }
    }
}

TEST(Search, PassedPawnPush) {
    struct Case {
        const char* fen;
        Move move;
        bool passed;
    } cases[] = {
        {"4k3/8/8/8/4P3/8/8/4K3 w - -", makeMoveWord(MOVE_NRM_WP, sq("e4"), sq("e5")), true},
        {"4k3/8/8/8/4P3/4p3/8/4K3 w - -", makeMoveWord(MOVE_NRM_WP, sq("e4"), sq("e5")), true},  // behind it
        {"4k3/8/3p4/8/4P3/8/8/4K3 w - -", makeMoveWord(MOVE_NRM_WP, sq("e4"), sq("e5")), false},
        {"4k3/8/8/8/8/8/4P3/4K3 w - -", makeMoveWord(MOVE_JMP_WP, sq("e2"), sq("e4")), false},
        {"8/4P1k1/8/8/8/8/8/4K3 w - -", makeMoveWord(MOVE_ADV_WP, sq("e7"), sq("e8"), 0, QUEEN), false},
        {"4k3/8/8/3p4/8/8/P7/4K3 b - -", makeMoveWord(MOVE_NRM_BP, sq("d5"), sq("d4")), true},
        {"4k3/8/8/3p4/8/8/2P5/4K3 b - -", makeMoveWord(MOVE_NRM_BP, sq("d5"), sq("d4")), false},
    };
    for (const Case& c : cases) {
        auto p = searchPosition(c.fen);
        const bool passed = p->sideToMove == White ? isPassedPawnPushWhite(*p, c.move) : isPassedPawnPushBlack(*p, c.move);
        EXPECT_EQ(passed, c.passed) << c.fen;
    }
}

// A reduced move is first searched at depth - 3, which at depth 2 is a quiescence node
// one ply down; nothing else puts one there. Only the third move on is reduced, never in
// check and never a single step of a passed pawn.
TEST(Search, LateQuietMovesAreReduced) {
    struct Case {
        const char* what;
        const char* fen;
        bool reduced;
    } cases[] = {
        {"rook moves", "7k/8/8/8/8/8/8/R6K w - -", true},
        {"in check", "7k/8/8/8/8/8/8/R5rK w - -", false},
        {"passed pawn steps", "8/8/8/8/P1P1P3/6b1/8/5k1K w - -", false},
        {"a stoppable pawn steps third", "8/3p4/8/8/P1P1P3/6b1/8/5k1K w - -", true},
    };
    for (const Case& c : cases) {
        auto p = searchPosition(c.fen);
        zeroWindowSearch(*p, 15000, 2, 1);
        EXPECT_EQ(p->quiescenceNodesByPly[1] > 0, c.reduced) << c.what;
    }
}

TEST(Search, HashEntries) {
    // A stored line move carries no score but is searched first: the first move cuts here
    // (no null move, which would cut before any move).
    auto p = searchPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    const Move knight = legalMoveFromText(*p, "b1c3");
    ttStoreLineMove<White>(*p, knight);
    EXPECT_GT(zeroWindowSearch(*p, 0, 1, 1), 0);
    EXPECT_EQ(p->currentPly->bestMove, knight);

    // Depth 0 is a quiescence node and never reads the table.
    auto q = searchPosition("4k3/8/8/8/8/8/4P3/4K3 w - -");
    ttStore<White>(*q, 10, 12345, 0, BOUND_EXACT);
    EXPECT_EQ(zeroWindowSearch(*q, 100, 1), 12345);
    EXPECT_NE(zeroWindowSearch(*q, 100, 0), 12345);
}

// A cutoff by a quiet move makes it the first killer and adds depth squared to its history;
// a history entry reaching the limit halves them all. A capture by piece is no killer.
TEST(Search, CutoffBookkeeping) {
    struct Case {
        const char* fen;
        const char* cutMove;
        bool killer;
    } cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", "a2a3", true},
        {"4k3/8/8/3p4/8/8/8/3QK3 w - -", "d1d5", false},
    };
    for (const Case& c : cases) {
        auto p = searchPosition(c.fen);
        const Move old = makeMoveWord(MOVE_NRM_WR, sq("a1"), sq("a5"));  // legal in neither
        p->currentPly->killer1 = old;
        for (int32_t& h : p->history) h = 6;
        p->historyLimit = 7;
        const Move cut = legalMoveFromText(*p, c.cutMove);
        EXPECT_GT(zeroWindowSearch(*p, 0, 1, 1), 0);
        EXPECT_EQ(p->currentPly->bestMove, cut) << c.fen;
        EXPECT_EQ(p->currentPly->killer1, c.killer ? cut : old) << c.fen;
        EXPECT_EQ(p->currentPly->killer2, c.killer ? old : 0) << c.fen;
        EXPECT_EQ(p->history[cut & 0xFFF], 3) << c.fen;
        EXPECT_EQ(p->history[(cut + 1) & 0xFFF], 3) << c.fen;
    }
}

// Counts the table entries of the position and of every position up to `plies` moves on.
int storedWithin(Position& p, int plies) {
    const uint64_t key = p.currentPly->positionKey;
    const TtEntry& entry = p.sideToMove == White ? ttEntryFor<White>(key) : ttEntryFor<Black>(key);
    int stored = entry.keyCheck == ttKeyCheck(key);
    if (plies == 0) return stored;
    Move list[MOVE_LIST_SIZE];
    if (p.sideToMove == White) generateMovesWhite(p, list);
    else generateMovesBlack(p, list);
    for (const Move* m = list; *m; ++m) {
        if (p.sideToMove == White) {
            makeMoveWhite(p, *m);
            stored += storedWithin(p, plies - 1);
            unmakeMoveWhite(p, *m);
        } else {
            makeMoveBlack(p, *m);
            stored += storedWithin(p, plies - 1);
            unmakeMoveBlack(p, *m);
        }
    }
    return stored;
}

// A search told to stop (here: the deadline has passed) answers with the stop value of its
// root and stores nothing, not even where a stopped child's score caused a cutoff (which
// happens one or two plies below the root here).
TEST(Search, StoppedSearchStoresNothing) {
    struct Case {
        const char* fen;
        Score stopped;
    } cases[] = {
        {"r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq -", 0},
        {"r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq -", SCORE_DRAW},
    };
    for (const Case& c : cases) {
        auto p = searchPosition(c.fen);
        p->searchDeadline = nowCentiseconds() - 1000;
        EXPECT_EQ(pvSearch(*p, 4), c.stopped);
        EXPECT_EQ(p->stopSearch, 1);
        EXPECT_EQ(storedWithin(*p, 2), 0) << c.fen;
    }
}

// The child's line is copied behind the move, cut so that the terminating 0 is the last
// word of the slot's line.
TEST(Search, UpdatePvCutsAtCapacity) {
    auto p = searchPosition("4k3/8/8/8/8/8/4P3/4K3 w - -");
    PlyState& next = *p->nextPly;
    const uint64_t afterNext = p->plyStack[2].pieceKey;
    for (int i = 0; i < PV_LENGTH; ++i) next.pv[i] = 1000 + i;  // no terminator at all
    updatePv(*p, 7);
    const Move* line = p->currentPly->pv;
    EXPECT_EQ(line[0], 7);
    EXPECT_EQ(line[1], 1000);
    EXPECT_EQ(line[PV_LENGTH - 2], 1000 + PV_LENGTH - 3);
    EXPECT_EQ(line[PV_LENGTH - 1], 0);
    EXPECT_EQ(next.pieceKey, p->plyStack[1].pieceKey);
    EXPECT_EQ(p->plyStack[2].pieceKey, afterNext);

    next.pv[0] = 11;
    next.pv[1] = 0;
    updatePv(*p, 7);
    EXPECT_EQ(line[0], 7);
    EXPECT_EQ(line[1], 11);
    EXPECT_EQ(line[2], 0);
}

// Searches that start near the end of the ply stack stop making moves at its last slot and
// leave everything behind the stack intact.
TEST(Search, StaysInsideThePlyStack) {
    const char* fens[] = {
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq -",
        "6k1/8/8/8/8/8/5PPP/r5K1 w - -",  // mated on the last slot too
    };
    for (const char* fen : fens) {
        for (int slot : {MAX_PLIES - 6, MAX_PLIES - 1}) {
            auto p = searchPosition(fen);
            const std::string before = fenOf(*p);
            p->plyStack[slot] = p->plyStack[0];
            p->currentPly = &p->plyStack[slot];
            p->nextPly = p->currentPly + 1;
            const Score score = pvSearch(*p, 5);
            EXPECT_GE(score, 0);
            EXPECT_LE(score, SCORE_MAX);
            EXPECT_EQ(p->currentPly, &p->plyStack[slot]);
            EXPECT_EQ(fenOf(*p), before);
            uint64_t byPly = 0;
            for (uint64_t n : p->quiescenceNodesByPly) byPly += n;
            EXPECT_EQ(byPly, p->quiescenceNodes) << fen;
            if (slot == MAX_PLIES - 1) {
                EXPECT_EQ(p->currentPly->bestMove, 0) << fen;
            }
        }
    }
}

}  // namespace
