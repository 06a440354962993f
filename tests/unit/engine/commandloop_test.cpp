// The command loop's effect on the game record: clock fields, opponent and post flags.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

#include "commandloop.h"
#include "draw.h"
#include "movegen.h"
#include "test_support.h"

namespace {

// Feeds the script to commandLoop through standard input.
void runLoop(const std::string& script) {
    ensureTables();
    static const bool constructed = (constructGamePosition(), true);
    (void)constructed;
    char path[] = "/tmp/brelstan-loop-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    FILE* f = fdopen(fd, "w");
    std::fputs(script.c_str(), f);
    std::fclose(f);
    ASSERT_NE(std::freopen(path, "r", stdin), nullptr);
    commandLoop();
    std::remove(path);
}

}  // namespace

TEST(CommandLoop, ClockAndOpponentFields) {
    struct Case {
        const char* script;
        int32_t timeLeft, movesPerControl, baseTime, increment, opponentIsComputer;
    };
    const Case cases[] = {
        {"", 30000, 0, 6000, 0, 0},
        {"level 40 5 0", 30000, 40, 30000, 0, 0},
        {"level 0 2:30 1", 30000, 0, 15000, 100, 0},
        {"level 40 0:10 0 time 950", 950, 40, 1000, 0, 0},
        {"time -40", -40, 0, 6000, 0, 0},
        {"time 99999999999999999999999", INT32_MAX, 0, 6000, 0, 0},
        {"level 40 99999999999 5", 30000, 40, INT32_MAX, 500, 0},
        {"level 40 5 0 time 500 computer new", 30000, 0, 6000, 0, 0},  // new forgets them all
        {"time 500 level 40 5", 500, 0, 6000, 0, 0},                    // level without its increment
        {"time x level 40 y 0", 30000, 0, 6000, 0, 0},
        {"computer", 30000, 0, 6000, 0, 1},
        {"computer time 700 setboard 4k3/8/8/8/8/8/8/4K3 w - - 0 1", 30000, 0, 6000, 0, 0},
        {"setboard 4k3/8/8/8/8/8/8/4K3 w - - 0 1 computer", 30000, 0, 6000, 0, 1},
    };
    for (const Case& c : cases) {
        runLoop(std::string(c.script) + "\nquit\n");
        EXPECT_EQ(gamePosition.timeLeft, c.timeLeft) << c.script;
        EXPECT_EQ(gamePosition.movesPerControl, c.movesPerControl) << c.script;
        EXPECT_EQ(gamePosition.baseTime, c.baseTime) << c.script;
        EXPECT_EQ(gamePosition.increment, c.increment) << c.script;
        EXPECT_EQ(gamePosition.opponentIsComputer, c.opponentIsComputer) << c.script;
    }
    runLoop("post quit");
    EXPECT_EQ(gamePosition.postThinking, 1);
    runLoop("post nopost");
    EXPECT_EQ(gamePosition.postThinking, 0);
}

// The move player keeps the game inside the ply stack however long it runs.
TEST(CommandLoop, LongGamesAreCompactedBeforeTheStackRunsOut) {
    runLoop("setboard 4k3/8/8/8/8/8/8/1N2K3 w - - 0 1\n");
    Move list[MOVE_LIST_SIZE];
    int highest = 0;
    for (int ply = 0; ply < 3 * MAX_PLIES; ++ply) {
        // Knight and king walk back and forth: every move reversible.
        const char* text = ply % 4 == 0 ? "b1c3" : ply % 4 == 1 ? "e8e7" : ply % 4 == 2 ? "c3b1" : "e7e8";
        Move* end = gamePosition.sideToMove == 0 ? generateMovesWhite(gamePosition, list)
                                                 : generateMovesBlack(gamePosition, list);
        Move chosen = 0;
        for (Move* m = list; m != end; ++m)
            if ('a' + moveFrom(*m) % 8 == text[0] && '1' + moveFrom(*m) / 8 == text[1] &&
                'a' + moveTo(*m) % 8 == text[2] && '1' + moveTo(*m) / 8 == text[3])
                chosen = *m;
        ASSERT_NE(chosen, 0) << ply;
        playMove(gamePosition, chosen);
        highest = std::max(highest, plyIndex(gamePosition, gamePosition.currentPly));
    }
    EXPECT_LE(highest, PLY_STACK_COMPACT_AT);
    EXPECT_EQ(gamePosition.whiteMovesPlayed + gamePosition.blackMovesPlayed, 3 * MAX_PLIES);
    EXPECT_EQ(gamePosition.currentPly->reversibleCount, 3 * MAX_PLIES);
    // The repetition test still sees the walk's earlier positions.
    EXPECT_GE(repetitionCount(gamePosition), 3);
}
