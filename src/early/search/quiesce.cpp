#include "quiesce.h"

#include "evaluate.h"
#include "ordering.h"
#include "searchmoves.h"
#include "see.h"

namespace early {

namespace {

template <Color Us> int32_t quiesceFor(Position& pos, int32_t alpha, int32_t beta, int32_t qdepth) {
    constexpr Color Them = opposite(Us);
    if (pos.stopSearch) return STOP_SCORE;
    if (movesMadeOf<Us>(pos) > MAX_SIDE_MOVES) return 0;

    // The material-and-square balance alone decides when it lies far outside the window:
    // beyond the side's own edge it cuts, beyond the other edge it skips the stand pat.
    const int32_t lazy = materialBalance(pos);
    bool standPat = true;
    if constexpr (Us == White) {
        if (lazy > beta + LAZY_MARGIN) return beta;
        if (lazy < alpha - LAZY_MARGIN) standPat = false;
    } else {
        if (lazy < alpha - LAZY_MARGIN) return alpha;
        if (lazy > beta + LAZY_MARGIN) standPat = false;
    }
    if (standPat) {
        const int32_t e = evaluate(pos);
        if constexpr (Us == White) {
            if (e > alpha) alpha = e;
            if (e >= beta) return beta;
        } else {
            if (e < beta) beta = e;
            if (e <= alpha) return alpha;
        }
    }
    // No record left for a move: the stand pat is the result.
    if (!hasFreeState(pos)) return Us == White ? alpha : beta;

    MoveList moves;
    const Move* end = generateQuiescenceMoves<Us>(pos, moves);
    ScoredMoveList list;
    clearScoredMoveList(list);
    scoreMoves<Us>(pos, moves, list, 0);
    for (int i = 0; list[i].move != 0; ++i) {
        const Move m = pickBestMove(list, i);
        if (KIND_SEE_ORDERED[moveKind(m)] && see<Us>(pos, m) < 0) continue;
        if (!makeMoveOf<Us>(pos, m)) break;
        const int32_t v = quiesce<Them>(pos, alpha, beta, qdepth - 1);
        unmakeMoveOf<Us>(pos, m);
        if constexpr (Us == White) {
            if (v > alpha) {
                alpha = v;
                if (v >= beta) break;
            }
        } else {
            if (v < beta) {
                beta = v;
                if (v <= alpha) break;
            }
        }
    }
    if (end == moves && pos.currentState->checkers != 0) return matedScore<Us>(pos);
    return Us == White ? alpha : beta;
}

}  // namespace

int32_t quiesceWhite(Position& pos, int32_t alpha, int32_t beta, int32_t qdepth) {
    return quiesceFor<White>(pos, alpha, beta, qdepth);
}
int32_t quiesceBlack(Position& pos, int32_t alpha, int32_t beta, int32_t qdepth) {
    return quiesceFor<Black>(pos, alpha, beta, qdepth);
}

}  // namespace early
