#include "search.h"

#include <cstddef>

#include "clock.h"
#include "evaluate.h"
#include "ordering.h"
#include "quiesce.h"
#include "searchmoves.h"
#include "see.h"
#include "transposition.h"
#include "zobrist.h"

namespace early {

namespace {

// (move & 0x38) of a to-square on the seventh rank (White) or the second (Black).
template <Color Us> constexpr Move SEVENTH_RANK_TARGET = Us == White ? 0x30 : 0x08;

bool insufficientMaterial(const Position& pos) {
    if (pos.pieceBits[WHITE_PAWN] | pos.pieceBits[BLACK_PAWN]) return false;
    const int32_t w = pos.menCountWhite, b = pos.menCountBlack;
    if (w == 1 && b == 1) return true;
    if (w == 2 && b == 1) return (pos.pieceBits[WHITE_BISHOP] | pos.pieceBits[WHITE_KNIGHT]) != 0;
    if (w == 1 && b == 2) return (pos.pieceBits[BLACK_BISHOP] | pos.pieceBits[BLACK_KNIGHT]) != 0;
    return false;
}

// One earlier occurrence is enough inside the search; the walk compares only the key and
// goes back to the first record, across captures and pawn moves.
bool repeatsEarlierPosition(const Position& pos) {
    const uint64_t key = pos.currentState->key;
    for (ptrdiff_t i = (pos.currentState - pos.stateStack) - 2; i >= 0; i -= 2)
        if (pos.stateStack[i].key == key) return true;
    return false;
}

template <Color Us> constexpr bool improves(int32_t v, int32_t alpha, int32_t beta) {
    return Us == White ? v > alpha : v < beta;
}
template <Color Us> constexpr bool cutsOff(int32_t v, int32_t alpha, int32_t beta) {
    return Us == White ? v >= beta : v <= alpha;
}

template <Color Us> int32_t searchFor(Position& pos, int32_t alpha, int32_t beta, int32_t depth, bool afterNull) {
    constexpr Color Them = opposite(Us);
    // Deliberate: only Black's nodes test the stop flag on entry.
    if constexpr (Us == Black)
        if (pos.stopSearch) return STOP_SCORE;
    if (movesMadeOf<Us>(pos) > MAX_SIDE_MOVES) return 0;
    if ((pos.nodes & NODE_POLL_MASK) == 0 && clockReached(currentTimeMs(), pos.searchDeadline)) {
        pos.stopSearch = 1;
        // Deliberate: White's node reports the stop value, Black's 0; callers drop both.
        if constexpr (Us == White)
            return STOP_SCORE;
        else
            return 0;
    }
    if (isNodeDraw(pos, afterNull)) return 0;

    Move bestMove = 0, hashMove = 0;
    int searched = 0;
    int32_t bound = BOUND_NO_IMPROVEMENT;
    const bool inCheck = pos.currentState->checkers != 0;
    const bool pvNode = beta - alpha > 1;
    ++pos.nodes;

    const uint64_t key = probeKey(pos);
    if (const TtEntry* entry = probeTable<Us>(keyLow(key), keyHigh(key)); entry != nullptr) {
        int32_t result;
        if (ttCutoff<Us>(*entry, alpha, beta, depth, result)) return result;
        hashMove = entry->move;
    }

    if (depth < 1) return quiesce<Us>(pos, alpha, beta, depth);

    // No record left for a move or a null move: the evaluation stands for the subtree.
    if (!hasFreeState(pos)) return evaluate(pos);

    if (depth <= 1 && !inCheck && !pvNode) {
        const int32_t s = materialBalance(pos);
        if constexpr (Us == White) {
            if (s >= beta + FUTILITY_MARGIN) return beta;
        } else {
            if (s <= alpha - FUTILITY_MARGIN) return alpha;
        }
    }

    if (!pvNode && depth >= 3 && !inCheck && !afterNull) {
        const StateRecord& current = *pos.currentState;
        StateRecord& next = *pos.nextState;
        next.key = current.key;
        next.checkers = current.checkers;
        next.castling = current.castling;
        next.halfmoveClock = current.halfmoveClock;
        next.epSquare = NO_SQUARE;
        ++pos.currentState;
        ++pos.nextState;
        ++movesMadeOf<Us>(pos);
        pos.sideToMove = Us == White ? 1 : 0;
        const int32_t reduction = depth < 6 ? 3 : 4;
        int32_t v;
        if constexpr (Us == White)
            v = search<Them>(pos, beta - 1, beta, depth - reduction, true);
        else
            v = search<Them>(pos, alpha, alpha + 1, depth - reduction, true);
        --pos.currentState;
        --pos.nextState;
        --movesMadeOf<Us>(pos);
        pos.sideToMove = Us == White ? 0 : 1;
        if constexpr (Us == White) {
            if (v >= beta) return beta;
        } else {
            if (v <= alpha) return alpha;
        }
    }

    MoveList moves;
    ScoredMoveList list;
    clearScoredMoveList(list);
    const int n = static_cast<int>(generateSearchMoves<Us>(pos, moves) - moves);
    scoreMoves<Us>(pos, moves, list, hashMove);

    for (int i = 0; list[i].move != 0; ++i) {
        const Move m = pickBestMove(list, i);
        if (!makeMoveOf<Us>(pos, m)) break;
        const MoveKind kind = moveKind(m);
        int32_t d = depth - 1;
        if (pos.currentState->checkers != 0)
            d = depth;
        else if (pvNode && n == 1)
            d = depth;
        else if (KIND_PIECE[kind] == pieceOf(Us, WHITE_PAWN) && (m & 0x38) == SEVENTH_RANK_TARGET<Us>)
            d = depth;
        else if (!pvNode && depth >= 3 && !inCheck && !KIND_SEE_ORDERED[kind] && !KIND_IS_PROMOTION[kind] &&
                 searched >= 4)
            d = depth - 2;

        int32_t v;
        if (searched == 0) {
            v = search<Them>(pos, alpha, beta, d, false);
        } else {
            // Later moves get a null window on the side's own edge first.
            if constexpr (Us == White)
                v = search<Them>(pos, alpha, alpha + 1, d, false);
            else
                v = search<Them>(pos, beta - 1, beta, d, false);
            if (alpha < v && v < beta) v = search<Them>(pos, alpha, beta, d, false);
        }
        unmakeMoveOf<Us>(pos, m);
        ++searched;
        if (pos.stopSearch) return 0;

        if (improves<Us>(v, alpha, beta)) {
            bound = BOUND_EXACT;
            recordNewBest<Us>(pos, m);
            bestMove = m;
            (Us == White ? alpha : beta) = v;
            if (cutsOff<Us>(v, alpha, beta)) {
                bound = BOUND_CUTOFF;
                break;
            }
        }
    }

    int32_t& result = Us == White ? alpha : beta;
    if (n == 0) result = inCheck ? matedScore<Us>(pos) : 0;
    storeHash<Us>(pos.searchId, depth, key, bestMove, result, bound);
    return result;
}

}  // namespace

bool isNodeDraw(const Position& pos, bool afterNull) {
    if (pos.currentState->halfmoveClock >= 100) return true;
    if (insufficientMaterial(pos)) return true;
    return !afterNull && repeatsEarlierPosition(pos);
}

int32_t searchWhite(Position& pos, int32_t alpha, int32_t beta, int32_t depth, bool afterNull) {
    return searchFor<White>(pos, alpha, beta, depth, afterNull);
}
int32_t searchBlack(Position& pos, int32_t alpha, int32_t beta, int32_t depth, bool afterNull) {
    return searchFor<Black>(pos, alpha, beta, depth, afterNull);
}

}  // namespace early
