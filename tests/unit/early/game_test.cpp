// The earlier engine's game level: end-of-game lines, the engine's and the user's game
// moves, and games longer than the state stack.
#include "game.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "book.h"
#include "early_test_support.h"
#include "makemove.h"
#include "movegen.h"
#include "zobrist.h"

using namespace early;

namespace {

class EarlyGame : public ::testing::Test {
  protected:
    void SetUp() override { constructGamePosition(); }
    void TearDown() override {
        bookWhiteCount = bookBlackCount = 0;
        constructGamePosition();
    }
};

// Plays coordinate moves on gamePosition as game moves; false if one is not legal.
bool play(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
        const Move m = early_test::findMove(gamePosition, text);
        if (m == 0 || !playGameMove(m)) return false;
    }
    return true;
}

template <typename F> std::string outputOf(F f) {
    testing::internal::CaptureStdout();
    f();
    return testing::internal::GetCapturedStdout();
}

Move firstLegalMove() {
    MoveList list;
    generateLegalMoves(list);
    return list[0];
}

}  // namespace

TEST_F(EarlyGame, GameEndLines) {
    struct Case {
        const char* fen;
        const char* line;  // "" when the game goes on
    };
    const Case cases[] = {
        {"rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3", "0-1 {Black mates}\n"},
        {"6k1/5ppp/8/8/8/8/8/3R2K1 b - - 0 1", ""},
        {"3R2k1/5ppp/8/8/8/8/8/6K1 b - - 0 1", "1-0 {White mates}\n"},
        {"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", "1/2-1/2 {Stalemate}\n"},
        // Mate outranks the fifty-move count.
        {"3R2k1/5ppp/8/8/8/8/8/6K1 b - - 120 80", "1-0 {White mates}\n"},
        {"4k3/8/8/8/8/8/4P3/R3K3 w - - 100 80", "1/2-1/2 {50 moves rule}\n"},
        {"4k3/8/8/8/8/8/4P3/R3K3 w - - 99 80", ""},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "1/2-1/2 {Insufficient material}\n"},
        {"4k3/8/8/8/8/8/8/4KN2 w - - 0 1", "1/2-1/2 {Insufficient material}\n"},
        {"4k3/8/8/8/8/8/8/4KB2 b - - 0 1", "1/2-1/2 {Insufficient material}\n"},
        {"4kb2/8/8/8/8/8/8/4K3 w - - 0 1", "1/2-1/2 {Insufficient material}\n"},
        {"4kn2/8/8/8/8/8/8/4K3 b - - 0 1", "1/2-1/2 {Insufficient material}\n"},
        {"4k3/8/8/8/8/8/8/4KR2 w - - 0 1", ""},
        {"4k3/8/8/8/8/8/8/4KQ2 w - - 0 1", ""},
        {"4k3/p7/8/8/8/8/8/4KN2 w - - 0 1", ""},
        {"4k3/8/8/8/8/8/P7/4K1N1 w - - 0 1", ""},
        {"4kb2/8/8/8/8/8/8/4KB2 w - - 0 1", ""},
        {"4k3/8/8/8/8/8/8/3NKN2 w - - 0 1", ""},
    };
    for (const Case& c : cases) {
        early_test::setFen(gamePosition, c.fen);
        bool ended = false;
        EXPECT_EQ(outputOf([&] { ended = checkGameEnd(); }), c.line) << c.fen;
        EXPECT_EQ(ended, c.line[0] != '\0') << c.fen;
    }
}

TEST_F(EarlyGame, RepetitionNeedsThreeOccurrencesAtEvenDistance) {
    const std::vector<std::string> shuffle = {"g1f3", "g8f6", "f3g1", "f6g8"};
    ASSERT_TRUE(play(shuffle));
    EXPECT_EQ(repetitionCount(gamePosition), 2);
    EXPECT_EQ(outputOf(checkGameEnd), "");
    ASSERT_TRUE(play({"g1f3", "g8f6", "f3g1"}));
    EXPECT_EQ(outputOf(checkGameEnd), "");  // the position after 1 Nf3 again, but twice only
    ASSERT_TRUE(play({"f6g8"}));
    EXPECT_EQ(repetitionCount(gamePosition), 3);
    EXPECT_EQ(outputOf(checkGameEnd), "1/2-1/2 {Draw by repetition}\n");
}

