#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "dump.h"
#include "move.h"
#include "test_support.h"

namespace {

std::string captured(const std::function<void(FILE*)>& write) {
    char* text = nullptr;
    size_t size = 0;
    FILE* f = open_memstream(&text, &size);
    write(f);
    std::fclose(f);
    std::string s(text, size);
    std::free(text);
    return s;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(Dump, StartPositionMatchesTheGoldenFile) {
    const auto p = positionFromFen(START_POSITION_FEN);
    const std::string dump = captured([&](FILE* f) { dumpPosition(f, *p); });
    const std::string golden = readFile(std::string(BRELSTAN_TEST_DATA_DIR) + "/start_position_dump.txt");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(dump, golden);
}

// Each recomputed value stands next to the running one; after a set-up they agree.
TEST(Dump, RecomputedKeysEqualTheRunningOnes) {
    for (const char* fen : {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
                            "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR b KQkq d6"}) {
        const auto p = positionFromFen(fen);
        std::istringstream lines(captured([&](FILE* f) { dumpPosition(f, *p); }));
        int keyLines = 0;
        for (std::string line; std::getline(lines, line);) {
            const size_t gen = line.find("\tGEN=");
            if (gen == std::string::npos) continue;
            ++keyLines;
            EXPECT_EQ(line.substr(4, 16), line.substr(gen + 5)) << line;
        }
        EXPECT_EQ(keyLines, 3) << fen;
    }
}

TEST(Dump, MoveCoordinates) {
    struct Case {
        Move move;
        const char* text;
    } cases[] = {
        {makeMoveWord(MOVE_ADV_WP, sq("e7"), sq("e8"), 0, QUEEN), " e7e8Q"},
        {makeMoveWord(MOVE_CPA_BP, sq("b2"), sq("a1"), ROOK, KNIGHT + BLACK_OFFSET), " b2a1N"},
        {makeMoveWord(MOVE_ADV_WP, sq("a7"), sq("a8"), 0, LIGHT_BISHOP), " a7a8B"},
        {CASTLE_WHITE_KING_SIDE_MOVE, " e1g1"},
        {makeMoveWord(MOVE_NRM_BN, sq("g8"), sq("f6")), " g8f6"},
    };
    for (const Case& c : cases) EXPECT_EQ(captured([&](FILE* f) { printMoveCoordinates(c.move, f); }), c.text);
}

TEST(Dump, BitboardGrid) {
    std::string empty;
    for (int rank = 0; rank < 8; ++rank) empty += "........\n";
    EXPECT_EQ(captured([](FILE* f) { printBitboardGrid(0, f); }), empty);
    EXPECT_EQ(captured([](FILE* f) { printBitboardGrid(squares({"a8", "h1", "e4"}), f); }),
              "*.......\n........\n........\n........\n....*...\n........\n........\n.......*\n");
}

// Perft dumps a position that lacks a king; the dump must still complete from the bitboards.
// The side to move's moves are listed when that side has its king: without a black king
// White has the moves it has with a black king on a6, which none of them reaches.
TEST(Dump, SetUpWithoutAKingOrSide) {
    const auto noKing = positionFromFen("8/8/8/8/8/8/4P3/4K2Q w - -");
    const std::string dump = captured([&](FILE* f) { dumpPosition(f, *noKing); });
    EXPECT_NE(dump.find("\nEVL="), std::string::npos);
    EXPECT_NE(dump.find("\nKingB=hP\n"), std::string::npos);  // the empty square 255 as file and rank
    const auto withKing = positionFromFen("8/8/k7/8/8/8/4P3/4K2Q w - -");
    const std::string moves = captured([&](FILE* f) { dumpMoveList(f, *withKing); });
    EXPECT_EQ(moves.substr(0, 10), "Moves: 22\n");
    EXPECT_EQ(dump.substr(dump.size() - moves.size()), moves);

    // Black to move without its king has no moves to list.
    const auto noOwnKing = positionFromFen("8/8/8/8/8/8/4P3/4K2Q b - -");
    EXPECT_EQ(captured([&](FILE* f) { dumpMoveList(f, *noOwnKing); }), "Moves: 0\n\n");
    const auto twoKings = positionFromFen("k7/8/8/8/8/8/4P3/K3K2Q w - -");
    EXPECT_EQ(captured([&](FILE* f) { dumpMoveList(f, *twoKings); }), "Moves: 0\n\n");

    const auto noSide = positionFromFen(START_POSITION_FEN);
    noSide->sideToMove = 2;
    const std::string odd = captured([&](FILE* f) { dumpPosition(f, *noSide); });
    EXPECT_NE(odd.find("\nPLR=NMC=0\n"), std::string::npos);
    EXPECT_NE(odd.find("\tGEN=0000000000000000\nPWN="), std::string::npos);
    EXPECT_EQ(odd.find("EVL="), std::string::npos);
    EXPECT_EQ(odd.substr(odd.size() - 10), "Moves: 0\n\n");
}

TEST(Dump, PackedTextSkipsZeroBytes) {
    EXPECT_EQ(captured([](FILE* f) { printTag(f, 0x6534); }), "e4");
    EXPECT_EQ(captured([](FILE* f) { printTag(f, 0x4E00663300000000ull); }), "Nf3");
    EXPECT_EQ(captured([](FILE* f) { printTag(f, 0); }), "");
}

TEST(Dump, CompareIntsSortsMoveWordsByKind) {
    Move moves[] = {CASTLE_WHITE_KING_SIDE_MOVE, makeMoveWord(MOVE_NRM_WK, sq("e1"), sq("f1")),
                    makeMoveWord(MOVE_CPA_WP, sq("g7"), sq("h8"), ROOK + BLACK_OFFSET, QUEEN),
                    makeMoveWord(MOVE_NRM_WN, sq("g1"), sq("f3")), makeMoveWord(MOVE_ADV_WP, sq("b7"), sq("b8"), 0, QUEEN)};
    std::qsort(moves, std::size(moves), sizeof(Move), compareInts);
    EXPECT_TRUE(std::is_sorted(std::begin(moves), std::end(moves)));
    EXPECT_EQ(moves[4], CASTLE_WHITE_KING_SIDE_MOVE);
}
