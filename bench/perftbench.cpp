// Bulk-perft leaf rates: the median of several timed runs per position, in millions of
// leaves per second. The counts are compared with the deep perft suite and the result is
// printed, but a wrong count or a slow run never fails the program: it measures only.
//
//   perftbench [runs]     time every position `runs` times (default 5)
//   perftbench --list     print "name<TAB>depth<TAB>fen" per position, for the bench script
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "fen.h"
#include "perft.h"
#include "platform.h"
#include "position.h"
#include "tables.h"

namespace {

struct BenchPosition {
    const char* name;  // the row of the deep suite holding the expected count
    const char* fen;
    int depth;
};

constexpr BenchPosition POSITIONS[] = {
    {"cpw-start-d6", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", 6},
    {"cpw-kiwipete-d5", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -", 5},
};

constexpr int DEFAULT_RUNS = 5;
constexpr int MAX_RUNS = 100;

// The expected count of the suite row `name` at `depth`, or -1 when the suite or the row
// cannot be read.
long long expectedCount(const char* name, int depth) {
    FILE* suite = std::fopen(BRELSTAN_SHARED_DIR "/perft/deep.txt", "r");
    if (suite == nullptr) return -1;
    long long found = -1;
    char line[512];
    while (found < 0 && std::fgets(line, sizeof line, suite) != nullptr) {
        char rowName[64], placement[128], side[8], castling[8], enPassant[8];
        int rowDepth = 0;
        long long count = 0;
        if (std::sscanf(line, "%63s %127s %7s %7s %7s %d %lld", rowName, placement, side, castling, enPassant,
                        &rowDepth, &count) == 7 &&
            std::strcmp(rowName, name) == 0 && rowDepth == depth)
            found = count;
    }
    std::fclose(suite);
    return found;
}

double secondsSince(int64_t start) {
    return static_cast<double>(platform::performanceCounter() - start) /
           static_cast<double>(platform::performanceFrequency());
}

uint64_t bulkPerft(Position& p, int depth) {
    return p.sideToMove == White ? perftBulkWhite(p, depth) : perftBulkBlack(p, depth);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--list") == 0) {
        for (const BenchPosition& b : POSITIONS) std::printf("%s\t%d\t%s\n", b.name, b.depth, b.fen);
        return 0;
    }
    int runs = argc > 1 ? std::atoi(argv[1]) : DEFAULT_RUNS;
    runs = std::clamp(runs, 1, MAX_RUNS);

    initTables();
    // About 300 KB with its ply stack: not on the stack.
    const std::unique_ptr<Position> owned(new Position());
    Position& position = *owned;
    resetPosition(position);

    const int bits = static_cast<int>(8 * sizeof(void*));
    for (const BenchPosition& b : POSITIONS) {
        setPositionFromText(position, b.fen);
        std::vector<double> seconds;
        uint64_t leaves = 0;
        bool sameEveryRun = true;
        for (int i = 0; i < runs; ++i) {
            const int64_t start = platform::performanceCounter();
            const uint64_t count = bulkPerft(position, b.depth);
            seconds.push_back(secondsSince(start));
            if (i > 0 && count != leaves) sameEveryRun = false;
            leaves = count;
        }
        std::sort(seconds.begin(), seconds.end());
        // The middle run; of an even number of runs the mean of the two middle ones.
        const double median = runs % 2 ? seconds[runs / 2] : (seconds[runs / 2 - 1] + seconds[runs / 2]) / 2;
        const long long expected = expectedCount(b.name, b.depth);
        const char* verdict = !sameEveryRun                                  ? "DIFFERS BETWEEN RUNS"
                              : expected < 0                                 ? "unchecked"
                              : leaves == static_cast<uint64_t>(expected) ? "right"
                                                                             : "WRONG";
        std::printf("perft%d %-16s depth %d  leaves %llu (%s)  median %.3f s of %d  rate %.2f Mleaves/s\n", bits,
                    b.name, b.depth, static_cast<unsigned long long>(leaves), verdict, median, runs,
                    median > 0 ? static_cast<double>(leaves) / median / 1e6 : 0.0);
        if (expected >= 0 && leaves != static_cast<uint64_t>(expected))
            std::printf("perft%d %-16s expected %lld\n", bits, b.name, expected);
        std::fflush(stdout);
    }
    return 0;
}
