// One iteration of the think driver's deepening: the root orders the legal moves,
// searches each with the other side's node one ply shallower, records every new best move
// inside the window and prints its thinking line, and stores exact results in its side's
// table.
#pragma once

#include <cstdint>

#include "position.h"

namespace early {

// alpha < beta, White's view. Returns the final alpha (White) or beta (Black): the window
// edge itself when no move improved it, the cutting value on a cut-off, else the best
// value; STOP_SCORE when the deadline stopped the search.
int32_t searchRootWhite(Position& pos, int32_t alpha, int32_t beta, int32_t depth);
int32_t searchRootBlack(Position& pos, int32_t alpha, int32_t beta, int32_t depth);

}  // namespace early
