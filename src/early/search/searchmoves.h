// Colour-fixed access to generation and make/unmake for the search routines.
#pragma once

#include "makemove.h"
#include "movegen.h"
#include "position.h"
#include "score.h"

namespace early {

// All legal moves of the side to move: every move, the king moves in double check, the
// evasions in single check.
template <Color Us> inline Move* generateSearchMoves(const Position& pos, Move* list) {
    if constexpr (Us == White) {
        const Bitboard checkers = pos.currentState->checkers;
        if (checkers == 0) return generateMovesWhite(pos, list);
        if (checkers & (checkers - 1)) return generateKingMovesWhite(pos, list);
        return generateEvasionsWhite(pos, list);
    } else {
        return generateSearchMovesBlack(pos, list);
    }
}

template <Color Us> inline Move* generateQuiescenceMoves(const Position& pos, Move* list) {
    return Us == White ? generateQuiescenceMovesWhite(pos, list) : generateQuiescenceMovesBlack(pos, list);
}

// False, with nothing changed, when the state stack has no record left.
template <Color Us> [[nodiscard]] inline bool makeMoveOf(Position& pos, Move move) {
    return Us == White ? makeMoveWhite(pos, move) : makeMoveBlack(pos, move);
}

template <Color Us> inline void unmakeMoveOf(Position& pos, Move move) {
    if constexpr (Us == White)
        unmakeMoveWhite(pos, move);
    else
        unmakeMoveBlack(pos, move);
}

// The score of the side Us mated at the current node, by its own moves since the root.
// The mated side's own counter against the root side's counter at the start of the search.
template <Color Us> inline int32_t matedScore(const Position& pos) {
    if constexpr (Us == White)
        return pos.movesMadeWhite - pos.rootPly - MATE_SCORE;
    else
        return pos.rootPly - pos.movesMadeBlack + MATE_SCORE;
}

}  // namespace early
