#include "ordering.h"

#include "see.h"

namespace {

template <Color Us> void scoreMoves(const Position& position, ScoredMove* scored, const Move* list, Move hashMove) {
    constexpr MoveKind FirstCapture = coloredKind<Us>(MOVE_CPT_WP), LastCapture = coloredKind<Us>(MOVE_CPT_WK);
    const PlyState& ply = *position.currentPly;
    for (; *list; ++list, ++scored) {
        const Move move = *list;
        const MoveKind kind = moveKind(move);
        int32_t key;
        if (move == hashMove) key = KEY_HASH_MOVE;
        else if (move == ply.killer1) key = KEY_KILLER1;
        else if (move == ply.killer2) key = KEY_KILLER2;
        else if (kind < FirstCapture || kind > LastCapture) key = position.history[move & 0xFFF];
        else {
            // Piece kinds compare by code within a colour: P < N < D < L < R < Q < K. Taking
            // a dearer piece wins whatever follows, and a legal king capture cannot be
            // answered, so neither needs the exchange.
            const PieceCode mover = kindMoverPiece[kind] & 7, victim = moveVictim(move) & 7;
            if (mover >= victim && mover != KING)
                key = KEY_CAPTURE_BASE + staticExchangeEval<Us>(position, move);
            else key = KEY_WINNING_CAPTURE;
        }
        *scored = {move, key};
    }
    *scored = {0, 0};
}

}  // namespace

void scoreMovesWhite(const Position& position, ScoredMove* scored, const Move* list, Move hashMove) {
    scoreMoves<White>(position, scored, list, hashMove);
}
void scoreMovesBlack(const Position& position, ScoredMove* scored, const Move* list, Move hashMove) {
    scoreMoves<Black>(position, scored, list, hashMove);
}
