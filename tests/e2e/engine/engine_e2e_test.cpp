// The engine programs driven through standard input, output compared exactly (times masked).
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "program_runner.h"

namespace {

// Black to move has exactly one legal move here, whichever of a8 and b8 its king stands
// on, while White's knight walks g1-f3-g1: the engine answers without searching.
constexpr const char* ONE_REPLY_WHITE = "k7/p6p/P6P/6P1/8/8/8/2R1K1N1 w - - 0 1";
constexpr const char* ONE_REPLY_BLACK = "k7/p6p/P6P/6P1/8/8/8/2R1K1N1 b - - 0 1";
constexpr const char* BARE_KINGS = "4k3/8/8/8/8/8/8/4K3 w - - 0 1";

std::string programName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

class Engine : public ::testing::TestWithParam<std::string> {
protected:
    // Runs the script and returns the masked output; the program must exit with status 0.
    std::string run(const std::string& script, const std::string& workDir = {},
                    int timeoutSeconds = DEFAULT_RUN_SECONDS) {
        const ProgramRun r = runProgram(GetParam(), script, workDir, timeoutSeconds);
        EXPECT_FALSE(r.timedOut) << script.substr(0, 200);
        EXPECT_EQ(r.signal, 0) << script.substr(0, 200);
        EXPECT_EQ(r.exitStatus, 0) << script.substr(0, 200);
        return maskTimes(r.output);
    }
    bool is32Bit() const { return programName(GetParam()) == "brelstan"; }
};

TEST_P(Engine, ProtocolExchangeAndIgnoredWords) {
    EXPECT_EQ(run("xboard\nprotover 2\naccepted setboard\naccepted done\n"
                  "random hard force undo otim 100 white black usermove accepted e2 e9e4 i2i4 ping 1\n"
                  "perf 1\nquit\nperf 2\n"),
              "feature setboard=1\nfeature done=1\nnodes=20 time=T\n");
    // Command-line arguments are ignored, and the end of input ends the program like quit.
    const ProgramRun r = runProgram(GetParam(), "perf 1", {}, 60, {"-x", "quit", "BookW.bin"});
    EXPECT_EQ(maskTimes(r.output), "nodes=20 time=T\n");
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(run(""), "");
}

TEST_P(Engine, GameEndsAreAnnouncedOnEveryGo) {
    struct Case {
        const char* fen;
        const char* line;
    };
    const Case cases[] = {
        {"7k/8/8/8/8/8/5PPP/r5K1 w - - 0 1", "0-1 {Black mates}"},
        {"R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1", "1-0 {White mates}"},
        {"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", "1/2-1/2 {Stalemate}"},
        {BARE_KINGS, "1/2-1/2 {Insufficient material}"},
        {"4k3/8/8/8/8/8/8/1N2K3 b - - 0 1", "1/2-1/2 {Insufficient material}"},
    };
    for (const Case& c : cases) {
        const std::string line = std::string(c.line) + "\n";
        EXPECT_EQ(run(std::string("setboard ") + c.fen + "\ngo\ngo\nquit\n"), line + line) << c.fen;
    }
}

// The engine's own move that ends the game is followed by no result: the result comes when
// it is next asked to move, on "go" or after a move sent to it, and on every "go" after.
// 30 seconds on the clock give depth 1, which already finds the mate, ample time.
TEST_P(Engine, ResultOfAGameEndedByAMoveComesAtTheNextRequest) {
    const std::string setboard = "setboard 6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1\n";
    EXPECT_EQ(withoutThinkingLines(run(setboard + "time 3000\ngo\ngo\ngo\nquit\n")),
              "move a1a8\n1-0 {White mates}\n1-0 {White mates}\n");
    EXPECT_EQ(run(setboard + "a1a8\ngo\nquit\n"), "1-0 {White mates}\n1-0 {White mates}\n");
}

// With no time left depth 1 is stopped at its first poll and no depth finishes: the first
// generated legal move is played, for either side.
TEST_P(Engine, WithoutAFinishedDepthTheFirstLegalMoveIsPlayed) {
    EXPECT_EQ(run("time 0\ngo\nquit\n"), "move a2a3\n");
    EXPECT_EQ(run("time 0\ne2e4\nquit\n"), "move a7a6\n");
}

// Bare kings walking e1-e2 and e8-e7: insufficient material from the start, a threefold
// repetition from the 8th ply on and 100 reversible plies at the 100th. The first test
// that holds names the result, so the lines change in that order.
TEST_P(Engine, DrawTestsRunInTheirOrder) {
    const char* walk[4] = {"e1e2", "e8e7", "e2e1", "e7e8"};
    std::string script = std::string("setboard ") + BARE_KINGS + "\n", expected;
    for (int ply = 1; ply <= 100; ++ply) {
        script += std::string(walk[(ply - 1) % 4]) + "\n";
        expected += ply < 8    ? "1/2-1/2 {Insufficient material}\n"
                    : ply < 100 ? "1/2-1/2 {Draw by repetition}\n"
                                : "1/2-1/2 {50 moves rule}\n";
    }
    EXPECT_EQ(run(script + "go\nquit\n"), expected + "1/2-1/2 {50 moves rule}\n");
}

TEST_P(Engine, ASingleLegalMoveIsPlayedWithoutThinking) {
    EXPECT_EQ(run(std::string("setboard ") + ONE_REPLY_WHITE + "\ng1f3\nf3g1\nquit\n"), "move a8b8\nmove b8a8\n");
    EXPECT_EQ(run(std::string("setboard ") + ONE_REPLY_BLACK + "\ngo\nquit\n"), "move a8b8\n");
}

TEST_P(Engine, AgainstAComputerTheFirstReplyWaitsForGo) {
    const std::string setboard = std::string("setboard ") + ONE_REPLY_WHITE + "\n";
    struct Case {
        std::string script;
        const char* output;
    };
    const Case cases[] = {
        {setboard + "computer\ng1f3\n", ""},
        {setboard + "computer\ng1f3\ngo\nf3g1\n", "move a8b8\nmove b8a8\n"},
        {"computer\n" + setboard + "g1f3\n", "move a8b8\n"},  // setboard forgets the opponent
        {"computer\n" + setboard + "computer\ng1f3\n", ""},
        {"new\ncomputer\ne2e4\n", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(run(c.script + "quit\n"), c.output) << c.script;

    // After "new" the opponent is a person again: e2e4 is answered at once by a searched
    // move, after the thinking lines of its finished depths.
    const std::string output = run("computer\nnew\ntime 600\ne2e4\nquit\n");
    const std::string reply = withoutThinkingLines(output);
    EXPECT_TRUE(std::regex_match(reply, std::regex("move [a-h][1-8][a-h][1-8]\n"))) << output;
    EXPECT_TRUE(std::regex_search(output, std::regex("^ 1 +-?\\d+ +T +\\d+ 1\\. \\.\\.\\. [^ ]+ \n"))) << output;
}

TEST_P(Engine, PromotionLettersAreLowerCase) {
    // "computer" keeps the engine from answering, so perf shows which moves were made.
    EXPECT_EQ(run("setboard 7k/4P3/8/8/8/8/8/K7 w - - 0 1\ncomputer\n"
                  "e7e8Q\nperf 1\ne7e8\nperf 1\ne7e8qextra\nperf 1\nquit\n"),
              "nodes=7 time=T\nnodes=7 time=T\nnodes=2 time=T\n");
}

TEST_P(Engine, SetboardRefusesPositionsNoGameReaches) {
    const std::string refusals[] = {
        "8/8/8/8/8/8/8/8 w - - 0 1",
        "8/8/8/8/8/8/8/4K3 w - - 0 1",
        "4k3/8/8/8/8/8/8/8 b - - 0 1",
        "4k3/8/8/8/8/8/8/3KK3 w - - 0 1",
        "4k3/8/8/8/8/8/4R3/4K3 w - - 0 1",  // the side not to move is in check
        "4k3/4Q3/8/8/8/8/8/4K3 w - - 0 1",
        "4k3/8/8/8/8/8/PPPPPPPP/P3K3 w - - 0 1",  // nine pawns
        "QQQQQQQQ/QQ6/8/8/8/8/8/k3K3 w - - 0 1",  // more queens than promotions can make
        std::string(300, '/') + "k w - - 0 1",
    };
    for (const std::string& fen : refusals)
        EXPECT_EQ(run(std::string("setboard ") + BARE_KINGS + "\nsetboard " + fen + "\nperf 1\nquit\n"),
                  "tellusererror Illegal position\nnodes=5 time=T\n")
            << fen.substr(0, 80);

    struct Accepted {
        const char* text;
        const char* count;
    };
    const Accepted accepted[] = {
        {"4k3/8/8/8/8/8/4r3/4K3 w - - 0 1", "3"},  // the side to move may be in check
        {"4k3/8/8/8/8/8/8/4K3 w KQkq e6 0 1", "5"},  // rights with nothing behind them
        {"4k3/8/8/8/8/8/8/4K3 w - -", "5"},          // no counters: the next command still runs
        {"4k3/8/8/8/8/8/8/4K3 x - - 0 1", "5"},     // an unknown side keeps the side to move
    };
    for (const Accepted& a : accepted)
        EXPECT_EQ(run(std::string("setboard ") + a.text + "\nperf 1\nquit\n"),
                  std::string("nodes=") + a.count + " time=T\n")
            << a.text;
}

// A missing or malformed number never swallows the next command.
TEST_P(Engine, MissingNumbersLeaveTheNextCommandAlone) {
    for (const char* words : {"time", "time x", "level 40", "level 40 5", "level", "level 40 0: 1", "perf", "bulk",
                              "testlsb", "testgenq", "perf -"}) {
        EXPECT_EQ(run(std::string("setboard ") + ONE_REPLY_BLACK + "\n" + words + "\ngo\nquit\n"), "move a8b8\n")
            << words;
    }
}

TEST_P(Engine, TimedCounts) {
    EXPECT_EQ(run("perf 3\nbulk 4\nperf 0\nbulk 0\nperf -3\nbulk 1\nquit\n"),
              "nodes=8902 time=T\nnodes=197281 time=T\nnodes=20 time=T\nnodes=20 time=T\nnodes=20 time=T\n"
              "nodes=20 time=T\n");
    // The game position is unchanged afterwards; Black to move counts Black's moves.
    EXPECT_EQ(run("setboard r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1\n"
                  "perf 2\nbulk 2\nperf 1\nsetboard " + std::string(ONE_REPLY_BLACK) + "\nperf 1\nbulk 1\nquit\n"),
              "nodes=2039 time=T\nnodes=2039 time=T\nnodes=48 time=T\nnodes=1 time=T\nnodes=1 time=T\n");
}

// Beyond 2^32 the count still prints in full. Too slow for the emulated 32-bit build.
TEST_P(Engine, CountsBeyondThirtyTwoBits) {
    if (is32Bit()) GTEST_SKIP() << "depth 7 takes minutes under emulation";
    // Over 300 s in the sanitizer build on a loaded machine: the program gets half an hour.
    EXPECT_EQ(run("bulk 7\nquit\n", {}, 1800), "nodes=3195901860 time=T\n");
}

std::string suiteRow(const char* name, long long expected, unsigned long long count, int passed, int tally, int run) {
    char row[200];
    const int rate = tally * 1000 / run;
    std::snprintf(row, sizeof row, " %-20s  %15lld  %15llu  %d/1  %3d/%-3d  %3d.%d%% T T\n", name, expected, count,
                  passed, tally, run, rate / 10, rate % 10);
    return row;
}

TEST_P(Engine, SuiteCommands) {
    const std::string dir = makeTempDir();
    ASSERT_FALSE(dir.empty());
    {
        std::ofstream suite(dir + "/suite.txt");
        suite << "3\nstart rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 3 8902\n"
                 "wrong 4k3/8/8/8/8/8/8/4K3 w - - 1 6\n"
                 "no-white-king 4k3/8/8/8/8/8/8/8 w - - 2 0\n";
    }
    const std::string rows = suiteRow("start", 8902, 8902, 1, 1, 1) + suiteRow("wrong", 6, 5, 0, 1, 2) +
                             suiteRow("no-white-king", 0, 0, 1, 2, 3);
    EXPECT_EQ(run("testperf suite.txt\ntestbulk suite.txt\nfilebulk suite.txt unused.txt\nquit\n", dir),
              rows + rows + rows);
    EXPECT_EQ(run("fileperf suite.txt result.txt\nquit\n", dir), "");
    std::ifstream result(dir + "/result.txt");
    std::stringstream written;
    written << result.rdbuf();
    EXPECT_EQ(maskTimes(written.str()), rows);

    // A file that cannot be opened is named, and the command does nothing more.
    const std::string longName = "/nonexistent/" + std::string(400, 'n');
    EXPECT_EQ(run("testperf missing.txt\ntestbulk missing.txt\nfileperf missing.txt out.txt\n"
                  "fileperf suite.txt no/such/folder/out.txt\nfilebulk missing.txt out.txt\n"
                  "testperf " + longName + "\nperf 1\nquit\n",
                  dir),
              "Error opening file: missing.txt\nError opening file: missing.txt\nError opening file: missing.txt\n"
              "Error opening file: no/such/folder/out.txt\nError opening file: missing.txt\n"
              "Error opening file: " + longName.substr(0, 255) + "\nnodes=20 time=T\n");
    EXPECT_FALSE(std::ifstream(dir + "/out.txt").good()) << "no result file for a missing suite";

    // Without a black king the runner shows the position, waits for one character, and
    // counts 0; the commands after it still run.
    {
        std::ofstream suite(dir + "/no-black-king.txt");
        suite << "1\nno-black-king 8/8/8/8/8/8/8/4K3 w - - 1 0\n";
    }
    const std::vector<std::string> lines = splitLines(run("testperf no-black-king.txt\nperf 1\nquit\n", dir));
    ASSERT_GE(lines.size(), 3u);
    // The name comes first, the dump between it and the rest of its row.
    const std::string row = suiteRow("no-black-king", 0, 0, 1, 1, 1);
    EXPECT_EQ(lines.front().substr(0, 21), row.substr(0, 21));
    EXPECT_EQ(lines[lines.size() - 2] + "\n", row.substr(21));
    EXPECT_EQ(lines.back(), "nodes=20 time=T");
    std::system(("rm -rf '" + dir + "'").c_str());
}

TEST_P(Engine, SpeedTests) {
    EXPECT_EQ(run("testlsb 1\ntestlsb 2\ntestmsb 1\ntestpop 0\ntestgenr 0\ntestgenb 0\ntestgenq -5\nquit\n"),
              " value=0x00000000 count=1 time=Ts speed=Tmps\n"
              " value=0x00000001 count=2 time=Ts speed=Tmps\n"
              " value=0x0000003F count=1 time=Ts speed=Tmps\n"
              " value=0x00000000 count=0 time=Ts speed=Tmps\n"
              " value=0x00000000 count=0 time=T speed=Tmps\n\n"
              " value=0x00000000 count=0 time=T speed=Tmps\n"
              " value=0x00000000 count=-5 time=T speed=Tmps\n");
}

TEST_P(Engine, OverlongWordsAreCut) {
    const std::string script = std::string(600, 'x') + "quit\n" + "e2e4" + std::string(700, 'q') + "\n" +
                               std::string(2000, 'p') + " perf 1\nquit\n";
    EXPECT_EQ(run(script), "nodes=20 time=T\n");
}

// A game far longer than the ply stack: the knight walks while Black's king answers, then
// both sides' moves keep arriving after the draw lines, and at the end a pawn move gives
// the engine a real search.
TEST_P(Engine, AThousandPlyGameStaysInsideThePlyStack) {
    const char* walk[4] = {"g1f3", "a8b8", "f3g1", "b8a8"};
    std::string script = std::string("setboard ") + ONE_REPLY_WHITE + "\ntime 200\n", expected;
    for (int ply = 1; ply <= 1000; ++ply) {
        const char* move = walk[(ply - 1) % 4];
        if (ply <= 8) {
            if (ply % 2) script += std::string(move) + "\n";
            else expected += std::string("move ") + move + "\n";
            continue;
        }
        script += std::string(move) + "\n";
        expected += ply < 100 ? "1/2-1/2 {Draw by repetition}\n" : "1/2-1/2 {50 moves rule}\n";
    }
    const std::string output = withoutThinkingLines(run(script + "g5g6\nquit\n"));
    ASSERT_GE(output.size(), expected.size());
    EXPECT_EQ(output.substr(0, expected.size()), expected);
    const std::string last = output.substr(expected.size());
    EXPECT_TRUE(last == "move a8b8\n" || last == "move h7g6\n") << last;
}

// Books come from the working directory: a hit is played at once, without a thinking line;
// without book files, or with an empty one, the engine plays on silently.
TEST_P(Engine, BooksFromTheWorkingDirectory) {
    const std::string dir = makeTempDir();
    ASSERT_FALSE(dir.empty());
    {
        std::ofstream list(dir + "/book.txt");
        list << "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - d2d4\n"
                "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 c7c5\n";
    }
    ASSERT_EQ(std::system((std::string(BRELSTAN_BOOK_WRITER) + " " + dir + "/book.txt " + dir).c_str()), 0);
    EXPECT_EQ(run("go\nnew\ne2e4\nquit\n", dir), "move d2d4\nmove c7c5\n");

    // An empty white book leaves the black one working.
    std::ofstream(dir + "/BookW.bin", std::ios::binary).write("\0\0\0\0\0\0\0\0", 8);
    EXPECT_EQ(run("new\ne2e4\nquit\n", dir), "move c7c5\n");
    std::system(("rm -rf '" + dir + "'").c_str());
}

INSTANTIATE_TEST_SUITE_P(Builds, Engine, ::testing::ValuesIn(enginePrograms()),
                         [](const ::testing::TestParamInfo<std::string>& run) {
                             std::string name = programName(run.param);
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

}  // namespace
