// The search's look at standard input when it is a real pipe: White's nodes stop on a
// waiting byte, Black's do not look, and the byte stays for the command loop to read.
#include <atomic>
#include <chrono>
#include <climits>
#include <thread>

#include <sys/ioctl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "search_test_support.h"
#include "think.h"

namespace {

// Standard input is the read end of a fresh pipe for the fixture's lifetime.
class InputStop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(pipe(fds), 0);
        saved = dup(STDIN_FILENO);
        ASSERT_GE(saved, 0);
        ASSERT_EQ(dup2(fds[0], STDIN_FILENO), STDIN_FILENO);
    }
    void TearDown() override {
        dup2(saved, STDIN_FILENO);
        close(saved);
        close(fds[0]);
        close(fds[1]);
    }
    int bytesWaiting() const {
        int n = -1;
        ioctl(fds[0], FIONREAD, &n);
        return n;
    }
    int fds[2] = {-1, -1};
    int saved = -1;
};

// The budget is the whole of a 32-bit clock (the deadline lies months ahead) and the start
// position never finishes depth 63: only the byte can end this think, whenever it comes.
TEST_F(InputStop, WhiteSearchEndsWhenAByteArrivesAndLeavesItUnread) {
    auto p = searchPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    ASSERT_EQ(dup2(fds[0], STDIN_FILENO), STDIN_FILENO);  // the set-up puts /dev/null there once
    p->movesPerControl = 1;
    p->timeLeft = INT32_MAX;
    std::thread writer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ASSERT_EQ(write(fds[1], "x", 1), 1);
    });
    // A search that missed the byte would run for months: ten minutes end the program with
    // SIGALRM instead, a failure however loaded the machine, and never a timing one.
    alarm(600);
    testing::internal::CaptureStdout();
    think(*p);
    testing::internal::GetCapturedStdout();
    alarm(0);
    writer.join();
    EXPECT_EQ(p->stopSearch, 1);
    EXPECT_GT(p->searchDeadline - p->searchStart, 100 * 60 * 60 * 24 * 100LL);
    ASSERT_EQ(bytesWaiting(), 1);
    char c = 0;
    EXPECT_EQ(read(fds[0], &c, 1), 1);
    EXPECT_EQ(c, 'x');
}

// With a byte already waiting, a depth stops at the first poll of a White node. Black's
// nodes poll only the clock, so a Black depth 1 (a Black root over quiescence) finishes,
// while at depth 2 the White nodes below the root stop it.
TEST_F(InputStop, OnlyWhiteNodesLookAtTheInput) {
    struct Case {
        const char* fen;
        int depth;
        bool stopped;
    } cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", 1, true},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3", 1, false},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3", 2, true},
    };
    ASSERT_EQ(write(fds[1], "x", 1), 1);
    for (const Case& c : cases) {
        auto p = searchPosition(c.fen);
        ASSERT_EQ(dup2(fds[0], STDIN_FILENO), STDIN_FILENO);
        const Move move = searchToDepth(*p, c.depth, nullptr);
        EXPECT_EQ(p->stopSearch, c.stopped ? 1 : 0) << c.fen << " depth " << c.depth;
        // The move is that of the last finished depth: none when depth 1 was stopped.
        EXPECT_EQ(move == 0, c.stopped && c.depth == 1) << c.fen << " depth " << c.depth;
        EXPECT_EQ(bytesWaiting(), 1);
    }
}

}  // namespace
