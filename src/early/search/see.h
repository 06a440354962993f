// Static exchange evaluation on the target square of a capture or push-promotion, from the
// mover's side. It works on a copy of the occupancy only: each man used leaves it, so
// sliders behind him join the exchange.
#pragma once

#include <cstdint>

#include "move.h"
#include "position.h"
#include "types.h"

namespace early {

// By piece code; the king is worth 0, so a push-promotion (captured field 0) starts even
// and a recapture by the king always counts.
inline constexpr int32_t PIECE_VALUE[PIECE_CODES] = {0, 950, 500, 300, 300, 100, 0, 950, 500, 300, 300, 100};

// The kinds ordered and filtered by the exchange value: push-promotions and the captures by
// king, queen, rook, bishop, knight and pawn. Capture-promotions, en passant, castling and
// quiet moves are ordered by history.
// clang-format off
inline constexpr bool KIND_SEE_ORDERED[MOVE_KINDS] = {
    false, true, true, true, true, true, true, true, false, false, false, false, false, false, false, false,
    false, true, true, true, true, true, true, true, false, false, false, false, false, false, false, false,
};
// clang-format on

int32_t seeWhite(const Position& pos, Move move);
int32_t seeBlack(const Position& pos, Move move);
int32_t seeWhite(Move move);  // gamePosition
int32_t seeBlack(Move move);

template <Color Us> inline int32_t see(const Position& pos, Move move) {
    return Us == White ? seeWhite(pos, move) : seeBlack(pos, move);
}

}  // namespace early
