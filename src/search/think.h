// Choosing the engine's move: the book first, then iterative deepening within a time budget,
// with a thinking line after every finished depth.
#pragma once

#include <cstdint>
#include <cstdio>

#include "position.h"
#include "types.h"

constexpr int DEFAULT_MOVES_TO_GO = 12;
constexpr int TIME_MARGIN = 10;  // centiseconds
constexpr double ITERATION_TIME_FRACTION = 0.4;
constexpr int MAX_DEPTH = 63;

// The move for the side to move (0 when sideToMove is neither colour): a book move, or the
// move of the last depth that finished in time, or 0 when none did. A searched move and
// its score are also left in the current slot's bestMove and bestScore.
Move think(Position& position);
Move thinkWhite(Position& position);
Move thinkBlack(Position& position);

// The same deepening without book and without clock: depths 1 to maxDepth, thinking lines
// to `stream` when it is not null. For benchmarks and for comparing builds.
Move searchToDepth(Position& position, int maxDepth, FILE* stream);

// Centiseconds for one move: the time left shared among the moves to the next control (12
// when the control has no move count), less the margin, and never more than the time left
// less the margin. The deadline is the search start plus this, less the margin once more.
int32_t moveTimeBudget(int32_t timeLeft, int32_t movesPerControl, int32_t movesPlayed);

// True when a finished depth has used so much of the time to the deadline that the next
// one would not fit.
bool iterationBudgetSpent(int64_t elapsed, int64_t searchStart, int64_t searchDeadline);

// One thinking line: depth, score (0 = even, positive favours White), centiseconds since
// the search start, nodes of this think, the line in numbered algebraic text, a newline.
void printSearchInfo(int depth, Position& position, FILE* stream, int score, const Move* line);
