// Legal move generation of the earlier engine: the lists themselves, in their order.
#include "movegen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "early_test_support.h"
#include "makemove.h"
#include "movetext.h"

using namespace early;
using early_test::legalMoves;
using early_test::moveTexts;
using early_test::positionFromFen;
using Texts = std::vector<std::string>;

namespace {

constexpr Square sq(const char* name) { return (name[0] - 'a') + 8 * (name[1] - '1'); }

std::vector<Move> captureList(const Position& pos) {
    MoveList list;
    Move* end = pos.sideToMove == 0 ? generateCapturesWhite(pos, list) : generateCapturesBlack(pos, list);
    EXPECT_EQ(*end, 0u);
    return early_test::toVector(list, end);
}

std::vector<Move> quiescenceList(const Position& pos) {
    MoveList list;
    Move* end = pos.sideToMove == 0 ? generateQuiescenceMovesWhite(pos, list) : generateQuiescenceMovesBlack(pos, list);
    return early_test::toVector(list, end);
}

bool contains(const Texts& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace

TEST(EarlyMoveGen, StartPositionOrder) {
    constructGamePosition();
    MoveList list;
    Move* end = generateLegalMoves(list);
    ASSERT_EQ(end - list, 20);
    EXPECT_EQ(*end, 0u);
    const Texts expected = {"b1a3", "b1c3", "g1f3", "g1h3", "a2a3", "a2a4", "b2b3", "b2b4", "c2c3", "c2c4",
                            "d2d3", "d2d4", "e2e3", "e2e4", "f2f3", "f2f4", "g2g3", "g2g4", "h2h3", "h2h4"};
    EXPECT_EQ(moveTexts(early_test::toVector(list, end)), expected);
    EXPECT_EQ(list[1], encodeMove(1, 18, KIND_KNIGHT_MOVE));
    EXPECT_EQ(list[13], encodeMove(12, 28, KIND_PAWN_PUSH));
}

TEST(EarlyMoveGen, BlackListAfterE2E4) {
    constructGamePosition();
    ASSERT_TRUE(makeMove(encodeMove(12, 28, KIND_PAWN_PUSH)));
    ASSERT_EQ(gamePosition.currentState->epSquare, 20);
    MoveList list;
    Move* end = generateLegalMoves(list);
    const std::vector<Move> moves = early_test::toVector(list, end);
    const Texts expected = {"b8a6", "b8c6", "g8f6", "g8h6", "a7a6", "a7a5", "b7b6", "b7b5", "c7c6", "c7c5",
                            "d7d6", "d7d5", "e7e6", "e7e5", "f7f6", "f7f5", "g7g6", "g7g5", "h7h6", "h7h5"};
    EXPECT_EQ(moveTexts(moves), expected);
    for (Move m : moves) EXPECT_TRUE(m & (1u << 24)) << early_test::moveText(m);
    EXPECT_EQ(moves[1], encodeMove(57, 42, KIND_KNIGHT_MOVE + KIND_BLACK));
}

TEST(EarlyMoveGen, CastlingConditions) {
    struct Case {
        const char* fen;
        bool kingSide, queenSide;
    } cases[] = {
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", true, true},
        {"4k3/8/8/8/8/8/8/R3KB1R w KQ - 0 1", false, true},     // f1 occupied
        {"4k3/8/8/8/8/8/8/R3K1NR w KQ - 0 1", false, true},     // g1 occupied
        {"4k3/8/8/8/8/7b/8/R3K2R w KQ - 0 1", false, true},     // f1 attacked
        {"4k3/8/8/8/8/8/6r1/R3K2R w KQ - 0 1", false, true},    // g1 attacked
        {"1r2k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", true, true},     // only b1 attacked
        {"2r1k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", true, false},    // c1 attacked
        {"3rk3/8/8/8/8/8/8/R3K2R w KQ - 0 1", true, false},     // d1 attacked
        {"4k3/8/8/8/8/8/8/RN2K2R w KQ - 0 1", true, false},     // b1 occupied
        {"4k3/8/8/8/8/8/8/R3K3 w KQ - 0 1", false, true},       // no rook on h1
        {"4k3/8/8/8/8/8/8/R3K2R w - - 0 1", false, false},      // no rights
        {"r3k2r/8/8/8/8/8/8/1R2K3 b kq - 0 1", true, true},     // Black, b8 attacked
        {"r3k2r/8/8/8/8/8/8/5RK1 b kq - 0 1", false, true},     // Black, f8 attacked
        {"r3kb1r/8/8/8/8/8/8/2R1K3 b kq - 0 1", false, false},  // Black, f8 occupied, c8 attacked
    };
    for (const Case& c : cases) {
        auto pos = positionFromFen(c.fen);
        const Texts texts = moveTexts(legalMoves(*pos));
        const bool white = pos->sideToMove == 0;
        EXPECT_EQ(contains(texts, white ? "e1g1" : "e8g8"), c.kingSide) << c.fen;
        EXPECT_EQ(contains(texts, white ? "e1c1" : "e8c8"), c.queenSide) << c.fen;
        if (c.kingSide || c.queenSide) {  // castling comes first
            EXPECT_EQ(moveKind(legalMoves(*pos)[0]) & 15, KIND_CASTLING) << c.fen;
        }
    }
}

TEST(EarlyMoveGen, PinnedMenKeepToTheirLine) {
    struct Case {
        const char* fen;
        const char* from;
        Texts moves;
    } cases[] = {
        {"4r1k1/8/8/8/8/8/4R3/4K3 w - - 0 1", "e2", {"e2e3", "e2e4", "e2e5", "e2e6", "e2e7", "e2e8"}},
        {"4r1k1/8/8/8/8/8/4B3/4K3 w - - 0 1", "e2", {}},
        {"4k3/8/8/8/1b6/8/3Q4/4K3 w - - 0 1", "d2", {"d2c3", "d2b4"}},
        {"4k3/8/8/8/8/2b5/3Q4/4K3 w - - 0 1", "d2", {"d2c3"}},
        {"4k3/8/8/8/8/2q5/3B4/4K3 w - - 0 1", "d2", {"d2c3"}},
        {"4k3/8/8/8/8/8/3N4/2b1K3 w - - 0 1", "d2", {"d2b1", "d2b3", "d2c4", "d2e4", "d2f3", "d2f1"}},
        {"4k3/4q3/8/8/8/8/4P3/4K3 w - - 0 1", "e2", {"e2e3", "e2e4"}},
        {"4k3/8/8/7b/8/8/4P3/3K4 w - - 0 1", "e2", {}},
        {"4k3/8/8/8/8/5p2/4P3/3K4 w - - 0 1", "e2", {"e2e3", "e2e4", "e2f3"}},
        {"3k4/3r4/8/8/8/8/3R4/3K4 b - - 0 1", "d7", {"d7d6", "d7d5", "d7d4", "d7d3", "d7d2"}},
    };
    for (const Case& c : cases) {
        auto pos = positionFromFen(c.fen);
        Texts fromSquare;
        for (const std::string& t : moveTexts(legalMoves(*pos)))
            if (t.compare(0, 2, c.from) == 0) fromSquare.push_back(t);
        std::sort(fromSquare.begin(), fromSquare.end());
        Texts expected = c.moves;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(fromSquare, expected) << c.fen;
    }
}

TEST(EarlyMoveGen, EnPassantCases) {
    // The capture would uncover the king along the rank through both pawns.
    EXPECT_FALSE(contains(moveTexts(legalMoves(*positionFromFen("8/8/8/KPp4r/8/8/8/4k3 w - c6 0 1"))), "b5c6"));
    EXPECT_FALSE(contains(moveTexts(legalMoves(*positionFromFen("8/8/8/KpP4r/8/8/8/4k3 w - b6 0 1"))), "c5b6"));
    const std::vector<Move> free = legalMoves(*positionFromFen("8/8/8/KPp5/8/8/8/4k3 w - c6 0 1"));
    EXPECT_TRUE(std::find(free.begin(), free.end(), encodeMove(sq("b5"), sq("c6"), KIND_EN_PASSANT)) != free.end());
    // A pawn pinned on a diagonal takes en passant only along it.
    EXPECT_FALSE(contains(moveTexts(legalMoves(*positionFromFen("4k2K/8/8/3pP3/8/8/8/b7 w - d6 0 1"))), "e5d6"));
    EXPECT_TRUE(contains(moveTexts(legalMoves(*positionFromFen("1b2k3/8/8/3pP3/8/8/7K/8 w - d6 0 1"))), "e5d6"));

    // Out of check from the pawn that has just made its double step.
    auto check = positionFromFen("4k3/8/8/3pP3/4K3/8/8/8 w - d6 0 1");
    ASSERT_EQ(check->currentState->checkers, squareBit(sq("d5")));
    const std::vector<Move> evasions = legalMoves(*check);
    EXPECT_TRUE(std::find(evasions.begin(), evasions.end(), encodeMove(sq("e5"), sq("d6"), KIND_EN_PASSANT)) !=
                evasions.end());
    auto blackInCheck = positionFromFen("8/8/8/3k4/5p2/8/4P3/7K w - - 0 1");
    ASSERT_TRUE(makeMove(*blackInCheck, encodeMove(sq("e2"), sq("e4"), KIND_PAWN_PUSH)));
    ASSERT_EQ(blackInCheck->currentState->checkers, squareBit(sq("e4")));
    EXPECT_TRUE(contains(moveTexts(legalMoves(*blackInCheck)), "f4e3"));
}

TEST(EarlyMoveGen, ChecksLimitTheList) {
    // Knight check: king moves only, the queen pinned against its king may not take.
    EXPECT_EQ(moveTexts(legalMoves(*positionFromFen("4k3/8/8/b7/8/2Qn4/8/4K3 w - - 0 1"))),
              (Texts{"e1d1", "e1f1", "e1d2", "e1e2"}));
    // File check: the knight pinned on the diagonal may not block; e2 stays attacked
    // behind the lifted king.
    EXPECT_EQ(moveTexts(legalMoves(*positionFromFen("4r1k1/8/8/b7/8/8/3N4/4K3 w - - 0 1"))),
              (Texts{"e1d1", "e1f1", "e1f2"}));
    // King moves, then each man's blocks before its capture of the checker.
    EXPECT_EQ(moveTexts(legalMoves(*positionFromFen("4r1k1/8/8/8/Q7/8/8/4K3 w - - 0 1"))),
              (Texts{"e1d1", "e1f1", "e1d2", "e1f2", "a4e4", "a4e8"}));
    // Double check: king moves only, never the capture of a defended checker.
    EXPECT_EQ(moveTexts(legalMoves(*positionFromFen("4k3/8/8/8/8/3p1n2/R3r3/4K3 w - - 0 1"))), (Texts{"e1d1", "e1f1"}));
}

TEST(EarlyMoveGen, PromotionWords) {
    auto pos = positionFromFen("1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1");
    std::vector<Move> promotions;
    for (Move m : legalMoves(*pos))
        if (moveFrom(m) == sq("a7")) promotions.push_back(m);
    const std::vector<Move> expected = {
        encodeMove(sq("a7"), sq("a8"), KIND_PROMOTION, 0, WHITE_QUEEN),
        encodeMove(sq("a7"), sq("a8"), KIND_PROMOTION, 0, WHITE_ROOK),
        encodeMove(sq("a7"), sq("a8"), KIND_PROMOTION, 0, WHITE_BISHOP),
        encodeMove(sq("a7"), sq("a8"), KIND_PROMOTION, 0, WHITE_KNIGHT),
        encodeMove(sq("a7"), sq("b8"), KIND_CAPTURE_PROMOTION, BLACK_KNIGHT, WHITE_QUEEN),
        encodeMove(sq("a7"), sq("b8"), KIND_CAPTURE_PROMOTION, BLACK_KNIGHT, WHITE_ROOK),
        encodeMove(sq("a7"), sq("b8"), KIND_CAPTURE_PROMOTION, BLACK_KNIGHT, WHITE_BISHOP),
        encodeMove(sq("a7"), sq("b8"), KIND_CAPTURE_PROMOTION, BLACK_KNIGHT, WHITE_KNIGHT),
    };
    EXPECT_EQ(promotions, expected);
    EXPECT_EQ(expected[4] >> 20, 0u);  // a White capture-promotion has all kind bits 0
}

TEST(EarlyMoveGen, CaptureGeneratorCases) {
    EXPECT_TRUE(captureList(*positionFromFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1")).empty());

    const std::vector<Move> queen = captureList(*positionFromFen("4k3/8/8/3r4/n7/8/8/3QK3 w - - 0 1"));
    EXPECT_EQ(queen, (std::vector<Move>{encodeMove(sq("d1"), sq("d5"), KIND_QUEEN_CAPTURE, BLACK_ROOK),
                                        encodeMove(sq("d1"), sq("a4"), KIND_QUEEN_CAPTURE, BLACK_KNIGHT)}));

    // King captures go by square, not by victim.
    EXPECT_EQ(moveTexts(captureList(*positionFromFen("4k3/8/8/8/8/8/3nbn2/4K3 w - - 0 1"))),
              (Texts{"e1d2", "e1e2", "e1f2"}));

    const std::vector<Move> pawn = captureList(*positionFromFen("r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1"));
    EXPECT_EQ(moveTexts(pawn), (Texts{"b7b8q", "b7b8r", "b7b8b", "b7b8n", "b7a8q", "b7a8r", "b7a8b", "b7a8n"}));
    EXPECT_EQ(moveKind(pawn[0]), KIND_PROMOTION);
    EXPECT_EQ(moveKind(pawn[4]), KIND_CAPTURE_PROMOTION);
    EXPECT_EQ(moveCaptured(pawn[4]), BLACK_ROOK);

    const std::vector<Move> black = captureList(*positionFromFen("4k3/8/8/8/8/8/6p1/4K2R b - - 0 1"));
    EXPECT_EQ(moveTexts(black), (Texts{"g2g1q", "g2g1r", "g2g1b", "g2g1n", "g2h1q", "g2h1r", "g2h1b", "g2h1n"}));
    EXPECT_EQ(movePromotion(black[0]), BLACK_QUEEN);
    EXPECT_EQ(moveKind(black[4]), KIND_CAPTURE_PROMOTION + KIND_BLACK);

    // In check the quiescence dispatcher gives every evasion, quiet ones included.
    auto check = positionFromFen("4r1k1/8/8/8/8/8/3N4/4K3 w - - 0 1");
    EXPECT_EQ(quiescenceList(*check), legalMoves(*check));
    EXPECT_TRUE(contains(moveTexts(quiescenceList(*check)), "d2e4"));
    auto doubleCheck = positionFromFen("4k3/8/8/8/8/3p1n2/R3r3/4K3 w - - 0 1");
    EXPECT_EQ(moveTexts(quiescenceList(*doubleCheck)), (Texts{"e1d1", "e1f1"}));
}

// For every position of the perft suites and of their first two plies: the game-level and the
// search generators write identical lists, and the capture list is the full list without
// castling, quiet piece moves and non-promoting pawn steps, in the same order.
TEST(EarlyMoveGen, GameAndSearchListsAgreeOverTheSuites) {
    auto pos = std::make_unique<Position>();
    int positions = 0;
    auto check = [&](const Position& p) {
        ++positions;
        std::memcpy(static_cast<void*>(&gamePosition), &p, sizeof(Position));
        // The copy's state pointers must point into gamePosition's own stack.
        gamePosition.currentState = gamePosition.stateStack + (p.currentState - p.stateStack);
        gamePosition.nextState = gamePosition.currentState + 1;
        MoveList game;
        Move* gameEnd = generateLegalMoves(game);
        const std::vector<Move> search = legalMoves(p);
        ASSERT_EQ(early_test::toVector(game, gameEnd), search);
        if (p.currentState->checkers != 0) {
            ASSERT_EQ(quiescenceList(p), search);
            return;
        }
        std::vector<Move> expected;
        for (Move m : search) {
            const MoveKind kind = moveKind(m) & 15;
            if (kind != KIND_CASTLING && !(kind >= KIND_KING_MOVE && kind <= KIND_PAWN_PUSH)) expected.push_back(m);
        }
        ASSERT_EQ(captureList(p), expected);
        ASSERT_EQ(quiescenceList(p), expected);
    };
    // Two plies deep from every suite position.
    std::function<void(int)> walk = [&](int plies) {
        check(*pos);
        if (plies == 0) return;
        for (Move m : legalMoves(*pos)) {
            ASSERT_TRUE(makeMove(*pos, m));
            walk(plies - 1);
            unmakeMove(*pos, m);
        }
    };
    for (const std::string& fen : early_test::distinctSuitePositions()) {
        early_test::setFen(*pos, fen);
        walk(2);
    }
    EXPECT_GT(positions, 10000);
}
