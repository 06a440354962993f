#include <cstdlib>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include "makemove.h"
#include "movegen.h"
#include "movetext.h"
#include "test_support.h"

namespace {

std::string unpack(uint64_t packed) {
    std::string s;
    for (int shift = 56; shift >= 0; shift -= 8)
        if (const char c = static_cast<char>(packed >> shift)) s.push_back(c);
    return s;
}

// The legal move of the side to move whose coordinate text is word, or 0.
Move legalMove(Position& p, const char* word) {
    Move list[MOVE_LIST_SIZE];
    if (p.sideToMove == White) generateMovesWhite(p, list);
    else generateMovesBlack(p, list);
    return findMoveByText(list, packCoordinateWord(word));
}

template <typename Write> std::string captured(Write write) {
    char* text = nullptr;
    size_t size = 0;
    FILE* f = open_memstream(&text, &size);
    write(f);
    std::fclose(f);
    std::string s(text, size);
    std::free(text);
    return s;
}

// Looks each word up where it stands along the line, then takes the moves back.
void playAndTakeBack(Position& p, std::initializer_list<const char*> words, Move* line) {
    int n = 0;
    for (const char* word : words) {
        line[n] = legalMove(p, word);
        ASSERT_NE(line[n], 0) << word;
        if (p.sideToMove == White) makeMoveWhite(p, line[n]);
        else makeMoveBlack(p, line[n]);
        ++n;
    }
    while (n > 0) {
        if (p.sideToMove == Black) unmakeMoveWhite(p, line[--n]);
        else unmakeMoveBlack(p, line[--n]);
    }
}

struct SanCase {
    const char* fen;
    const char* word;
    const char* san;
};

}  // namespace

