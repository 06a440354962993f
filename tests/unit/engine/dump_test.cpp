#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dump.h"
#include "move.h"
#include "movegen_test_support.h"

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

// The golden file is the program's own dump, kept as a change detector: it shows that the
// layout and values stay as they were, not that they are right. What the rules fix
// independently is checked from them: the men on each side and the twenty legal moves.
TEST(Dump, StartPositionMatchesTheGoldenFile) {
    const auto p = positionFromFen(START_POSITION_FEN);
    const std::string dump = captured([&](FILE* f) { dumpPosition(f, *p); });
    const std::string golden = readFile(std::string(BRELSTAN_TEST_DATA_DIR) + "/start_position_dump.txt");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(dump, golden);

    EXPECT_NE(dump.find("\nPCC=016:016\t"), std::string::npos);
    const size_t list = dump.find("\nMoves: 20\n");
    ASSERT_NE(list, std::string::npos);
    std::istringstream words(dump.substr(list + 11));
    std::vector<std::string> moves{std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
    std::sort(moves.begin(), moves.end());
    const std::vector<std::string> rules = {"a2a3", "a2a4", "b1a3", "b1c3", "b2b3", "b2b4", "c2c3",
                                            "c2c4", "d2d3", "d2d4", "e2e3", "e2e4", "f2f3", "f2f4",
                                            "g1f3", "g1h3", "g2g3", "g2g4", "h2h3", "h2h4"};
    EXPECT_EQ(moves, rules);
}

// Each recomputed value stands next to the running one; after a line of moves that castles,
// takes en passant, captures, promotes and gives up rights, made move by move, they agree.
TEST(Dump, RecomputedKeysEqualTheRunningOnes) {
    struct Case {
        const char* fen;
        std::vector<const char*> line;
    } cases[] = {
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
         {"a2a4", "b4a3", "e1g1", "a3b2", "g2h3", "b2a1Q", "f1a1", "e8g8"}},
        {"rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR b KQkq d6",
         {"f7f5", "e5f6", "g8f6", "f1b5", "c7c6", "b5c6", "b7c6", "e1e2", "e8f7"}},
    };
    for (const Case& c : cases) {
        const auto p = positionFromFen(c.fen);
        ASSERT_TRUE(playLine(*p, c.line)) << c.fen;
        std::istringstream lines(captured([&](FILE* f) { dumpPosition(f, *p); }));
        int keyLines = 0;
        for (std::string line; std::getline(lines, line);) {
            const size_t gen = line.find("\tGEN=");
            if (gen == std::string::npos) continue;
            ++keyLines;
            EXPECT_EQ(line.substr(4, 16), line.substr(gen + 5)) << line;
        }
        EXPECT_EQ(keyLines, 3) << c.fen;
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
