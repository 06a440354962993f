// Search speed: fixed-depth deepening (depths 1 to N, as the engine thinks, without book or
// clock) over a fixed set of positions, each from empty tables. Prints per position the
// nodes, the median time of several runs and the nodes per second at that median; the node
// counts are the same in every run and in both word sizes.
//
//   searchbench [runs]   time every position `runs` times (default 5)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "clock.h"
#include "fen.h"
#include "platform.h"
#include "position.h"
#include "tables.h"
#include "think.h"
#include "transposition.h"

namespace {

struct BenchPosition {
    const char* name;
    const char* fen;
    int depth;
};

constexpr BenchPosition POSITIONS[] = {
    {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", 10},
    {"kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -", 6},
    {"middlegame-b", "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 b - -", 7},
    {"promotion", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -", 7},
    {"rook-endgame", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -", 12},
    {"pawn-endgame-b", "8/8/4k3/3p4/3P4/4K3/8/8 b - -", 18},
};

constexpr int DEFAULT_RUNS = 5;
constexpr int MAX_RUNS = 100;

uint64_t nodesOf(const Position& p) { return p.quiescenceNodes + p.pvNodes + p.zeroWindowNodes; }

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : DEFAULT_RUNS;
    runs = std::clamp(runs, 1, MAX_RUNS);
    // White's nodes stop on waiting input: nothing must wait there.
    if (!std::freopen("/dev/null", "r", stdin)) return 1;
    clockFrequency = static_cast<uint64_t>(platform::performanceFrequency());
    initTables();
    allocateTranspositionTables();

    uint64_t totalNodes = 0;
    double totalSeconds = 0;
    for (const BenchPosition& b : POSITIONS) {
        std::vector<double> times;
        uint64_t nodes = 0;
        for (int run = 0; run < runs; ++run) {
            std::memset(ttWhite, 0, TT_ENTRIES * sizeof(TtEntry));
            std::memset(ttBlack, 0, TT_ENTRIES * sizeof(TtEntry));
            // About 300 KB with its ply stack and history: not on the stack.
            const std::unique_ptr<Position> position(new Position());
            resetPosition(*position);
            setPositionFromText(*position, b.fen);
            const int64_t start = platform::performanceCounter();
            searchToDepth(*position, b.depth, nullptr);
            times.push_back(static_cast<double>(platform::performanceCounter() - start) /
                            static_cast<double>(platform::performanceFrequency()));
            nodes = nodesOf(*position);
        }
        std::sort(times.begin(), times.end());
        const double median = runs % 2 ? times[runs / 2] : (times[runs / 2 - 1] + times[runs / 2]) / 2;
        std::printf("search %-16s depth %2d  nodes %10llu  median %.3f s of %d  rate %.3f Mnodes/s\n", b.name, b.depth,
                    static_cast<unsigned long long>(nodes), median, runs, median > 0 ? nodes / median / 1e6 : 0.0);
        std::fflush(stdout);
        totalNodes += nodes;
        totalSeconds += median;
    }
    std::printf("search %-16s           nodes %10llu  median %.3f s        rate %.3f Mnodes/s\n", "all",
                static_cast<unsigned long long>(totalNodes), totalSeconds,
                totalSeconds > 0 ? totalNodes / totalSeconds / 1e6 : 0.0);
    return 0;
}
