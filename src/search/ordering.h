// Ordering keys for the moves of a main-search node, and the pick of the next move.
#pragma once

#include <cstdint>

#include "move.h"
#include "position.h"
#include "types.h"

struct ScoredMove {
    Move move;
    int32_t key;
};

// Room for a node's scored list; the list is ended by {0, 0}.
constexpr int SCORED_LIST_SIZE = MOVE_LIST_SIZE;

// Keys from high to low. Every other move is keyed by its history entry, which stays
// below the killers.
constexpr int32_t KEY_HASH_MOVE = 0x7FFFFFFF;
constexpr int32_t KEY_WINNING_CAPTURE = 0x6FFFFFFF;  // a cheaper piece or the king takes
constexpr int32_t KEY_CAPTURE_BASE = 0x5FFFFFFF;     // plus the exchange value (8000 = even)
constexpr int32_t KEY_KILLER1 = 0x4FFFFFFF;
constexpr int32_t KEY_KILLER2 = 0x3FFFFFFF;

// Keys each move of the 0-ended list of the side to move, in list order, into `scored`
// and ends it with {0, 0}. Reads the current ply's killers and the history.
void scoreMovesWhite(const Position& position, ScoredMove* scored, const Move* list, Move hashMove);
void scoreMovesBlack(const Position& position, ScoredMove* scored, const Move* list, Move hashMove);

// Moves the pair with the largest key among index i to the {0, 0} end into place i and
// returns its move. Ties keep the earlier pair, so equal keys are tried in list order.
inline Move selectMove(ScoredMove* scored, int i) {
    int best = i;
    for (int j = i + 1; scored[j].move != 0; ++j)
        if (scored[j].key > scored[best].key) best = j;
    const ScoredMove chosen = scored[best];
    scored[best] = scored[i];
    scored[i] = chosen;
    return chosen.move;
}
