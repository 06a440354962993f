#include "ordering.h"

#include <cstring>

#include "see.h"

namespace early {

int32_t historyWhite[HISTORY_ROWS][HISTORY_COLUMNS];
int32_t historyBlack[HISTORY_ROWS][HISTORY_COLUMNS];
int32_t historyStampWhite[HISTORY_STAMPS];
int32_t historyStampBlack[HISTORY_STAMPS];

namespace {

template <Color Us> void scoreList(const Position& pos, const Move* moves, ScoredMove* list, Move hashMove) {
    const int32_t* history = historyRow<Us>(pos);
    for (; *moves != 0; ++moves, ++list) {
        const Move m = *moves;
        list->move = m;
        if (m == hashMove)
            list->key = HASH_MOVE_KEY;
        else if (KIND_SEE_ORDERED[moveKind(m)])
            list->key = see<Us>(pos, m) + SEE_KEY_OFFSET;
        else
            list->key = history[m & 0xFFF];
    }
    list->move = 0;
    list->key = SCORED_LIST_END_KEY;
}

}  // namespace

void clearScoredMoveList(ScoredMove* list) { std::memset(list, 0, sizeof(ScoredMove) * MAX_SCORED_MOVES); }

void scoreMovesWhite(const Position& pos, const Move* moves, ScoredMove* list, Move hashMove) {
    scoreList<White>(pos, moves, list, hashMove);
}
void scoreMovesBlack(const Position& pos, const Move* moves, ScoredMove* list, Move hashMove) {
    scoreList<Black>(pos, moves, list, hashMove);
}

}  // namespace early
