// Fixed-depth searches of the earlier engine: nodes, time and nodes per second per
// position and in total. The nodes are the interior nodes the search counts; the capture
// search's positions are not in them. The tables carry over from position to position.
#include <cstdio>
#include <cstdlib>

#include "bitboards.h"
#include "position.h"
#include "think.h"
#include "platform.h"

namespace {

struct Row {
    const char* name;
    const char* fen;
    int depth;
};

constexpr Row ROWS[] = {
    {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 9},
    {"open game", "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3", 8},
    {"kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 7},
    {"queen's gambit", "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP2BPPP/R2QKB1R b KQ - 0 8", 8},
    {"rook endgame", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 12},
};

double seconds(int64_t ticks) { return static_cast<double>(ticks) / static_cast<double>(platform::performanceFrequency()); }

}  // namespace

int main(int argc, char** argv) {
    // An optional argument adds to (or takes from) every depth.
    const int extra = argc > 1 ? std::atoi(argv[1]) : 0;
    early::initBitboardTables();
    std::printf("%-16s %5s %12s %9s %12s  %s\n", "position", "depth", "nodes", "seconds", "nodes/s", "move");
    long long totalNodes = 0;
    int64_t totalTicks = 0;
    for (const Row& row : ROWS) {
        early::Position& pos = early::gamePosition;
        early::setPositionFromFen(pos, row.fen);
        pos.postThinking = 0;
        const int depth = row.depth + extra < 0 ? 0 : row.depth + extra;
        const int64_t start = platform::performanceCounter();
        const early::Move move = early::searchToDepth(pos, depth);
        const int64_t ticks = platform::performanceCounter() - start;
        const double s = seconds(ticks);
        std::printf("%-16s %5d %12d %9.3f %12.0f  %c%c%c%c\n", row.name, depth, pos.nodes, s,
                    s > 0 ? pos.nodes / s : 0.0, 'a' + (move >> 6 & 7), '1' + (move >> 9 & 7), 'a' + (move & 7),
                    '1' + (move >> 3 & 7));
        totalNodes += pos.nodes;
        totalTicks += ticks;
    }
    const double s = seconds(totalTicks);
    std::printf("%-16s %5s %12lld %9.3f %12.0f\n", "total", "", totalNodes, s, s > 0 ? totalNodes / s : 0.0);
    return 0;
}