TEST(MoveText, AlgebraicTextByKindWithDisambiguationAndCheckMarks) {
    const SanCase cases[] = {
        {START_POSITION_FEN, "e2e4", "e4"},
        {START_POSITION_FEN, "g1f3", "Nf3"},
        {"rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq -", "f3e5", "Nxe5"},
        {"rnbqkbnr/ppp1pppp/8/3p4/4P3/8/PPPP1PPP/RNBQKBNR w KQkq d6", "e4d5", "exd5"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6", "e5d6", "exd6"},  // en passant reads like any pawn capture
        // Knights b1 and f3 both reach d2: the file tells them apart.
        {"4k3/8/8/8/8/5N2/8/1N2K3 w - -", "b1d2", "Nbd2"},
        // Only legal moves compete: the b1 knight is pinned, so Nf3-d2 needs no letter.
        {"4k3/8/8/8/8/5N2/8/rN2K3 w - -", "f3d2", "Nd2"},
        // Rooks a1 and a3 share the file: the rank tells them apart.
        {"4k3/8/8/8/8/R7/8/R3K3 w - -", "a1a2", "R1a2"},
        // Queens a1, a3, c1 all reach b2: a1 shares its file and its rank, so both are written.
        {"8/7k/8/8/8/Q7/8/Q1Q4K w - -", "a1b2", "Qa1b2"},
        {"8/7k/8/8/8/Q7/8/Q1Q4K w - -", "a3b2", "Q3b2"},
        {"8/7k/8/8/8/Q7/8/Q1Q4K w - -", "c1b2", "Qcb2"},
        // Promotions, quiet and capturing, checking and not.
        {"3r4/4P3/8/7k/8/8/8/4K3 w - -", "e7e8q", "e8=Q+"},
        {"3r4/4P3/8/7k/8/8/8/4K3 w - -", "e7e8n", "e8=N"},
        {"3r4/4P3/8/7k/8/8/8/4K3 w - -", "e7d8r", "exd8=R"},
        {"4k3/8/8/8/8/1K6/p7/8 b - -", "a2a1n", "a1=N+"},
        {"4k3/8/8/8/8/8/p7/2K5 b - -", "a2a1q", "a1=Q+"},
        {"4k3/8/8/8/8/8/p7/3K4 b - -", "a2a1b", "a1=B"},
        // Mate and check.
        {"6k1/5ppp/8/8/8/8/8/R5K1 w - -", "a1a8", "Ra8#"},
        {"6k1/6pp/8/8/8/8/8/R5K1 w - -", "a1a8", "Ra8+"},
        {"rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq g3", "d8h4", "Qh4#"},
        // Castling, with and without check.
        {"5k2/8/8/8/8/8/8/4K2R w K -", "e1g1", "O-O+"},
        {"3k4/8/8/8/8/8/8/R3K3 w Q -", "e1c1", "O-O-O+"},
        {"4k2r/8/8/8/8/8/8/4K3 b k -", "e8g8", "O-O"},
        {"r3k3/8/8/8/8/8/8/3K4 b q -", "e8c8", "O-O-O+"},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3", "b8c6", "Nc6"},
    };
    for (const SanCase& c : cases) {
        SCOPED_TRACE(std::string(c.fen) + " " + c.word);
        auto p = positionFromFen(c.fen);
        const Move move = legalMove(*p, c.word);
        ASSERT_NE(move, 0);
        const std::string fenBefore = fenOf(*p);
        const PlyState* slot = p->currentPly;
        const uint64_t key = slot->positionKey;
        const uint64_t san = p->sideToMove == White ? formatSanWhite(*p, move) : formatSanBlack(*p, move);
        EXPECT_EQ(unpack(san), c.san);
        EXPECT_EQ(fenOf(*p), fenBefore);
        EXPECT_EQ(p->currentPly, slot);
        EXPECT_EQ(p->currentPly->positionKey, key);
    }
}

TEST(MoveText, CoordinateTextRoundTripsAndTypedWordsMatchIt) {
    struct Case {
        const char* fen;
        const char* word;
    };
    const Case cases[] = {
        {START_POSITION_FEN, "e2e4"},
        {"3r4/4P3/8/7k/8/8/8/4K3 w - -", "e7e8q"},
        {"3r4/4P3/8/7k/8/8/8/4K3 w - -", "e7d8n"},
        {"4k3/8/8/8/8/1K6/p7/8 b - -", "a2a1n"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", "e1g1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", "e1c1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq -", "e8g8"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq -", "e8c8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        auto p = positionFromFen(c.fen);
        const Move move = legalMove(*p, c.word);
        ASSERT_NE(move, 0);
        EXPECT_EQ(unpack(moveToCoordinateText(move)), c.word);
        EXPECT_EQ(moveToCoordinateText(move), packCoordinateWord(c.word));
    }
    // The promotion letter is lower case only; a dark and a light bishop print alike.
    auto p = positionFromFen("3r4/4P3/8/7k/8/8/8/4K3 w - -");
    EXPECT_EQ(legalMove(*p, "e7e8Q"), 0);
    EXPECT_EQ(unpack(moveToCoordinateText(legalMove(*p, "e7d8b"))), "e7d8b");
    EXPECT_EQ(unpack(moveToCoordinateText(legalMove(*p, "e7e8b"))), "e7e8b");
    // The typed word packs its first five characters at most and stops at a short word's end.
    EXPECT_EQ(packCoordinateWord("e7e8qq"), packCoordinateWord("e7e8q"));
    EXPECT_EQ(unpack(packCoordinateWord("e2")), "e2");
    EXPECT_EQ(legalMove(*p, "e2"), 0);
    EXPECT_EQ(legalMove(*p, ""), 0);
}

TEST(MoveText, PrintPackedTextWritesTheCharactersOnly) {
    EXPECT_EQ(captured([](FILE* f) { printPackedText(f, packCoordinateWord("e7e8q")); }), "e7e8q");
    EXPECT_EQ(captured([](FILE* f) { printPackedText(f, 0); }), "");
    // Zero bytes inside a text are skipped.
    EXPECT_EQ(captured([](FILE* f) { printPackedText(f, 0x4100420043ULL); }), "ABC");
}

TEST(MoveText, VariationIsNumberedFromTheGameAndLeavesThePositionAsItWas) {
    struct Case {
        const char* fen;
        int whiteMoves, blackMoves;
        std::initializer_list<const char*> line;
        const char* text;
    };
    const Case cases[] = {
        {START_POSITION_FEN, 0, 0, {"e2e4", "e7e5", "g1f3"}, "1. e4 e5 2. Nf3 "},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3", 1, 0, {"e7e5", "g1f3", "b8c6"},
         "1. ... e5 2. Nf3 Nc6 "},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3", 11, 10, {"e7e5"}, "11. ... e5 "},
        {START_POSITION_FEN, 11, 11, {"g1f3", "g8f6"}, "12. Nf3 Nf6 "},
        {START_POSITION_FEN, 0, 0, {}, ""},
        // Check and mate marks follow each move in the line.
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", 0, 0, {"f2f3", "e7e5", "g2g4", "d8h4"},
         "1. f3 e5 2. g4 Qh4# "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto p = positionFromFen(c.fen);
        p->whiteMovesPlayed = c.whiteMoves;
        p->blackMovesPlayed = c.blackMoves;
        Move line[PV_LENGTH] = {};
        playAndTakeBack(*p, c.line, line);
        const std::string fenBefore = fenOf(*p);
        const PlyState* slot = p->currentPly;
        EXPECT_EQ(captured([&](FILE* f) { printVariation(*p, line, f); }), c.text);
        EXPECT_EQ(fenOf(*p), fenBefore);
        EXPECT_EQ(p->currentPly, slot);
    }
}

TEST(MoveText, VariationStopsAtAMoveItCannotMake) {
    auto p = positionFromFen(START_POSITION_FEN);
    const Move e4 = legalMove(*p, "e2e4");
    const Move nf3 = legalMove(*p, "g1f3");
    // A stale word: after e4 it is Black's turn and e2 is empty.
    const Move stale[] = {e4, e4, nf3, 0};
    const std::string fenBefore = fenOf(*p);
    EXPECT_EQ(captured([&](FILE* f) { printVariation(*p, stale, f); }), "1. e4 ");
    EXPECT_EQ(fenOf(*p), fenBefore);
    // Near the end of the ply stack the line is cut where no slot is left to make a move in.
    Move line[PV_LENGTH] = {};
    playAndTakeBack(*p, {"e2e4", "e7e5", "g1f3", "b8c6"}, line);
    p->plyStack[MAX_PLIES - 3] = *p->currentPly;
    p->currentPly = &p->plyStack[MAX_PLIES - 3];
    p->nextPly = p->currentPly + 1;
    EXPECT_EQ(captured([&](FILE* f) { printVariation(*p, line, f); }), "1. e4 e5 ");
    EXPECT_EQ(p->currentPly, &p->plyStack[MAX_PLIES - 3]);
    EXPECT_EQ(fenOf(*p), fenBefore);
}
