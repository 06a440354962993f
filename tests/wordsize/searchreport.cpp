// Fixed-depth searches of a set of positions, printed without any timing: the 32-bit and the
// 64-bit builds must print exactly the same report (moves, scores, lines, node counts).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "clock.h"
#include "fen.h"
#include "platform.h"
#include "position.h"
#include "tables.h"
#include "think.h"
#include "transposition.h"

namespace {

struct ReportCase {
    const char* fen;
    int depth;
};

constexpr ReportCase CASES[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", 6},
    {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3", 6},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -", 5},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq -", 5},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -", 5},
    {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 b - -", 5},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -", 8},
    {"8/8/4k3/3p4/3P4/4K3/8/8 b - -", 10},
    {"6k1/5ppp/8/8/8/8/5PPP/R5K1 w - -", 4},
};

// The thinking lines with their time column (characters 10 to 15) blanked.
void printMaskedLines(const char* text, size_t size) {
    const char* end = text + size;
    while (text < end) {
        const char* newline = static_cast<const char*>(std::memchr(text, '\n', static_cast<size_t>(end - text)));
        const size_t length = newline ? static_cast<size_t>(newline - text) : static_cast<size_t>(end - text);
        for (size_t i = 0; i < length; ++i) std::putchar(i >= 10 && i < 16 ? '#' : text[i]);
        std::putchar('\n');
        text += length + 1;
    }
}

}  // namespace

int main() {
    // White's nodes stop on waiting input; the report must not depend on what stdin holds.
    if (!std::freopen("/dev/null", "r", stdin)) return 1;
    clockFrequency = static_cast<uint64_t>(platform::performanceFrequency());
    initTables();
    allocateTranspositionTables();
    for (const ReportCase& c : CASES) {
        auto position = std::make_unique<Position>();
        resetPosition(*position);
        setPositionFromText(*position, c.fen);
        char* text = nullptr;
        size_t size = 0;
        FILE* lines = open_memstream(&text, &size);
        if (!lines) return 1;
        const Move move = searchToDepth(*position, c.depth, lines);
        std::fclose(lines);
        std::printf("%s depth %d\n", c.fen, c.depth);
        printMaskedLines(text, size);
        std::free(text);
        std::printf("move %d score %d nodes %llu %llu %llu\n\n", move, position->currentPly->bestScore,
                    static_cast<unsigned long long>(position->quiescenceNodes),
                    static_cast<unsigned long long>(position->pvNodes),
                    static_cast<unsigned long long>(position->zeroWindowNodes));
    }
    return 0;
}
