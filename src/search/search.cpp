#include "search.h"

#include "clock.h"
#include "draw.h"
#include "evaluate.h"
#include "makemove.h"
#include "movegen.h"
#include "ordering.h"
#include "platform.h"
#include "plystack.h"
#include "quiesce.h"
#include "tables.h"
#include "transposition.h"

namespace {

// The draws every main-search node tests first. A repetition below a null move is no
// draw: the null move is not a move the game could repeat.
inline bool isDrawByRule(const Position& position) {
    if (position.currentPly->reversibleCount >= 100) return true;
    return position.nullMovesOnLine == 0 && repetitionCount(position) >= 3;
}

inline void updateHistory(Position& position, Move move, int depth) {
    int32_t& entry = position.history[move & 0xFFF];
    entry += depth * depth;
    if (entry >= position.historyLimit)
        for (int32_t& h : position.history) h >>= 1;
}

inline void updateKillers(PlyState& ply, Move move) {
    if (move == ply.killer1) return;
    ply.killer2 = ply.killer1;
    ply.killer1 = move;
}

template <Color Us> inline bool isCaptureByPiece(Move move) {
    const MoveKind kind = moveKind(move);
    return kind >= coloredKind<Us>(MOVE_CPT_WP) && kind <= coloredKind<Us>(MOVE_CPT_WK);
}

template <Color Us> inline bool isPassedPawnPush(const Position& position, Move move) {
    constexpr Color Them = opposite(Us);
    if (moveKind(move) != coloredKind<Us>(MOVE_NRM_WP)) return false;
    const Bitboard* span = Us == White ? passedPawnMaskWhite : passedPawnMaskBlack;
    return (span[moveFrom(move)] & pieces<Them>(position, PAWN)) == 0;
}

// Takes back a null move: it changed nothing on the board.
template <Color Us> inline void undoNullMove(Position& position) {
    --position.currentPly;
    --position.nextPly;
    --position.searchPly;
    --position.nullMovesOnLine;
    position.sideToMove = Us;
}

// The value a node returns once the search has been told to stop; the root throws it away.
template <Color Us> constexpr Score stoppedScore(bool pvNode) {
    // Deliberate: Black's PV node answers a stop with the even score, every other node with 0.
    if constexpr (Us == White) return 0;
    else return pvNode ? SCORE_DRAW : 0;
}

// Tells the search to stop once the deadline has passed or, in White's nodes, input waits.
// Looked at only when the zero-window count hits the poll mask.
template <Color Us> inline void pollForStop(Position& position) {
    if ((static_cast<uint32_t>(position.zeroWindowNodes) & NODE_POLL_MASK) != 0) return;
    // Deliberate: only White's nodes look for waiting input; Black's watch the clock alone.
    if constexpr (Us == White) {
        if (platform::inputWaiting()) position.stopSearch = 1;
    }
    if (nowCentiseconds() > position.searchDeadline) position.stopSearch = 1;
}

template <Color Us> inline void scoreNodeMoves(const Position& position, ScoredMove* scored, const Move* list, Move hashMove) {
    Us == White ? scoreMovesWhite(position, scored, list, hashMove) : scoreMovesBlack(position, scored, list, hashMove);
}

// Takes a searched move's score into the node: its best score and move, and, when the score
// improves the node's own bound (White: alpha, Black: beta), that bound, the stored bound
// kind, the line and the history. True on a cutoff, where the score also reaches the other
// bound; a cutoff by a quiet move, promotion or en passant also makes it a killer.
template <Color Us>
inline bool takeScore(Position& position, PlyState& ply, Move move, Score v, int depth, Score& alpha, Score& beta,
                      TtBound& bound) {
    if (improves<Us>(v, ply.bestScore)) {
        ply.bestScore = v;
        ply.bestMove = move;
    }
    Score& ownBound = Us == White ? alpha : beta;
    const Score otherBound = Us == White ? beta : alpha;
    if (!improves<Us>(v, ownBound)) return false;
    ownBound = v;
    bound = BOUND_EXACT;
    updatePv(position, move);
    updateHistory(position, move, depth);
    if (improves<Us>(otherBound, v)) return false;
    if (!isCaptureByPiece<Us>(move)) updateKillers(ply, move);
    bound = Us == White ? BOUND_LOWER : BOUND_UPPER;
    return true;
}

template <Color Us> Score searchZeroWindow(Position& position, Score alpha, Score beta, int depth, int afterNullMove) {
    constexpr Color Them = opposite(Us);
    ++position.zeroWindowNodes;
    PlyState& ply = *position.currentPly;
    ply.pv[0] = 0;
    if (isDrawByRule(position)) return SCORE_DRAW;

    ply.bestMove = 0;
    ply.bestScore = worstScore<Us>();
    TtBound bound = Us == White ? BOUND_UPPER : BOUND_LOWER;
    const bool inCheck = ply.checkers != 0;
    // Without a slot to play into, the quiescence gives the static value.
    if (depth <= 0 || !plyStackHasRoom(position)) return quiesce<Us>(position, alpha, beta);

    Move hashMove = 0;
    Score stored;
    if (ttProbe<Us>(position, alpha, beta, depth, hashMove, stored)) return stored;

    if (!inCheck && !afterNullMove) {
        // Deliberate: each colour passes when the estimate is not far on the wrong side of its
        // own bound (White: alpha, Black: beta), and tests the reply against that bound.
        if constexpr (Us == White) {
            if (quickEval(position) >= alpha - NULL_MOVE_MARGIN) {
                makeNullMoveWhite(position);
                const Score v = searchZeroWindow<Black>(position, beta - 1, beta, depth - 4, 1);
                undoNullMove<White>(position);
                if (v >= beta) return beta;
            }
        } else {
            if (quickEval(position) <= beta + NULL_MOVE_MARGIN) {
                makeNullMoveBlack(position);
                const Score v = searchZeroWindow<White>(position, alpha, alpha + 1, depth - 4, 1);
                undoNullMove<Black>(position);
                if (v <= alpha) return alpha;
            }
        }
    }

    Move list[MOVE_LIST_SIZE];
    const int count = static_cast<int>(generateMoves<Us>(position, list) - list);
    ScoredMove scored[SCORED_LIST_SIZE];
    scoreNodeMoves<Us>(position, scored, list, hashMove);

    for (int i = 0; i < count; ++i) {
        const Move move = selectMove(scored, i);
        makeMove<Us>(position, move);
        // The replies' window: one point at the node's own bound.
        const Score childAlpha = Us == White ? alpha : beta - 1;
        Score v;
        if (position.currentPly->checkers) {
            v = searchZeroWindow<Them>(position, childAlpha, childAlpha + 1, depth, 0);  // a check keeps its depth
        } else if (!inCheck && depth >= 2 && i >= 2 && moveKind(move) >= coloredKind<Us>(MOVE_JMP_WP) &&
                   !isPassedPawnPush<Us>(position, move)) {
            // Late quiet moves get a shallow look first, and the full depth only when that
            // look does not refute them.
            v = searchZeroWindow<Them>(position, childAlpha, childAlpha + 1, depth - 3, 0);
            if (improves<Us>(v, Us == White ? alpha : beta))
                v = searchZeroWindow<Them>(position, childAlpha, childAlpha + 1, depth - 1, 0);
        } else {
            v = searchZeroWindow<Them>(position, childAlpha, childAlpha + 1, depth - 1, 0);
        }
        unmakeMove<Us>(position, move);

        if (takeScore<Us>(position, ply, move, v, depth, alpha, beta, bound)) break;  // no poll after a cutoff
        pollForStop<Us>(position);
        if (position.stopSearch) return stoppedScore<Us>(false);
    }

    if (count == 0) return inCheck ? matedScore<Us>(position.searchPly) : SCORE_DRAW;
    // A cutoff may have come from a child that was stopped; its score means nothing.
    if (position.stopSearch) return stoppedScore<Us>(false);
    ttStore<Us>(position, depth, ply.bestScore, ply.bestMove, bound);
    return ply.bestScore;
}

template <Color Us> Score searchPv(Position& position, Score alpha, Score beta, int depth) {
    constexpr Color Them = opposite(Us);
    ++position.pvNodes;
    PlyState& ply = *position.currentPly;
    ply.pv[0] = 0;
    if (isDrawByRule(position)) return SCORE_DRAW;
    if (depth <= 0) return quiesce<Us>(position, alpha, beta);

    ply.bestMove = 0;
    ply.bestScore = worstScore<Us>();
    TtBound bound = Us == White ? BOUND_UPPER : BOUND_LOWER;
    // Without a slot to play into, the quiescence gives the static value.
    if (!plyStackHasRoom(position)) return quiesce<Us>(position, alpha, beta);
    // A PV node takes only the stored move, never the stored score.
    const Move hashMove = ttProbeMove<Us>(position);
    const bool inCheck = ply.checkers != 0;

    Move list[MOVE_LIST_SIZE];
    const int count = static_cast<int>(generateMoves<Us>(position, list) - list);
    ScoredMove scored[SCORED_LIST_SIZE];
    scoreNodeMoves<Us>(position, scored, list, hashMove);

    for (int i = 0; i < count; ++i) {
        const Move move = selectMove(scored, i);
        makeMove<Us>(position, move);
        // A check, or the only legal move, is searched without losing depth.
        const int childDepth = position.currentPly->checkers || count == 1 ? depth : depth - 1;
        Score v;
        if (i == 0) {
            v = searchPv<Them>(position, alpha, beta, childDepth);
        } else {
            // Later moves are first only tested against the bound of the side to move.
            const Score childAlpha = Us == White ? alpha : beta - 1;
            v = searchZeroWindow<Them>(position, childAlpha, childAlpha + 1, childDepth, 0);
            if (alpha < v && v < beta) v = searchPv<Them>(position, alpha, beta, childDepth);
        }
        unmakeMove<Us>(position, move);

        if (takeScore<Us>(position, ply, move, v, depth, alpha, beta, bound)) break;
        pollForStop<Us>(position);
        if (position.stopSearch) return stoppedScore<Us>(true);
    }

    if (count == 0) return inCheck ? matedScore<Us>(position.searchPly) : SCORE_DRAW;
    // A cutoff may have come from a child that was stopped; its score means nothing.
    if (position.stopSearch) return stoppedScore<Us>(true);
    // Deliberate: White's PV node stores and returns its raised alpha, Black's its best score.
    if constexpr (Us == White) {
        ttStore<Us>(position, depth, alpha, ply.bestMove, bound);
        return alpha;
    } else {
        ttStore<Us>(position, depth, ply.bestScore, ply.bestMove, bound);
        return ply.bestScore;
    }
}

}  // namespace

void updatePv(Position& position, Move move) {
    Move* line = position.currentPly->pv;
    const Move* childLine = position.nextPly->pv;
    line[0] = move;
    int n = 0;
    while (n < PV_LENGTH - 2 && childLine[n] != 0) {
        line[n + 1] = childLine[n];
        ++n;
    }
    line[n + 1] = 0;
}

bool isPassedPawnPushWhite(const Position& position, Move move) { return isPassedPawnPush<White>(position, move); }
bool isPassedPawnPushBlack(const Position& position, Move move) { return isPassedPawnPush<Black>(position, move); }

Score searchZeroWindowWhite(Position& position, Score alpha, Score beta, int depth, int afterNullMove) {
    return searchZeroWindow<White>(position, alpha, beta, depth, afterNullMove);
}
Score searchZeroWindowBlack(Position& position, Score alpha, Score beta, int depth, int afterNullMove) {
    return searchZeroWindow<Black>(position, alpha, beta, depth, afterNullMove);
}
Score searchPvWhite(Position& position, Score alpha, Score beta, int depth) {
    return searchPv<White>(position, alpha, beta, depth);
}
Score searchPvBlack(Position& position, Score alpha, Score beta, int depth) {
    return searchPv<Black>(position, alpha, beta, depth);
}
