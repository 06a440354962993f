#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bitops.h"
#include "movegen_test_support.h"
#include "zobrist.h"

namespace {

// One piece per square, colour sets and counts agreeing with the piece sets.
void expectConsistent(const Position& p, const std::string& what) {
    Bitboard seen = 0, white = 0, black = 0;
    for (int code = 0; code < 16; ++code) {
        EXPECT_EQ(seen & p.pieceBitboards[code], 0u) << what;
        seen |= p.pieceBitboards[code];
        (code < 8 ? white : black) |= p.pieceBitboards[code];
    }
    EXPECT_EQ(p.whitePieces, white) << what;
    EXPECT_EQ(p.blackPieces, black) << what;
    EXPECT_EQ(p.occupiedSquares, white | black) << what;
    EXPECT_EQ(p.emptySquares, ~(white | black)) << what;
    EXPECT_EQ(popCount64(white), p.pieceCountWhite) << what;
    EXPECT_EQ(popCount64(black), p.pieceCountBlack) << what;
    const int ep = p.currentPly->enPassantSquare;
    EXPECT_TRUE(ep == NO_SQUARE || (ep >= 0 && ep < 64)) << what;
    EXPECT_TRUE(p.currentPly->castlingRights >= 0 && p.currentPly->castlingRights < 16) << what;
    EXPECT_EQ(p.currentPly->pieceKey, computePieceKey(p)) << what;
}

}  // namespace

