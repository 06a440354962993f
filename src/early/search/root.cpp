#include "root.h"

#include <cstdio>

#include "clock.h"
#include "evaluate.h"
#include "ordering.h"
#include "search.h"
#include "searchmoves.h"
#include "thinking.h"
#include "transposition.h"
#include "zobrist.h"

namespace early {

namespace {

template <Color Us> void recordRootBest(Position& pos, Move m, int32_t v, int32_t depth) {
    pos.bestMove = m;
    pos.bestScore = v;
    pos.bestDepth = depth;
    pos.bestNodes = pos.nodes;
    pos.bestTime = elapsedMs(pos.searchStart);
    printThinkingLine(pos, stdout);
    recordNewBest<Us>(pos, m);
}

template <Color Us> int32_t searchRootFor(Position& pos, int32_t alpha, int32_t beta, int32_t depth) {
    constexpr Color Them = opposite(Us);
    const int32_t alpha0 = alpha, beta0 = beta;
    int32_t bound = BOUND_NO_IMPROVEMENT;
    Move storeMove = 0, hashMove = 0;

    // No record left for a root move: the evaluation, and no move.
    if (!hasFreeState(pos)) return evaluate(pos);

    // The root takes only the move from its table, whatever the entry's depth and bound.
    const uint64_t key = probeKey(pos);
    if (const TtEntry* entry = probeTable<Us>(keyLow(key), keyHigh(key)); entry != nullptr) hashMove = entry->move;

    MoveList moves;
    ScoredMoveList list;
    clearScoredMoveList(list);
    generateSearchMoves<Us>(pos, moves);
    scoreMoves<Us>(pos, moves, list, hashMove);

    for (int i = 0; list[i].move != 0; ++i) {
        const Move m = pickBestMove(list, i);
        if (!makeMoveOf<Us>(pos, m)) break;
        int32_t v;
        // Deliberate: White's root searches every move with the full window; Black's
        // searches later moves with a null window on beta first.
        if constexpr (Us == White) {
            v = search<Them>(pos, alpha, beta, depth - 1, false);
        } else {
            if (i == 0) {
                v = search<Them>(pos, alpha, beta, depth - 1, false);
            } else {
                v = search<Them>(pos, beta - 1, beta, depth - 1, false);
                if (alpha < v && v < beta) v = search<Them>(pos, alpha, beta, depth - 1, false);
            }
        }
        unmakeMoveOf<Us>(pos, m);
        if (pos.stopSearch) return STOP_SCORE;

        // Deliberate: White records a new best before its cut-off test, Black tests for
        // the cut-off first; a cutting move is recorded by neither.
        if constexpr (Us == White) {
            if (v > alpha) {
                storeMove = m;
                alpha = v;
                bound = BOUND_EXACT;
                if (v < beta) recordRootBest<Us>(pos, m, v, depth);
                if (v >= beta) {
                    bound = BOUND_CUTOFF;
                    break;
                }
            }
        } else {
            if (v < beta) {
                storeMove = m;
                beta = v;
                bound = BOUND_EXACT;
                if (v <= alpha) {
                    bound = BOUND_CUTOFF;
                    break;
                }
                recordRootBest<Us>(pos, m, v, depth);
            }
        }
    }

    // Only results inside the caller's window are stored, always as exact.
    if constexpr (Us == White) {
        if (alpha0 < alpha && alpha < beta) storeHash<Us>(pos.searchId, depth, key, storeMove, alpha, bound);
        return alpha;
    } else {
        if (alpha < beta && beta < beta0) storeHash<Us>(pos.searchId, depth, key, storeMove, beta, bound);
        return beta;
    }
}

}  // namespace

int32_t searchRootWhite(Position& pos, int32_t alpha, int32_t beta, int32_t depth) {
    return searchRootFor<White>(pos, alpha, beta, depth);
}
int32_t searchRootBlack(Position& pos, int32_t alpha, int32_t beta, int32_t depth) {
    return searchRootFor<Black>(pos, alpha, beta, depth);
}

}  // namespace early
