// Quiescence search: stand pat on the evaluation, then captures and promotions (every legal
// move when in check) until the position is quiet.
#pragma once

#include "ordering.h"
#include "position.h"
#include "types.h"

// Values by PieceCode for the test of which captures the quiescence tries. Deliberately a
// white pawn counts 320 and a black pawn 100: every black pawn capture is tried, while a
// white pawn taking a black pawn must pass the exchange test.
constexpr int quiescenceValue[16] = {0, 320, 320, 320, 320, 500, 980, 0, 0, 100, 320, 320, 320, 500, 980, 0};

// Ordering keys: a capture by piece of the side to move gets 1000000 + 32 * victim code -
// mover code (dearest victim first, cheapest mover among equals); every other move (en
// passant, promotions, evasions) its history entry. Ends `scored` with {0, 0}.
void scoreCapturesWhite(const Position& position, const Move* list, ScoredMove* scored);
void scoreCapturesBlack(const Position& position, const Move* list, ScoredMove* scored);

// Requires 0 <= alpha < beta <= SCORE_MAX. Leaves the position as it found it.
Score quiesceWhite(Position& position, Score alpha, Score beta);
Score quiesceBlack(Position& position, Score alpha, Score beta);
template <Color Us> Score quiesce(Position& position, Score alpha, Score beta);
