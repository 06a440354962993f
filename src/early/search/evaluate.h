// The earlier engine's static evaluation, from White's side. Each side's terms are summed
// into one packed total and tapered by that side's own number of men.
#pragma once

#include <cstdint>

#include "position.h"
#include "types.h"

namespace early {

// The halves of a PackedScore. The endgame half is the low 16 bits read as signed; a
// negative endgame half borrows one from the top, so the opening half is what remains
// after taking the endgame half away, which gives back a for packScore(a, b) whatever the
// sign of b.
constexpr int32_t packedEndgame(PackedScore s) { return static_cast<int16_t>(static_cast<uint32_t>(s) & 0xFFFF); }
constexpr int32_t packedOpening(PackedScore s) { return (s - packedEndgame(s)) >> 16; }

// A side of n men weighs the endgame half (16 - n) / 16 and the opening half n / 16.
constexpr int32_t taper(PackedScore s, int32_t men) {
    return ((16 - men) * packedEndgame(s) + men * packedOpening(s)) >> 4;
}

// Material and square sums alone, tapered per side: the lazy estimate of the quiescence
// search and the futility test of the nodes.
inline int32_t materialBalance(const Position& pos) {
    return taper(pos.pstSumWhite, pos.menCountWhite) - taper(pos.pstSumBlack, pos.menCountBlack);
}

// Each side's packed total before the taper: its sums plus its piece, mobility and pawn
// terms.
PackedScore evaluationTotalWhite(const Position& pos);
PackedScore evaluationTotalBlack(const Position& pos);

int32_t evaluate(const Position& pos);
int32_t evaluate();  // gamePosition

}  // namespace early
