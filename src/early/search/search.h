// The interior nodes of the earlier engine's alpha-beta search, one per side to move,
// each calling the other for the replies. Minimax: White maximises, Black minimises, and
// every score is from White's side.
#pragma once

#include <cstdint>

#include "position.h"

namespace early {

constexpr int32_t NODE_POLL_MASK = 0x7FF;  // the clock is read when nodes & mask is 0
constexpr int32_t FUTILITY_MARGIN = 150;

// alpha < beta, White's view; depth in plies, 0 or less hands over to the capture search;
// afterNull when a null move led here. Once stopSearch is set the result means nothing
// and every caller drops it. The position is left as found.
int32_t searchWhite(Position& pos, int32_t alpha, int32_t beta, int32_t depth, bool afterNull);
int32_t searchBlack(Position& pos, int32_t alpha, int32_t beta, int32_t depth, bool afterNull);

template <Color Us>
inline int32_t search(Position& pos, int32_t alpha, int32_t beta, int32_t depth, bool afterNull) {
    return Us == White ? searchWhite(pos, alpha, beta, depth, afterNull)
                       : searchBlack(pos, alpha, beta, depth, afterNull);
}

// Drawn at a node: a halfmove clock of 100, kings with at most one minor piece between
// them and no pawn, or (unless afterNull) the same key an even number of records back.
bool isNodeDraw(const Position& pos, bool afterNull);

}  // namespace early
