// Fixed-depth searches of the earlier engine, printed without timings: the 32-bit and the
// 64-bit build must print exactly the same moves, scores and node counts. The positions
// are searched in order in one process, so the tables carry over from one to the next as
// they do in play.
#include <cstdio>

#include "bitboards.h"
#include "evaluate.h"
#include "movetext.h"
#include "position.h"
#include "think.h"

namespace {

struct Row {
    const char* fen;
    int depth;
};

constexpr Row ROWS[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 8},
    {"rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2", 6},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 5},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq - 0 1", 5},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 9},
    {"r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP2BPPP/R2QKB1R b KQ - 0 8", 6},
    {"4k3/8/8/3P4/8/8/8/4K3 b - - 0 1", 12},
    {"kbK5/pp6/1P6/8/8/8/8/R7 w - - 0 1", 6},
    {"r7/8/8/8/8/1p6/PP6/KBk5 b - - 0 1", 6},
};

}  // namespace

int main() {
    early::initBitboardTables();
    long long totalNodes = 0;
    for (const Row& row : ROWS) {
        early::Position& pos = early::gamePosition;
        early::setPositionFromFen(pos, row.fen);
        pos.postThinking = 0;
        const int evaluation = early::evaluate(pos);
        const early::Move move = early::searchToDepth(pos, row.depth);
        std::printf("%s | depth %d | eval %d | move ", row.fen, row.depth, evaluation);
        early::printPackedText(stdout, early::moveToPackedText(move));
        std::printf(" | score %d | reached %d | nodes %d\n", pos.bestScore, pos.bestDepth, pos.nodes);
        totalNodes += pos.nodes;
    }
    std::printf("total nodes %lld\n", totalNodes);
    return 0;
}
