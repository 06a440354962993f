// The main search: principal-variation and zero-window nodes, one routine per colour.
// Minimax: every score is from White's side, White's nodes maximise and Black's minimise.
#pragma once

#include <cstdint>

#include "position.h"
#include "types.h"

constexpr Score SCORE_DRAW = 8000;
constexpr Score SCORE_MAX = 16000;  // the root window is 0 to SCORE_MAX
constexpr Score MATE_MARGIN = 100;  // a mate at ply p scores p + 100 or 15900 - p
constexpr Score NULL_MOVE_MARGIN = 150;
// The nodes read the clock (and White's nodes the input) when these bits of the zero-window
// node count are all zero: about once in 1024 nodes.
constexpr uint32_t NODE_POLL_MASK = 0x1F9B;

// The score of Us being mated at the given search ply: the sooner, the worse for Us.
template <Color Us> constexpr Score matedScore(int searchPly) {
    return Us == White ? searchPly + MATE_MARGIN : SCORE_MAX - MATE_MARGIN - searchPly;
}
// True when a is better than b for Us.
template <Color Us> constexpr bool improves(Score a, Score b) { return Us == White ? a > b : a < b; }
// The score every real score improves on for Us.
template <Color Us> constexpr Score worstScore() { return Us == White ? 0 : SCORE_MAX; }

// Zero-window nodes: callers pass beta = alpha + 1; afterNullMove is 1 for the reply to a
// null move (which then tries none itself).
Score searchZeroWindowWhite(Position& position, Score alpha, Score beta, int depth, int afterNullMove);
Score searchZeroWindowBlack(Position& position, Score alpha, Score beta, int depth, int afterNullMove);

// Full-window nodes, also the root of each iteration; they leave bestMove, bestScore and the
// line (pv) in the current ply slot.
Score searchPvWhite(Position& position, Score alpha, Score beta, int depth);
Score searchPvBlack(Position& position, Score alpha, Score beta, int depth);

// The line of the current slot becomes the move followed by the line of the next slot (the
// child's), cut so that it and its terminating 0 fit the slot's PV_LENGTH words.
void updatePv(Position& position, Move move);

// A single step (no promotion, no double step) of a pawn that no enemy pawn can stop.
bool isPassedPawnPushWhite(const Position& position, Move move);
bool isPassedPawnPushBlack(const Position& position, Move move);

