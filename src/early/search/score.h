// Scores and limits shared by the earlier engine's search routines. Scores are signed
// 32-bit, from White's side (White maximises, Black minimises), 0 = even or draw.
#pragma once

#include <cstdint>

namespace early {

// Returned by a search routine that stops on the deadline; never used as a score.
constexpr int32_t STOP_SCORE = INT32_MIN;

// A side mated d of its own moves after the root scores -(MATE_SCORE - d) (White) or
// MATE_SCORE - d (Black).
constexpr int32_t MATE_SCORE = 10000;
constexpr int32_t MATE_BOUND = 9000;  // beyond this a score means mate
constexpr int32_t SCORE_INFINITY = 1000000000;

// A node or quiescence search whose side has made more moves than this returns 0: it ends
// every line, and with it the share of the state stack the search can use.
constexpr int32_t MAX_SIDE_MOVES = 250;

}  // namespace early
