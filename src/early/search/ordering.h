// Move ordering shared by the roots, the nodes and the quiescence search: every generated
// move gets a key in a scored list and the largest key is picked before each move. The
// hash move comes first, then the exchange-ordered kinds by exchange value, then every
// other move by history.
#pragma once

#include <cstdint>

#include "move.h"
#include "position.h"
#include "types.h"

namespace early {

struct ScoredMove {
    Move move;
    int32_t key;
};

constexpr int MAX_SCORED_MOVES = 256;
using ScoredMoveList = ScoredMove[MAX_SCORED_MOVES];

constexpr int32_t HASH_MOVE_KEY = 0x8000000;
constexpr int32_t SEE_KEY_OFFSET = 0x2000000;
constexpr int32_t SCORED_LIST_END_KEY = INT32_MIN;  // key of the closing {0, key} entry

// History: one row per value of the mover's moves-made counter (0 to 512 within the
// 1024-record state stack), one column per from-to pair (move & 0xFFF). A value is the
// row's stamp when that pair last became a new best in the row, halved whenever the stamp
// has passed HISTORY_STAMP_LIMIT. Static, zero at start, never cleared.
constexpr int HISTORY_ROWS = 513;
constexpr int HISTORY_COLUMNS = 4096;
constexpr int HISTORY_STAMPS = 1024;
constexpr int32_t HISTORY_STAMP_LIMIT = 0xFFFFFF;

extern int32_t historyWhite[HISTORY_ROWS][HISTORY_COLUMNS];
extern int32_t historyBlack[HISTORY_ROWS][HISTORY_COLUMNS];
extern int32_t historyStampWhite[HISTORY_STAMPS];
extern int32_t historyStampBlack[HISTORY_STAMPS];

// The row of the side's current counter. A counter past the last row (a game longer than
// the state stack could ever hold) shares the last row rather than index past the table.
template <Color Us> inline int historyRowIndex(const Position& pos) {
    const int32_t made = Us == White ? pos.movesMadeWhite : pos.movesMadeBlack;
    return made < 0 ? 0 : made < HISTORY_ROWS ? made : HISTORY_ROWS - 1;
}

template <Color Us> inline int32_t* historyRow(const Position& pos) {
    return (Us == White ? historyWhite : historyBlack)[historyRowIndex<Us>(pos)];
}

// A new best move at a node or root of side Us: stamp it in the side's current row.
template <Color Us> inline void recordNewBest(const Position& pos, Move move) {
    const int row = historyRowIndex<Us>(pos);
    int32_t* values = (Us == White ? historyWhite : historyBlack)[row];
    const int32_t stamp = ++(Us == White ? historyStampWhite : historyStampBlack)[row];
    values[move & 0xFFF] = stamp;
    if (stamp > HISTORY_STAMP_LIMIT)
        for (int i = 0; i < HISTORY_COLUMNS; ++i) values[i] >>= 1;
}

void clearScoredMoveList(ScoredMove* list);

// Keys the 0-ended moves in order into a cleared list and closes it with
// {0, SCORED_LIST_END_KEY}. The exchange value of every exchange-ordered move is taken here.
void scoreMovesWhite(const Position& pos, const Move* moves, ScoredMove* list, Move hashMove);
void scoreMovesBlack(const Position& pos, const Move* moves, ScoredMove* list, Move hashMove);

template <Color Us> inline void scoreMoves(const Position& pos, const Move* moves, ScoredMove* list, Move hashMove) {
    if constexpr (Us == White)
        scoreMovesWhite(pos, moves, list, hashMove);
    else
        scoreMovesBlack(pos, moves, list, hashMove);
}

// Swaps the first entry with the strictly largest key among i up to the first entry
// without a move into place i and returns its move.
inline Move pickBestMove(ScoredMove* list, int i) {
    int best = i;
    for (int j = i + 1; list[j].move != 0; ++j)
        if (list[j].key > list[best].key) best = j;
    const ScoredMove picked = list[best];
    list[best] = list[i];
    list[i] = picked;
    return picked.move;
}

}  // namespace early
