#include "think.h"

#include <algorithm>
#include <cstdint>

#include "book.h"
#include "clock.h"
#include "movetext.h"
#include "search.h"
#include "transposition.h"

namespace {

template <Color Us> Move probeBook(Position& position) {
    const Move move = Us == White ? probeBookWhite(openingBook, position) : probeBookBlack(openingBook, position);
    if (move == 0) return 0;
    const int index = Us == White ? indexOfMoveWhite(move, position) : indexOfMoveBlack(move, position);
    return index == -1 ? 0 : move;
}

void clearNodeCounters(Position& position) {
    position.quiescenceNodes = 0;
    position.pvNodes = 0;
    position.zeroWindowNodes = 0;
}

// Deepens from depth 1 until maxDepth, a stopped or empty depth, or (when timed) a finished
// depth that used too much of the budget. The move played is always that of the last
// finished depth.
template <Color Us> Move deepen(Position& position, int maxDepth, FILE* stream, bool timed) {
    Move keptMove = 0;
    Score keptScore = SCORE_DRAW;
    for (int depth = 1; depth <= maxDepth; ++depth) {
        for (uint64_t& n : position.quiescenceNodesByPly) n = 0;
        Us == White ? searchPvWhite(position, 0, SCORE_MAX, depth) : searchPvBlack(position, 0, SCORE_MAX, depth);
        PlyState& ply = *position.currentPly;
        if (ply.bestMove == 0 || position.stopSearch) break;
        if (stream) printSearchInfo(depth, position, stream, ply.bestScore - SCORE_DRAW, ply.pv);
        const int64_t elapsed = nowCentiseconds() - position.searchStart;
        keptMove = ply.bestMove;
        keptScore = ply.bestScore;
        position.ponderMove = ply.pv[1];
        // Deliberate: only Black's root writes its line into the table for the next depth.
        if constexpr (Us == Black) storeVariationInHash(ply.pv, position);
        if (timed && iterationBudgetSpent(elapsed, position.searchStart, position.searchDeadline)) break;
    }
    position.currentPly->bestMove = keptMove;
    position.currentPly->bestScore = keptScore;
    return keptMove;
}

template <Color Us> Move thinkAs(Position& position) {
    clearNodeCounters(position);
    if (const Move bookMove = probeBook<Us>(position)) return bookMove;
    const int32_t played = Us == White ? position.whiteMovesPlayed : position.blackMovesPlayed;
    int32_t perMove = moveTimeBudget(position.timeLeft, position.movesPerControl, played);
    int maxDepth = MAX_DEPTH;
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // A fuzzing run is there to explore input, not to think: a few plies, a few centiseconds.
    perMove = std::min(perMove, 2 * TIME_MARGIN);
    maxDepth = 3;
#endif
    position.stopSearch = 0;
    position.searchStart = nowCentiseconds();
    position.searchDeadline = position.searchStart + int64_t{perMove} - TIME_MARGIN;
    return deepen<Us>(position, maxDepth, stdout, true);
}

}  // namespace

Move thinkWhite(Position& position) { return thinkAs<White>(position); }
Move thinkBlack(Position& position) { return thinkAs<Black>(position); }

Move think(Position& position) {
    if (position.sideToMove == White) return thinkWhite(position);
    if (position.sideToMove == Black) return thinkBlack(position);
    return 0;
}

Move searchToDepth(Position& position, int maxDepth, FILE* stream) {
    clearNodeCounters(position);
    position.stopSearch = 0;
    position.searchStart = nowCentiseconds();
    position.searchDeadline = INT64_MAX;  // no clock reading is ever later
    if (position.sideToMove == White) return deepen<White>(position, maxDepth, stream, false);
    if (position.sideToMove == Black) return deepen<Black>(position, maxDepth, stream, false);
    return 0;
}

int32_t moveTimeBudget(int32_t timeLeft, int32_t movesPerControl, int32_t movesPlayed) {
    // In 64 bits: the values are those of 32-bit arithmetic, but a time or a move count sent
    // as the most negative number cannot make the division trap.
    const int64_t movesToGo =
        movesPerControl != 0 ? int64_t{movesPerControl} - int64_t{movesPlayed} % movesPerControl : DEFAULT_MOVES_TO_GO;
    int64_t perMove = timeLeft / movesToGo - TIME_MARGIN;
    if (perMove > timeLeft) perMove = int64_t{timeLeft} - TIME_MARGIN;
    return static_cast<int32_t>(perMove);
}

bool iterationBudgetSpent(int64_t elapsed, int64_t searchStart, int64_t searchDeadline) {
    return elapsed > ITERATION_TIME_FRACTION * static_cast<double>(searchDeadline - searchStart);
}

void printSearchInfo(int depth, Position& position, FILE* stream, int score, const Move* line) {
    const long long nodes =
        static_cast<long long>(position.quiescenceNodes + position.pvNodes + position.zeroWindowNodes);
    const long long elapsed = nowCentiseconds() - position.searchStart;
    std::fprintf(stream, "%2d%8d%6lld%12lld ", depth, score, elapsed, nodes);
    printVariation(position, line, stream);
    std::fprintf(stream, "\n");
    std::fflush(stream);
}
