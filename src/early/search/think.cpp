#include "think.h"

#include "book.h"
#include "clock.h"
#include "root.h"
#include "score.h"
#include "searchmoves.h"

namespace early {

namespace {

bool hasLegalMove(const Position& pos) {
    MoveList moves;
    return (pos.sideToMove == 0 ? generateSearchMoves<White>(pos, moves) : generateSearchMoves<Black>(pos, moves)) !=
           moves;
}

// Clears the per-search fields; the search number grows by one.
void beginSearch(Position& pos) {
    pos.rootPly = pos.sideToMove == 0 ? pos.movesMadeWhite : pos.movesMadeBlack;
    ++pos.searchId;
    pos.stopSearch = 0;
    pos.nodes = 0;
    pos.bestDepth = 0;
    pos.bestMove = 0;
    pos.bestScore = 0;
    pos.bestNodes = 0;
    pos.bestTime = 0;
    pos.rootSide = pos.sideToMove == 1 ? 1 : 0;
}

// The deadline afterMs past the search start, wrapping with the millisecond clock as its
// readings do.
void setDeadline(Position& pos, uint32_t afterMs) {
    pos.searchDeadline = static_cast<int32_t>(static_cast<uint32_t>(pos.searchStart) + afterMs);
}

// Iterative deepening from depth 0. A value on or outside the window repeats the depth
// with the full window; a stopped iteration is dropped. With the time rule a new depth
// starts only while at most a third of the planned time has passed.
Move deepen(Position& pos, int32_t maxDepth, bool timeRule) {
    Move result = 0;
    int32_t alpha = -SCORE_INFINITY, beta = SCORE_INFINITY;
    const int32_t planned = static_cast<int32_t>(static_cast<uint32_t>(pos.searchDeadline) -
                                                 static_cast<uint32_t>(pos.searchStart));
    for (int32_t depth = 0; depth <= maxDepth;) {
        const int32_t value =
            pos.sideToMove == 0 ? searchRootWhite(pos, alpha, beta, depth) : searchRootBlack(pos, alpha, beta, depth);
        if (pos.stopSearch) break;
        if (alpha < value && value < beta) {
            result = pos.bestMove;
            alpha = value - ASPIRATION_WINDOW;
            beta = value + ASPIRATION_WINDOW;
            if (pos.bestScore > MATE_BOUND || pos.bestScore < -MATE_BOUND) break;
            if (timeRule && elapsedMs(pos.searchStart) > planned / 3) break;
            ++depth;
        } else {
            alpha = -SCORE_INFINITY;
            beta = SCORE_INFINITY;
        }
    }
    return result;
}

// The first iteration, depth 0 with the full window, run to its end with no deadline: a
// move searched at least that far when the budget let no iteration finish.
Move firstIterationMove(Position& pos) {
    setDeadline(pos, MAX_BUDGET);
    pos.stopSearch = 0;
    return deepen(pos, 0, false);
}

}  // namespace

int32_t movesLeftInControl(const Position& pos) {
    if (pos.movesPerControl == 0) return DEFAULT_MOVES_LEFT;
    const int64_t made = pos.sideToMove == 0 ? pos.movesMadeWhite : pos.movesMadeBlack;
    const int64_t perControl = pos.movesPerControl;
    return static_cast<int32_t>(perControl - made % perControl);
}

int32_t timeBudgetMs(const Position& pos) {
    // 64-bit, so no clock or control value can overflow or trap the division.
    int64_t budget = static_cast<int64_t>(pos.timeLeft) / movesLeftInControl(pos) + pos.increment;
    // The increment comes only after the move: what is on the clock is all there is.
    if (budget > pos.timeLeft) budget = pos.timeLeft;
    if (budget > MAX_BUDGET) return MAX_BUDGET;
    if (budget < -MAX_BUDGET) return -MAX_BUDGET;
    return static_cast<int32_t>(budget);
}

Move think() {
    Position& pos = gamePosition;
    const Move book = pos.sideToMove == 0 ? probeWhiteBook() : probeBlackBook();
    if (book != 0) return book;
    if (!hasFreeState(pos) || !hasLegalMove(pos)) return 0;
    beginSearch(pos);
    const int32_t budget = timeBudgetMs(pos);
    pos.searchStart = currentTimeMs();
    setDeadline(pos, static_cast<uint32_t>(budget) - static_cast<uint32_t>(TIME_MARGIN));
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // A fuzzing run is there to explore input, not to think: a few plies at most.
    const Move move = deepen(pos, 3, true);
#else
    const Move move = deepen(pos, MAX_ITERATION_DEPTH, true);
#endif
    return move != 0 ? move : firstIterationMove(pos);
}

Move searchToDepth(Position& pos, int32_t maxDepth) {
    if (!hasFreeState(pos) || !hasLegalMove(pos)) return 0;
    beginSearch(pos);
    pos.searchStart = currentTimeMs();
    setDeadline(pos, MAX_BUDGET);
    return deepen(pos, maxDepth, false);
}

}  // namespace early