TEST(Fen, StartPosition) {
    auto p = newPosition();
    p->sideToMove = 1;
    setStartPosition(*p);
    const PlyState& ply = *p->currentPly;
    EXPECT_EQ(p->sideToMove, 0);
    EXPECT_EQ(ply.castlingRights, 15);
    EXPECT_EQ(ply.enPassantSquare, NO_SQUARE);
    EXPECT_EQ(ply.checkers, 0u);
    EXPECT_EQ(ply.reversibleCount, 0);
    EXPECT_EQ(p->whiteMovesPlayed + p->blackMovesPlayed, 0);
    EXPECT_EQ(fenOf(*p), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    // c1 and f8 are dark, f1 and c8 light.
    EXPECT_EQ(p->pieceBitboards[DARK_BISHOP], squares({"c1"}));
    EXPECT_EQ(p->pieceBitboards[LIGHT_BISHOP], squares({"f1"}));
    EXPECT_EQ(p->pieceBitboards[DARK_BISHOP + 8], squares({"f8"}));
    EXPECT_EQ(p->pieceBitboards[LIGHT_BISHOP + 8], squares({"c8"}));
    expectConsistent(*p, "start");
}

TEST(Fen, FieldsAndWriteBack) {
    struct Case {
        const char* fen;
        const char* written;  // nullptr: the same text
        int side;
        int rights;
        int enPassant;
    };
    const Case cases[] = {
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq -", nullptr, 1, 15, NO_SQUARE},
        {"r3k2r/8/8/8/8/8/8/R3K2R w Kq -", nullptr, 0, 9, NO_SQUARE},
        {"r3k2r/8/8/8/8/8/8/R3K2R w qkQK -", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", 0, 15, NO_SQUARE},
        {"r3k2r/8/8/8/8/8/8/R3K2R w - -", nullptr, 0, 0, NO_SQUARE},
        {"4k3/8/8/8/4P3/8/8/4K3 b - e3", nullptr, 1, 0, 20},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6", nullptr, 0, 0, 43},
        {"2b1kb2/8/8/8/8/8/8/2B1KB2 w - -", nullptr, 0, 0, NO_SQUARE},
        {"8/8/8/8/8/8/8/8 w - -", nullptr, 0, 0, NO_SQUARE},
        {"rnbqkbnr/pp1ppppp/8/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2",
         "rnbqkbnr/pp1ppppp/8/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq -", 1, 15, NO_SQUARE},
    };
    for (const Case& c : cases) {
        auto p = positionFromFen(c.fen);
        EXPECT_EQ(fenOf(*p), c.written ? c.written : c.fen);
        EXPECT_EQ(p->sideToMove, c.side) << c.fen;
        EXPECT_EQ(p->currentPly->castlingRights, c.rights) << c.fen;
        EXPECT_EQ(p->currentPly->enPassantSquare, c.enPassant) << c.fen;
        expectConsistent(*p, c.fen);
    }
    auto bishops = positionFromFen("2b1kb2/8/8/8/8/8/8/2B1KB2 w - -");
    EXPECT_EQ(bishops->pieceBitboards[DARK_BISHOP], squares({"c1"}));
    EXPECT_EQ(bishops->pieceBitboards[LIGHT_BISHOP], squares({"f1"}));
}

// Rights and en-passant squares that no game can have are dropped, with their keys.
TEST(Fen, UnreachableRightsAndEnPassantSquaresAreDropped) {
    struct Case {
        const char* fen;
        const char* written;
    };
    const Case cases[] = {
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -"},
        {"r3k2r/8/8/8/8/8/8/R4K1R w KQkq -", "r3k2r/8/8/8/8/8/8/R4K1R w kq -"},    // king off e1
        {"1r2k1r1/8/8/8/8/8/8/R3K3 w KQkq -", "1r2k1r1/8/8/8/8/8/8/R3K3 w Q -"},  // rooks off their corners
        {"r3k2r/8/8/8/8/8/8/r3K2R w KQkq -", "r3k2r/8/8/8/8/8/8/r3K2R w Kkq -"},  // a black rook on a1
        {"4k3/8/8/8/4P3/8/8/4K3 b - e3", "4k3/8/8/8/4P3/8/8/4K3 b - e3"},
        {"4k3/8/8/8/8/8/8/4K3 b - e3", "4k3/8/8/8/8/8/8/4K3 b - -"},              // no pawn passed e3
        {"4k3/8/8/8/4P3/8/8/4K3 w - e3", "4k3/8/8/8/4P3/8/8/4K3 w - -"},          // the mover's own pawn
        {"4k3/8/8/8/4P3/8/4P3/4K3 b - e3", "4k3/8/8/8/4P3/8/4P3/4K3 b - -"},      // e2 still occupied
        {"4k3/8/8/8/4P3/4N3/8/4K3 b - e3", "4k3/8/8/8/4P3/4N3/8/4K3 b - -"},      // e3 occupied
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6", "4k3/8/8/3pP3/8/8/8/4K3 w - d6"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d3", "4k3/8/8/3pP3/8/8/8/4K3 w - -"},        // wrong rank
        {"4k3/8/8/3PP3/8/8/8/4K3 w - d6", "4k3/8/8/3PP3/8/8/8/4K3 w - -"},        // a white pawn on d5
    };
    for (const Case& c : cases) {
        auto p = positionFromFen(c.fen);
        EXPECT_EQ(fenOf(*p), c.written) << c.fen;
        const PlyState& ply = *p->currentPly;
        uint64_t key = ply.pieceKey ^ castleKeys[ply.castlingRights];
        if (ply.enPassantSquare != NO_SQUARE) key ^= enPassantKeys[ply.enPassantSquare];
        EXPECT_EQ(ply.positionKey, key) << c.fen;
    }
}

// The keys of a set-up text are those that the moves reaching its position made one by one
// (rights lost on the way, the en-passant square of a double step), so that a position
// repeated across a set-up is seen as the same.
TEST(Fen, SetUpKeysEqualThoseTheMovesMade) {
    struct Case {
        const char* fen;
        std::vector<const char*> line;
    } cases[] = {
        {START_POSITION_FEN, {"e2e4"}},
        {START_POSITION_FEN, {"g1f3", "g8f6", "f3g1", "f6g8"}},
        {START_POSITION_FEN, {"e2e4", "d7d5", "e4d5", "c7c5", "d5c6", "b7c6", "f1a6", "c8a6"}},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", {"e1f1", "a8b8", "f1e1", "b8a8"}},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", {"a1a8", "e8e7"}},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", {"e1c1", "e8g8"}},
        {"4k3/1P6/8/8/8/8/6p1/4K2R b K -", {"g2h1N", "b7b8Q"}},
    };
    for (const Case& c : cases) {
        auto played = positionFromFen(c.fen);
        ASSERT_TRUE(playLine(*played, c.line)) << c.fen;
        const std::string reached = fenOf(*played);
        const auto setUp = positionFromFen(reached.c_str());
        const PlyState& a = *played->currentPly;
        const PlyState& b = *setUp->currentPly;
        EXPECT_EQ(a.pieceKey, b.pieceKey) << reached;
        EXPECT_EQ(a.pawnKey, b.pawnKey) << reached;
        EXPECT_EQ(a.positionKey, b.positionKey) << reached;
        EXPECT_EQ(a.castlingRights, b.castlingRights) << reached;
        EXPECT_EQ(a.enPassantSquare, b.enPassantSquare) << reached;
    }
}

TEST(Fen, CheckersOfTheSideToMoveAfterSetUp) {
    struct Case {
        const char* fen;
        Bitboard checkers;
    };
    const Case cases[] = {
        {"4r2k/8/8/8/1b6/8/8/4K3 w - -", squares({"e8", "b4"})},
        {"4r2k/8/8/8/1b6/8/4P3/4K3 w - -", squares({"b4"})},  // e2 blocks the rook
        {"4k3/8/3N4/8/8/8/8/4K3 b - -", squares({"d6"})},
        {"4k3/8/3N4/8/8/8/8/4K3 w - -", 0},
        {"4k3/3P4/8/8/8/8/8/4K3 b - -", squares({"d7"})},
        {"8/8/3N4/8/8/8/8/4K3 b - -", 0},  // no black king: nothing to check
        {"4k3/8/8/8/8/8/8/8 w - -", 0},
    };
    for (const Case& c : cases) {
        auto p = positionFromFen(c.fen);
        EXPECT_EQ(p->currentPly->checkers, c.checkers) << c.fen;
    }
}

