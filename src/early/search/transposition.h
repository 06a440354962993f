// The earlier engine's two transposition tables, one for White to move and one for Black
// to move. The probe key holds no side-to-move part: the choice of table takes its place,
// and each search half reads and writes only its own side's table.
#pragma once

#include <cstdint>

#include "move.h"
#include "position.h"
#include "types.h"

namespace early {

// Bound codes, from the point of view of the side to move at the node, so the same code
// means opposite bounds in the two tables:
//   BOUND_EXACT           exact in both tables
//   BOUND_NO_IMPROVEMENT  White table: at most `score`; Black table: at least `score`
//   BOUND_CUTOFF          White table: at least `score`; Black table: at most `score`
// A never-written entry has bound 0, which answers nothing.
constexpr int32_t BOUND_EXACT = 1;
constexpr int32_t BOUND_NO_IMPROVEMENT = 2;
constexpr int32_t BOUND_CUTOFF = 4;

// One entry, six 32-bit words (24 bytes):
//   check     high 32 bits of the probe key
//   move      best move found at the node, 0 = none
//   score     the node's result, from White's side
//   bound     one of the codes above
//   depth     remaining depth of the search that stored the entry
//   searchId  the position's searchId when the entry was stored
struct TtEntry {
    uint32_t check;
    Move move;
    int32_t score;
    int32_t bound;
    int32_t depth;
    int32_t searchId;
};
static_assert(sizeof(TtEntry) == 24);

#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
// Small enough to be cleared before every fuzz input, so each input runs alike.
constexpr uint32_t TT_ENTRIES = 1u << 14;
#else
constexpr uint32_t TT_ENTRIES = 1u << 21;  // 48 MiB per table
#endif
constexpr uint32_t TT_INDEX_MASK = TT_ENTRIES - 1;

// Static, zero at start, never cleared: entries serve from search to search and from game
// to game whenever their check word matches.
extern TtEntry ttWhite[TT_ENTRIES];
extern TtEntry ttBlack[TT_ENTRIES];

template <Color Us> inline TtEntry* ttOf() { return Us == White ? ttWhite : ttBlack; }

constexpr uint32_t keyLow(uint64_t key) { return static_cast<uint32_t>(key); }
constexpr uint32_t keyHigh(uint64_t key) { return static_cast<uint32_t>(key >> 32); }

// The entry of the side's table at the key's index when its check word matches, else null.
template <Color Us> inline const TtEntry* probeTable(uint32_t low, uint32_t high) {
    const TtEntry* entry = &ttOf<Us>()[low & TT_INDEX_MASK];
    return entry->check == high ? entry : nullptr;
}

// The Black half's lookup in ttBlack.
const TtEntry* probeHash(uint32_t low, uint32_t high);

// Within one search a deeper entry is never replaced by a shallower one, whichever
// position it belongs to (the check word is not compared); equal depths and entries of any
// other search are overwritten.
inline void storeHash(TtEntry* table, int32_t searchId, int32_t depth, uint64_t key, Move move, int32_t score,
                      int32_t bound) {
    TtEntry& entry = table[keyLow(key) & TT_INDEX_MASK];
    if (entry.searchId == searchId && entry.depth > depth) return;
    entry.check = keyHigh(key);
    entry.move = move;
    entry.score = score;
    entry.bound = bound;
    entry.depth = depth;
    entry.searchId = searchId;
}

template <Color Us>
inline void storeHash(int32_t searchId, int32_t depth, uint64_t key, Move move, int32_t score, int32_t bound) {
    storeHash(ttOf<Us>(), searchId, depth, key, move, score, bound);
}

// The cut-off rule of an interior node of side Us for a matching entry: true with the
// node's result when the entry is deep enough and its bound decides the window.
template <Color Us>
inline bool ttCutoff(const TtEntry& entry, int32_t alpha, int32_t beta, int32_t depth, int32_t& result) {
    if (entry.depth < depth) return false;
    if (entry.bound == BOUND_EXACT) {
        result = entry.score;
        return true;
    }
    // White's "no improvement" is an upper bound, Black's a lower bound, and the reverse
    // for a cut-off.
    if constexpr (Us == White) {
        if (entry.bound == BOUND_NO_IMPROVEMENT && entry.score <= alpha) {
            result = alpha;
            return true;
        }
        if (entry.bound == BOUND_CUTOFF && entry.score >= beta) {
            result = beta;
            return true;
        }
    } else {
        if (entry.bound == BOUND_NO_IMPROVEMENT && entry.score >= beta) {
            result = beta;
            return true;
        }
        if (entry.bound == BOUND_CUTOFF && entry.score <= alpha) {
            result = alpha;
            return true;
        }
    }
    return false;
}

}  // namespace early
