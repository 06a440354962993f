#include "perft.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "bitops.h"
#include "clock.h"
#include "dump.h"
#include "fen.h"
#include "makemove.h"
#include "movegen.h"
#include "plystack.h"


namespace {

// Longest test name kept; the rest of a longer word is read and dropped.
constexpr int SUITE_NAME_LENGTH = 63;

bool blackKingMissing(const Position& p) { return popCount64(p.pieceBitboards[KING + BLACK_OFFSET]) != 1; }

void reportMissingBlackKing(const Position& p) {
    dumpPosition(stdout, p);
    std::getchar();
}

// A node whose slot is the last of the ply stack cannot make a move: it counts as one leaf.
template <Color Us> uint64_t perftNode(Position& p, int depth) {
    if constexpr (Us == White) {  // deliberate: the black king is checked in White's nodes only
        if (blackKingMissing(p)) {
            reportMissingBlackKing(p);
            return 0;
        }
    }
    if (!plyStackHasRoom(p)) return 1;
    Move list[MOVE_LIST_SIZE];
    const Move* end = generateMoves<Us>(p, list);
    uint64_t count = 0;
    for (const Move* m = list; m != end; ++m) {
        makeMove<Us>(p, *m);
        count += depth < 2 ? 1 : perftNode<opposite(Us)>(p, depth - 1);
        unmakeMove<Us>(p, *m);
    }
    return count;
}

// Depths below 1 count like depth 1 (the list's length), as in plain perft, so the
// recursion always ends.
template <Color Us> uint64_t perftBulkNode(Position& p, int depth) {
    if (!plyStackHasRoom(p)) return 1;
    Move list[MOVE_LIST_SIZE];
    const Move* end = generateMoves<Us>(p, list);
    if (depth <= 1) return static_cast<uint64_t>(end - list);
    uint64_t count = 0;
    for (const Move* m = list; m != end; ++m) {
        makeMove<Us>(p, *m);
        count += perftBulkNode<opposite(Us)>(p, depth - 1);
        unmakeMove<Us>(p, *m);
    }
    return count;
}

// Reads one white-space delimited word like "%s", keeping at most `length` characters.
bool readWord(FILE* stream, char* word, int length) {
    int c = std::getc(stream);
    while (c != EOF && std::isspace(c)) c = std::getc(stream);
    if (c == EOF) return false;
    int n = 0;
    for (; c != EOF && !std::isspace(c); c = std::getc(stream))
        if (n < length) word[n++] = static_cast<char>(c);
    if (c != EOF) std::ungetc(c, stream);
    word[n] = '\0';
    return true;
}

uint64_t countSuiteTest(Position& p, int depth, int mode) {
    if (mode == 0 && p.sideToMove == 0) return perftWhite(p, depth);
    if (mode == 0 && p.sideToMove == 1) return perftBlack(p, depth);
    if (mode == 1 && p.sideToMove == 0) return perftBulkWhite(p, depth);
    if (mode == 1 && p.sideToMove == 1) return perftBulkBlack(p, depth);
    return 0;
}

// The depth as asked; a fuzzing run keeps every count small instead, to explore input.
int countingDepth(int depth) {
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    return std::min(depth, 2);
#else
    return depth;
#endif
}

}  // namespace

uint64_t perftWhite(Position& position, int depth) {
    if (blackKingMissing(position)) {
        reportMissingBlackKing(position);
        return 0;
    }
    return generatorsCanRun(position) ? perftNode<White>(position, countingDepth(depth)) : 0;
}

uint64_t perftBlack(Position& position, int depth) {
    return generatorsCanRun(position) ? perftNode<Black>(position, countingDepth(depth)) : 0;
}

uint64_t perftBulkWhite(Position& position, int depth) {
    return generatorsCanRun(position) ? perftBulkNode<White>(position, countingDepth(depth)) : 0;
}

uint64_t perftBulkBlack(Position& position, int depth) {
    return generatorsCanRun(position) ? perftBulkNode<Black>(position, countingDepth(depth)) : 0;
}

void runPerftSuite(FILE* output, FILE* input, int mode) {
    // The runner's own position, away from the game's; about 300 KB, so not on the stack.
    const std::unique_ptr<Position> owned(new Position());
    Position& position = *owned;
    position.historyLimit = HISTORY_LIMIT_DEFAULT;
    std::fill(std::begin(position.history), std::end(position.history), 0);
    resetPosition(position);

    int tests = 0;
    if (std::fscanf(input, "%d", &tests) != 1) tests = 0;
    int passedTests = 0;
    int32_t totalTime = 0;
    for (int i = 1; i <= tests; ++i) {
        char name[SUITE_NAME_LENGTH + 1];
        // A suite that ends before its announced count ends the run: there is no test left.
        if (!readWord(input, name, SUITE_NAME_LENGTH)) break;
        std::fprintf(output, " %-20s", name);
        readFenFromFile(position, input);
        int depth = 0;
        long long expected = 0;
        if (std::fscanf(input, "%d", &depth) != 1) depth = 0;
        if (std::fscanf(input, "%lld", &expected) != 1) expected = 0;

        const int32_t start = nowCentiseconds();
        const uint64_t count = countSuiteTest(position, depth, mode);
        const int32_t time = nowCentiseconds() - start;
        totalTime += time;

        const int passed = count == static_cast<uint64_t>(expected) ? 1 : 0;
        passedTests += passed;
        const int rate = static_cast<int>(static_cast<long long>(passedTests) * 1000 / i);  // tenths of a percent
        std::fprintf(output, "  %15lld  %15llu  %d/1  %3d/%-3d  %3d.%d%% %4d:%02d.%02d %4d:%02d.%02d\n", expected,
                     static_cast<unsigned long long>(count), passed, passedTests, i, rate / 10, rate % 10,
                     time / 6000, (time / 100) % 60, time % 100, totalTime / 6000, (totalTime / 100) % 60,
                     totalTime % 100);
        std::fflush(output);
    }
    std::fflush(output);
}

void printTimedCount(FILE* stream, uint64_t count, int32_t elapsed) {
    // Counts pass 2^32 from depth 7 of the start position on: printed in full.
    std::fprintf(stream, "nodes=%llu time=%d.%02d\n", static_cast<unsigned long long>(count), elapsed / 100,
                 elapsed % 100);
}