// A placement seen before with other castling rights or another en-passant square is not
// the same position: the claim waits for three occurrences with all of them equal.
TEST_F(EarlyGame, RepetitionNeedsTheSameRightsAndEnPassantSquare) {
    struct Case {
        const char* fen;
        std::vector<std::string> first;  // moves to the position's first occurrence
        std::vector<std::string> cycle;  // back to the same men, the rights or the square gone
        std::vector<std::string> again;  // back once more, rights and square as after the cycle
    };
    const Case cases[] = {
        {START_POSITION_FEN, {"b1a3", "b8a6"}, {"a1b1", "a8b8", "b1a1", "b8a8"}, {"a1b1", "a8b8", "b1a1", "b8a8"}},
        {"4k2r/6n1/8/8/8/8/1N6/R3K3 w Qk - 0 1", {"b2d3", "g7f5"}, {"e1d1", "e8d8", "d1e1", "d8e8"},
         {"d3b2", "f5g7", "b2d3", "g7f5"}},
        // The square after d7d5 lets e5 take: a real difference.
        {"1n2k3/3p4/8/4P3/8/8/8/1N2K3 b - - 0 1", {"d7d5"}, {"b1c3", "b8c6", "c3b1", "c6b8"},
         {"b1c3", "b8c6", "c3b1", "c6b8"}},
    };
    for (const Case& c : cases) {
        early_test::setFen(gamePosition, c.fen);
        ASSERT_TRUE(play(c.first)) << c.fen;
        ASSERT_TRUE(play(c.cycle)) << c.fen;
        ASSERT_TRUE(play(c.again)) << c.fen;
        EXPECT_EQ(repetitionCount(gamePosition), 2) << c.fen;
        EXPECT_EQ(outputOf(checkGameEnd), "") << c.fen;
        ASSERT_TRUE(play(c.again)) << c.fen;
        EXPECT_EQ(repetitionCount(gamePosition), 3) << c.fen;
        EXPECT_EQ(outputOf(checkGameEnd), "1/2-1/2 {Draw by repetition}\n") << c.fen;
    }
}

// The claim comes from the engine on its own move into the third occurrence, after its
// move line, and on the opponent's move into one, before any reply. Black's king has one
// legal move each time, so no search picks the engine's moves.
TEST_F(EarlyGame, RepetitionIsClaimedOnEitherSidesMove) {
    early_test::setFen(gamePosition, "4Q3/6pk/8/8/8/8/8/K7 w - - 0 1");
    gamePosition.movesMadeBlack = 1;  // past the first move: replies are due
    gamePosition.postThinking = 0;
    const auto reply = [](const char* word) { return outputOf([&] { applyUserMove(word); }); };
    EXPECT_EQ(reply("e8h5"), "move h7g8\n");
    EXPECT_EQ(reply("h5e8"), "move g8h7\n");
    EXPECT_EQ(reply("e8h5"), "move h7g8\n");
    EXPECT_EQ(reply("h5e8"), "move g8h7\n1/2-1/2 {Draw by repetition}\n");
    EXPECT_EQ(reply("e8h5"), "1/2-1/2 {Draw by repetition}\n");
    EXPECT_EQ(gamePosition.sideToMove, 1);
}

TEST_F(EarlyGame, SingleLegalMoveIsPlayedWithoutSearch) {
    early_test::setFen(gamePosition, "k7/2K5/8/8/8/8/8/7R b - - 0 1");
    gamePosition.postThinking = 1;
    EXPECT_EQ(outputOf(playEngineMove), "move a8a7\n");
    EXPECT_EQ(gamePosition.sideToMove, 0);
}

// With a budget too short for any search depth the engine still moves, and the move is
// searched: the first iteration takes the queen left hanging, which the first generated
// move (a king step) would not.
TEST_F(EarlyGame, NoFinishedDepthPlaysTheFirstIterationsMove) {
    struct Case {
        const char* fen;
        const char* reply;
    };
    const Case cases[] = {
        {"4k3/8/8/3q4/8/8/8/3RK3 w - - 0 1", "d1d5"},
        {"3rk3/8/8/8/3Q4/8/8/4K3 b - - 0 1", "d8d4"},
    };
    for (const Case& c : cases) {
        early_test::setFen(gamePosition, c.fen);
        ASSERT_NE(early_test::moveText(firstLegalMove()), c.reply) << c.fen;
        gamePosition.postThinking = 0;
        gamePosition.timeLeft = 9000;  // 450 ms a move: the deadline lies before the start
        EXPECT_EQ(outputOf(playEngineMove), std::string("move ") + c.reply + "\n") << c.fen;
        EXPECT_EQ(gamePosition.currentState - gamePosition.stateStack, 1);
    }
}

