// Make, unmake, the null move, check detection after a move, and the ply stack.
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "attacks.h"
#include "bitops.h"
#include "consistency.h"
#include "draw.h"
#include "makemove.h"
#include "movegen_test_support.h"
#include "perft.h"
#include "plystack.h"
#include "zobrist.h"

namespace {

void makeAny(Position& p, Move m) { p.sideToMove == 0 ? makeMoveWhite(p, m) : makeMoveBlack(p, m); }
void unmakeAny(Position& p, Move m) { p.sideToMove == 1 ? unmakeMoveWhite(p, m) : unmakeMoveBlack(p, m); }

Move findMove(Position& p, const std::string& text) {
    for (Move m : legalMoves(p))
        if (moveText(m) == text) return m;
    ADD_FAILURE() << "no legal move " << text;
    return 0;
}

// Every byte of the position but the slot that make fills.
bool sameButNextSlot(const Position& a, const Position& b, int nextSlot) {
    const auto* x = reinterpret_cast<const unsigned char*>(&a);
    const auto* y = reinterpret_cast<const unsigned char*>(&b);
    const size_t slotStart = offsetof(Position, plyStack) + sizeof(PlyState) * nextSlot;
    const size_t slotEnd = slotStart + sizeof(PlyState);
    return std::memcmp(x, y, slotStart) == 0 && std::memcmp(x + slotEnd, y + slotEnd, sizeof(Position) - slotEnd) == 0;
}

TEST(MakeMove, MakeThenUnmakeRestoresEveryMoveOfTheFixtures) {
    const char* fens[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq -",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -",
        "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ -",
        "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6",
        "rnbqkbnr/pppp1ppp/8/8/3Pp3/8/PPP1PPPP/RNBQKBNR b KQkq d3",
        "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - -",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -",
        "4k3/8/8/8/8/8/8/r3K2k w - -",
    };
    for (const char* fen : fens) {
        auto p = positionFromFen(fen);
        auto before = std::make_unique<Position>();
        for (Move m : legalMoves(*p)) {
            std::memcpy(static_cast<void*>(before.get()), p.get(), sizeof(Position));
            const int nextSlot = plyIndex(*p, p->nextPly);
            makeAny(*p, m);
            ASSERT_TRUE(positionIsConsistent(*p)) << fen << " " << moveText(m);
            const Bitboard fromScratch = p->sideToMove == 0 ? attackersBlack(*p, p->kingSquareWhite)
                                                            : attackersWhite(*p, p->kingSquareBlack);
            EXPECT_EQ(p->currentPly->checkers, fromScratch) << fen << " " << moveText(m);
            EXPECT_EQ(p->currentPly->lastMove, m);
            EXPECT_EQ(p->searchPly, before->searchPly + 1);
            unmakeAny(*p, m);
            EXPECT_TRUE(sameButNextSlot(*before, *p, nextSlot)) << fen << " " << moveText(m);
        }
    }
}

struct PlyCase {
    const char* what;
    const char* fen;
    const char* move;
    int rights;
    int enPassant;
    int reversible;
    Bitboard checkers;
};

TEST(MakeMove, PerPlyStateOfTheNewSlot) {
    const PlyCase cases[] = {
        {"double step sets the square", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", "e2e4", 15, 20, 0, 0},
        {"double step with no pawn to take", "4k3/8/8/8/8/8/P7/4K3 w - -", "a2a4", 0, 16, 0, 0},
        {"knight move counts a reversible ply", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3", "g8f6", 15,
         NO_SQUARE, 1, 0},
        {"rook takes on h8: Black's king side and White's own corner", "r3k2r/7R/8/8/8/8/8/R3K2R w KQkq -", "h7h8", 1 | 2 | 8,
         NO_SQUARE, 0, squares({"h8"})},
        {"rook leaves a1", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", "a1a5", 1 | 4 | 8, NO_SQUARE, 1, 0},
        {"king capture clears both own rights", "r3k2r/8/8/8/8/8/3q4/R3K2R w KQkq -", "e1d2", 12,
         NO_SQUARE, 0, 0},
        {"king capture on h8 clears Black's king side", "4k2r/6K1/8/8/8/8/8/8 w k -", "g7h8", 0, NO_SQUARE, 0, 0},
        {"capture-promotion on a8 takes the queen-side right", "r3k3/1P6/8/8/8/8/8/4K3 w q -", "b7a8Q", 0, NO_SQUARE, 0,
         squares({"a8"})},
        {"castling with the rook giving check", "5k2/8/8/8/8/8/8/4K2R w K -", "e1g1", 0, NO_SQUARE, 1, squares({"f1"})},
        {"black castling with the rook giving check", "r3k3/8/8/8/8/8/8/3K4 b q -", "e8c8", 0, NO_SQUARE, 1,
         squares({"d8"})},
        {"discovered check by the queen behind a rook", "4k3/8/8/8/4R3/8/8/4Q2K w - -", "e4a4", 0, NO_SQUARE, 1,
         squares({"e1"})},
        {"bishop leaves the diagonal and uncovers the queen", "7k/8/8/8/3B4/8/8/Q6K w - -", "d4e3", 0, NO_SQUARE, 1,
         squares({"a1"})},
        {"bishop stays on the diagonal and blocks the queen", "7k/8/8/8/3B4/8/8/Q6K w - -", "d4e5", 0, NO_SQUARE, 1,
         squares({"e5"})},
        {"knight checks and uncovers the rook", "4k3/8/8/8/4N3/8/8/4R2K w - -", "e4d6", 0, NO_SQUARE, 1,
         squares({"d6", "e1"})},
        {"en passant opens the rank through the captured pawn", "8/8/8/R2pP2k/8/8/8/K7 w - d6", "e5d6", 0, NO_SQUARE, 0,
         squares({"a5"})},
        {"knight promotion checks and uncovers the rook", "8/R3P1k1/8/8/8/8/8/K7 w - -", "e7e8N", 0, NO_SQUARE, 0,
         squares({"e8", "a7"})},
    };
    for (const PlyCase& c : cases) {
        auto p = positionFromFen(c.fen);
        const Move m = findMove(*p, c.move);
        if (!m) continue;
        makeAny(*p, m);
        const PlyState& ply = *p->currentPly;
        EXPECT_EQ(ply.castlingRights, c.rights) << c.what;
        EXPECT_EQ(ply.enPassantSquare, c.enPassant) << c.what;
        EXPECT_EQ(ply.reversibleCount, c.reversible) << c.what;
        EXPECT_EQ(ply.checkers, c.checkers) << c.what;
        uint64_t key = ply.pieceKey ^ castleKeys[c.rights];
        if (c.enPassant != NO_SQUARE) key ^= enPassantKeys[c.enPassant];
        EXPECT_EQ(ply.positionKey, key) << c.what;
        EXPECT_TRUE(positionIsConsistent(*p)) << c.what;
    }
}

TEST(MakeMove, CastlingMovesKingAndRookAndUnmakeBringsTheKingRowsBack) {
    auto p = positionFromFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    makeMoveWhite(*p, CASTLE_WHITE_KING_SIDE_MOVE);
    EXPECT_EQ(p->kingSquareWhite, 6);
    EXPECT_EQ(p->pieceBitboards[ROOK], squares({"a1", "f1"}));
    makeMoveBlack(*p, CASTLE_BLACK_QUEEN_SIDE_MOVE);
    EXPECT_EQ(p->kingSquareBlack, 58);
    EXPECT_EQ(p->pieceBitboards[ROOK + BLACK_OFFSET], squares({"d8", "h8"}));
    unmakeMoveBlack(*p, CASTLE_BLACK_QUEEN_SIDE_MOVE);
    unmakeMoveWhite(*p, CASTLE_WHITE_KING_SIDE_MOVE);
    EXPECT_EQ(p->kingSquareWhite, 4);
    EXPECT_EQ(p->kingBetweenRowWhite, betweenMask[4]);
    EXPECT_EQ(p->kingDirectionRowBlack, directionIndex[60]);
    EXPECT_TRUE(positionIsConsistent(*p));
}

TEST(MakeMove, UnmakeLeavesTheAbandonedSlotAsMakeWroteIt) {
    auto p = positionFromFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    const Move e4 = findMove(*p, "e2e4");
    makeMoveWhite(*p, e4);
    unmakeMoveWhite(*p, e4);
    EXPECT_EQ(p->plyStack[1].enPassantSquare, 20);
    EXPECT_EQ(p->plyStack[1].lastMove, e4);
    EXPECT_EQ(p->currentPly, &p->plyStack[0]);
    EXPECT_EQ(p->currentPly->enPassantSquare, NO_SQUARE);
}

TEST(MakeMove, NullMovesPassTheTurnAndMarkOnlyWhite) {
    auto p = positionFromFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3");
    p->currentPly->reversibleCount = 7;
    const PlyState root = *p->currentPly;
    makeNullMoveBlack(*p);
    EXPECT_EQ(p->sideToMove, 0);
    EXPECT_EQ(p->currentPly->lastMove, 0);
    EXPECT_EQ(p->currentPly->enPassantSquare, NO_SQUARE);
    EXPECT_EQ(p->currentPly->positionKey, root.positionKey);  // the en-passant key stays in
    EXPECT_EQ(p->currentPly->reversibleCount, 7);
    // The checker takes that key from the parent slot, and nothing else.
    EXPECT_TRUE(positionIsConsistent(*p));
    p->currentPly->positionKey ^= 1;
    EXPECT_FALSE(positionIsConsistent(*p));
    p->currentPly->positionKey ^= 1;
    makeNullMoveWhite(*p);
    EXPECT_EQ(p->sideToMove, 1);
    EXPECT_EQ(p->currentPly->lastMove, NULL_MOVE_WHITE_MARK);
    EXPECT_EQ(p->nullMovesOnLine, 2);
    EXPECT_EQ(p->searchPly, 2);
    EXPECT_EQ(p->currentPly, &p->plyStack[2]);
    EXPECT_EQ(p->nextPly, &p->plyStack[3]);
}

// Puts the current slot at `slot` of the stack, as a long game would have left it.
void moveToSlot(Position& p, int slot) {
    p.plyStack[slot] = *p.currentPly;
    p.currentPly = &p.plyStack[slot];
    p.nextPly = p.currentPly + 1;
}

TEST(PlyStack, PerftStopsAtTheLastSlot) {
    auto p = positionFromFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    moveToSlot(*p, MAX_PLIES - 2);
    EXPECT_TRUE(plyStackHasRoom(*p));
    EXPECT_EQ(perftWhite(*p, 1), 20u);
    EXPECT_EQ(perftWhite(*p, 3), 20u);  // every child sits in the last slot: one leaf each
    EXPECT_EQ(perftBulkWhite(*p, 3), 20u);
    moveToSlot(*p, MAX_PLIES - 1);
    EXPECT_FALSE(plyStackHasRoom(*p));
    EXPECT_EQ(perftWhite(*p, 2), 1u);
    EXPECT_EQ(perftBulkWhite(*p, 2), 1u);
}

TEST(PlyStack, CompactionKeepsWhatRepetitionCanReach) {
    auto p = positionFromFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    const char* game[] = {"e2e4", "e7e5", "g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8",
                          "g1f3", "g8f6", "f3g1", "f6g8"};
    for (const char* text : game) makeAny(*p, findMove(*p, text));
    p->searchPly = 0;
    // The position after 1... e5 carries its en-passant key, so it does not repeat.
    ASSERT_EQ(p->currentPly->reversibleCount, 12);
    ASSERT_EQ(repetitionCount(*p), 3);
    const PlyState current = *p->currentPly;
    const uint64_t nodes = perftWhite(*p, 3);

    compactPlyStack(*p, 100);
    EXPECT_EQ(p->currentPly, &p->plyStack[12]);
    EXPECT_EQ(p->nextPly, &p->plyStack[13]);
    EXPECT_EQ(std::memcmp(p->currentPly, &current, sizeof(PlyState)), 0);
    EXPECT_EQ(repetitionCount(*p), 3);
    EXPECT_EQ(perftWhite(*p, 3), nodes);

    compactPlyStack(*p, 5);  // the game level asked for fewer
    EXPECT_EQ(p->currentPly, &p->plyStack[4]);
    EXPECT_EQ(repetitionCount(*p), 2);
    EXPECT_EQ(std::memcmp(p->currentPly, &current, sizeof(PlyState)), 0);

    compactPlyStack(*p, 0);
    EXPECT_EQ(p->currentPly, &p->plyStack[0]);
    EXPECT_EQ(p->nextPly, &p->plyStack[1]);
    EXPECT_TRUE(positionIsConsistent(*p));
}

TEST(Consistency, NoticesADriftedField) {
    auto p = positionFromFen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -");
    ASSERT_TRUE(positionIsConsistent(*p));
    const auto spoiled = [&](auto spoil) {
        auto q = std::make_unique<Position>(*p);
        q->currentPly = &q->plyStack[0];
        q->nextPly = &q->plyStack[1];
        spoil(*q);
        return !positionIsConsistent(*q);
    };
    EXPECT_TRUE(spoiled([](Position& q) { q.currentPly->pieceKey ^= 1; }));
    EXPECT_TRUE(spoiled([](Position& q) { q.currentPly->positionKey ^= 1; }));
    EXPECT_TRUE(spoiled([](Position& q) { q.currentPly->pawnKey ^= 1; }));
    EXPECT_TRUE(spoiled([](Position& q) { q.materialKey += 1; }));
    EXPECT_TRUE(spoiled([](Position& q) { q.pstBlack += 1; }));
    EXPECT_TRUE(spoiled([](Position& q) { q.phaseWhite -= 1; }));
    EXPECT_TRUE(spoiled([](Position& q) { q.emptySquares ^= 1; }));
    EXPECT_TRUE(spoiled([](Position& q) { q.whitePieces ^= squareBit[63]; }));
    EXPECT_TRUE(spoiled([](Position& q) { q.kingSquareBlack = 59; }));
    EXPECT_TRUE(spoiled([](Position& q) { q.kingDirectionRowWhite = directionIndex[5]; }));
    EXPECT_TRUE(spoiled([](Position& q) { q.pieceBitboards[PAWN] |= squareBit[60]; }));
}

}  // namespace