TEST(Fen, ReadingFromAStreamLeavesTheCountersUnread) {
    auto p = newPosition();
    char text[] = "  4k3/8/8/8/4P3/8/8/R3K2R\tb\nKQ  e3 12 40\n";
    FILE* f = fmemopen(text, sizeof text - 1, "r");
    readFenFromFile(*p, f);
    int halfmove = 0, moves = 0;
    EXPECT_EQ(std::fscanf(f, "%d %d", &halfmove, &moves), 2);
    std::fclose(f);
    EXPECT_EQ(halfmove, 12);
    EXPECT_EQ(moves, 40);
    EXPECT_EQ(fenOf(*p), "4k3/8/8/8/4P3/8/8/R3K2R b KQ e3");
}

// Whatever the text, set-up stays inside its arrays and leaves a consistent position.
TEST(Fen, HostileTextStaysInsideTheBoard) {
    const std::string longRun(5000, '8');
    const std::string longSlashes(5000, '/');
    const std::string junk(300, 'x');
    struct Case {
        std::string fen;
        const char* written;  // nullptr: only consistency is checked
    };
    const Case cases[] = {
        {"////////////////KQkq w KQkq -", "8/8/8/8/8/8/8/8 w - -"},
        {"K/////////////////////////k w - -", "K7/8/8/8/8/8/8/8 w - -"},
        {longRun + "K w - -", "8/8/8/8/8/8/8/8 w - -"},
        {longSlashes + "K b - -", "8/8/8/8/8/8/8/8 b - -"},
        {"88888888K7 w - -", "8/8/8/8/8/8/8/8 w - -"},
        {"KKKKKKKKKKKKKKKKK w - -", "KKKKKKKK/8/8/8/8/8/8/8 w - -"},
        // An over-full rank runs on: "/" steps back 16 from wherever the count stands.
        {"K8/k w - -", "K7/1k6/8/8/8/8/8/8 w - -"},
        {"7K1k w - -", "7K/8/8/8/8/8/8/8 w - -"},
        {"P/87N w - -", "P7/8/8/8/8/8/8/8 w - -"},  // a second piece on a filled square is dropped
        {"rnbqkbnr9900\x01 w - -", nullptr},
        {"8/8/8/8/8/8/8/K7" + junk + " b - -", "8/8/8/8/8/8/8/K7 b - -"},
        {"r3k2r/8/8/4p3/8/8/8/R3K2R wwwwwwwwwwwwwwwwwwww KQkqKQkqKQkqKQkqKQ e6",
         "r3k2r/8/8/4p3/8/8/8/R3K2R w KQkq e6"},
        {"8/8/8/8/8/8/8/K7 w - e", "8/8/8/8/8/8/8/K7 w - -"},
        {"8/8/8/8/8/8/8/K7 w - e9", "8/8/8/8/8/8/8/K7 w - -"},
        {"8/8/8/8/8/8/8/K7 w - i3", "8/8/8/8/8/8/8/K7 w - -"},
        {"8/8/8/8/8/8/8/K7 w - `3", "8/8/8/8/8/8/8/K7 w - -"},
        {"8/8/8/8/8/8/8/K7 w - e0", "8/8/8/8/8/8/8/K7 w - -"},
        {"8/8/8/3pP3/8/8/8/K7 w - d6extra", "8/8/8/3pP3/8/8/8/K7 w - d6"},
        {"8/8/8/8/8/8/8/K7 w", "8/8/8/8/8/8/8/K7 w - -"},
        {"", "8/8/8/8/8/8/8/8 w - -"},
        {"\xff\xfe\x80K\xc3\xa9 b \xff -", "K7/8/8/8/8/8/8/8 b - -"},
    };
    for (const Case& c : cases) {
        auto p = positionFromFen(c.fen.c_str());
        if (c.written) {
            EXPECT_EQ(fenOf(*p), c.written) << c.fen.substr(0, 80);
        }
        expectConsistent(*p, c.fen.substr(0, 80));
    }
    // The board parser itself, given an unbounded text, stops at the first blank.
    auto p = newPosition();
    const std::string text = longSlashes + "K" + longRun + "k rest";
    EXPECT_STREQ(parseFenBoard(*p, text.c_str()), " rest");
    expectConsistent(*p, "parseFenBoard long");
}