TEST_F(EarlyGame, MatingMoveIsFollowedByTheResultLine) {
    ASSERT_TRUE(play({"f2f3", "e7e5", "g2g4"}));
    const uint64_t key = probeKey(gamePosition);
    MoveList list;
    Move* end = generateLegalMoves(list);
    std::sort(list, end);
    const Move mate = early_test::findMove(gamePosition, "d8h4");
    bookBlack[0] = (key & ~uint64_t{0xFF}) | static_cast<uint64_t>(std::find(list, end, mate) - list);
    bookBlackCount = 1;
    EXPECT_EQ(outputOf(playEngineMove), "move d8h4\n0-1 {Black mates}\n");
    // A game already over is not played on.
    EXPECT_EQ(outputOf(playEngineMove), "0-1 {Black mates}\n");
    EXPECT_EQ(gamePosition.movesMadeBlack, 2);
}

TEST_F(EarlyGame, UserMoves) {
    // White's first move gets no reply: the engine may be the one playing White.
    EXPECT_EQ(outputOf([] { applyUserMove("e2e4"); }), "");
    EXPECT_EQ(gamePosition.sideToMove, 1);
    EXPECT_EQ(gamePosition.movesMadeWhite, 1);

    struct Case {
        const char* word;
        bool played;
    };
    const Case cases[] = {
        {"e7e8", false},   // a promotion needs its letter
        {"e7e8Q", false},  // in lower case
        {"e7e8n", true},  {"b7a8q", true}, {"e1g1", true},
        {"e1g1x", false}, {"e1e3", false}, {"a2a4", false},  // not White's pawn
    };
    for (const Case& c : cases) {
        early_test::setFen(gamePosition, "r6k/1P2P3/8/8/8/8/8/4K2R w K - 0 1");
        gamePosition.movesMadeBlack = 1;  // past the first move: a reply is due
        gamePosition.timeLeft = 9000;     // and comes from the first iteration alone
        gamePosition.postThinking = 0;
        const std::string output = outputOf([&] { applyUserMove(c.word); });
        EXPECT_EQ(gamePosition.movesMadeWhite, c.played ? 1 : 0) << c.word;
        EXPECT_EQ(output.rfind("move ", 0) == 0, c.played) << c.word << ": " << output;
    }
}

// A game far longer than the state stack: every move is made, the stack never overflows,
// and the repetition count agrees with one kept over the whole game.
TEST_F(EarlyGame, TwoThousandPlyGameKeepsRepetitionCounts) {
    const std::vector<std::string> whitePawns = {"a2a3", "a3a4", "a4a5", "a5a6", "b2b3", "b3b4", "b4b5", "b5b6",
                                                 "c2c3", "c3c4", "c4c5", "c5c6", "d2d3", "d3d4", "d4d5"};
    const std::vector<std::string> blackPawns = {"e7e6", "e6e5", "e5e4", "e4e3", "h7h6", "h6h5", "h5h4", "h4h3",
                                                 "g7g6", "g6g5", "g5g4", "g4g3", "d7d6", "f7f5", "f5f4"};
    const std::vector<std::string> shuffle = {"g1f3", "g8f6", "f3g1", "f6g8"};
    std::vector<std::string> game;
    for (size_t block = 0; game.size() < 2000; ++block) {
        game.push_back(whitePawns[block % whitePawns.size()]);
        game.push_back(blackPawns[block % blackPawns.size()]);
        // Longer than the fifty-move rule allows: the stack must keep every record since the
        // last pawn move, not only fifty moves' worth.
        for (int round = 0; round < 33; ++round) game.insert(game.end(), shuffle.begin(), shuffle.end());
        if (block + 1 == whitePawns.size()) break;
    }
    game.resize(2000);

    // The men, castling rights and en-passant square of each position of the game.
    using Snapshot = std::tuple<uint64_t, int32_t, int32_t>;
    const auto snapshot = [] {
        const StateRecord& s = *gamePosition.currentState;
        return Snapshot{s.key, s.castling, s.epSquare};
    };
    std::vector<Snapshot> keys = {snapshot()};
    for (size_t ply = 0; ply < game.size(); ++ply) {
        const Move m = early_test::findMove(gamePosition, game[ply]);
        ASSERT_NE(m, 0u) << "ply " << ply << " " << game[ply];
        ASSERT_TRUE(playGameMove(m)) << "ply " << ply;
        ASSERT_LT(gamePosition.currentState - gamePosition.stateStack, STATE_STACK_SIZE);
        ASSERT_EQ(gamePosition.nextState, gamePosition.currentState + 1);
        ASSERT_TRUE(positionConsistent(gamePosition)) << "ply " << ply;
        keys.push_back(snapshot());
        int32_t expected = 1;
        for (size_t back = 2; back <= ply + 1; back += 2)
            if (keys[ply + 1 - back] == keys.back()) ++expected;
        ASSERT_EQ(repetitionCount(gamePosition), expected) << "ply " << ply;
    }
    EXPECT_EQ(gamePosition.movesMadeWhite + gamePosition.movesMadeBlack, 2000);
}
