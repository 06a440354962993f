// The think driver: the book first, then iterative deepening with an aspiration window
// over the root search of the side to move, inside a time budget from the game's clock.
#pragma once

#include <cstdint>

#include "move.h"
#include "position.h"

namespace early {

constexpr int32_t ASPIRATION_WINDOW = 50;
constexpr int32_t MAX_ITERATION_DEPTH = 32;
constexpr int32_t DEFAULT_MOVES_LEFT = 20;
constexpr int32_t TIME_MARGIN = 500;
// Budgets are kept within this many milliseconds either way, so the deadline never lies
// a wrap of the 32-bit clock away and no clock value from "time" or "level" can overflow.
constexpr int32_t MAX_BUDGET = 1 << 30;

// The moves the side to move plans for until its next control: 20 without a control,
// otherwise what is left of the current control (1 to movesPerControl).
int32_t movesLeftInControl(const Position& pos);

// timeLeft / moves left + increment, in milliseconds, and never more than timeLeft.
int32_t timeBudgetMs(const Position& pos);

// The move of gamePosition's side to move: the book move, or the best move of the last
// accepted iteration. When no iteration was accepted in time (always so with a budget of
// 500 ms or less, since the deadline then lies at or before the start), the first
// iteration is run again to its end with no deadline and its best move returned. Returns
// 0 when the side has no legal move or the state stack has no record left for one; a
// caller that must move then plays the first generated legal move.
Move think();

// The same deepening on pos without book or clock: depths 0 to maxDepth with the
// aspiration window, ending early only after a mate score. For reports and benchmarks.
Move searchToDepth(Position& pos, int32_t maxDepth);

}  // namespace early
