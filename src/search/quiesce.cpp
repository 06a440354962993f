#include "quiesce.h"

#include "evaluate.h"
#include "makemove.h"
#include "movegen.h"
#include "plystack.h"
#include "search.h"
#include "see.h"

namespace {

template <Color Us> void scoreCaptures(const Position& position, const Move* list, ScoredMove* scored) {
    constexpr MoveKind FirstCapture = coloredKind<Us>(MOVE_CPT_WP), LastCapture = coloredKind<Us>(MOVE_CPT_WK);
    for (; *list; ++list, ++scored) {
        const Move move = *list;
        const MoveKind kind = moveKind(move);
        const int32_t key = kind >= FirstCapture && kind <= LastCapture
                                ? 1000000 + 32 * moveVictim(move) - kindMoverPiece[kind]
                                : position.history[move & 0xFFF];
        *scored = {move, key};
    }
    *scored = {0, 0};
}

// Whether a capture is worth a quiescence node: promotions always, a capture of a piece worth
// at least the mover, otherwise only an exchange that does not lose.
template <Color Us> inline bool worthSearching(const Position& position, Move move) {
    const MoveKind kind = moveKind(move);
    if (kind == coloredKind<Us>(MOVE_CPA_WP) || kind == coloredKind<Us>(MOVE_ADV_WP)) return true;
    // Deliberate: the pawn values differ by colour (320 for White's, 100 for Black's).
    if constexpr (Us == White) static_assert(quiescenceValue[PAWN] == 320);
    else static_assert(quiescenceValue[PAWN + BLACK_OFFSET] == 100);
    if (quiescenceValue[moveVictim(move)] >= quiescenceValue[kindMoverPiece[kind]]) return true;
    return staticExchangeEval<Us>(position, move) > SEE_EVEN - 1;
}

}  // namespace

void scoreCapturesWhite(const Position& position, const Move* list, ScoredMove* scored) {
    scoreCaptures<White>(position, list, scored);
}
void scoreCapturesBlack(const Position& position, const Move* list, ScoredMove* scored) {
    scoreCaptures<Black>(position, list, scored);
}

template <Color Us> Score quiesce(Position& position, Score alpha, Score beta) {
    constexpr Color Them = opposite(Us);
    ++position.quiescenceNodes;
    if (static_cast<uint32_t>(position.searchPly) < MAX_PLIES) ++position.quiescenceNodesByPly[position.searchPly];
    position.currentPly->pv[0] = 0;

    // White raises alpha and cuts at beta; Black lowers beta and cuts at alpha.
    Score& ownBound = Us == White ? alpha : beta;
    Score& otherBound = Us == White ? beta : alpha;
    Score e = evaluateWithMaterialCases(position);
    const bool inCheck = position.currentPly->checkers != 0;
    if (!inCheck) {
        // Deliberate: the same +10 for both colours, so the stand pat leans towards White.
        if constexpr (Us == White) e += 10;
        else e += 10;
        if (!improves<Us>(otherBound, e)) return otherBound;
        if (improves<Us>(e, ownBound)) ownBound = e;
    }

    Move list[MOVE_LIST_SIZE];
    const Move* end = inCheck ? generateMoves<Us>(position, list) : generateCaptures<Us>(position, list);
    if (end == list) {
        // In check without a move is mate; without a capture the stand pat holds, even in a
        // stalemate, which is not looked for here.
        if (inCheck) return matedScore<Us>(position.searchPly);
        return ownBound;
    }
    // With no slot left to play a move into, the static value stands, held inside the window.
    if (!plyStackHasRoom(position)) return e < alpha ? alpha : e > beta ? beta : e;

    ScoredMove scored[SCORED_LIST_SIZE];
    scoreCaptures<Us>(position, list, scored);
    for (int i = 0; scored[i].move != 0; ++i) {
        const Move move = selectMove(scored, i);
        if (!inCheck && !worthSearching<Us>(position, move)) continue;
        makeMove<Us>(position, move);
        const Score v = quiesce<Them>(position, alpha, beta);
        unmakeMove<Us>(position, move);
        if (!improves<Us>(otherBound, v)) return otherBound;
        if (improves<Us>(v, ownBound)) ownBound = v;
    }
    return ownBound;
}

template Score quiesce<White>(Position& position, Score alpha, Score beta);
template Score quiesce<Black>(Position& position, Score alpha, Score beta);

Score quiesceWhite(Position& position, Score alpha, Score beta) { return quiesce<White>(position, alpha, beta); }
Score quiesceBlack(Position& position, Score alpha, Score beta) { return quiesce<Black>(position, alpha, beta); }
