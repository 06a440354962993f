// The capture search that ends every line: captures, promotions and en passant (or the
// evasions when in check), standing pat on the evaluation and skipping captures that lose
// material by exchange. No table, no extension, no depth limit.
#pragma once

#include <cstdint>

#include "position.h"

namespace early {

constexpr int32_t LAZY_MARGIN = 300;

// The window is White's view for both colours; qdepth is handed down reduced by 1 and
// read by nothing else. The position is left as found.
int32_t quiesceWhite(Position& pos, int32_t alpha, int32_t beta, int32_t qdepth);
int32_t quiesceBlack(Position& pos, int32_t alpha, int32_t beta, int32_t qdepth);

template <Color Us> inline int32_t quiesce(Position& pos, int32_t alpha, int32_t beta, int32_t qdepth) {
    return Us == White ? quiesceWhite(pos, alpha, beta, qdepth) : quiesceBlack(pos, alpha, beta, qdepth);
}

}  // namespace early
