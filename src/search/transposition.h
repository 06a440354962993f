// The two transposition tables, one for White to move and one for Black to move: the
// position key holds no side-to-move part, the choice of table takes its place.
#pragma once

#include <cstdint>

#include "position.h"
#include "types.h"

// Bounds are from White's side in both tables.
enum TtBound : uint8_t {
    BOUND_NONE = 0,   // the entry only carries a move (the stored line of the last search)
    BOUND_UPPER = 1,  // the true score is at most `score`
    BOUND_EXACT = 2,
    BOUND_LOWER = 3,  // the true score is at least `score`
};

// One entry, 16 bytes:
//   bytes  0-3   keyCheck  high 32 bits of the position key
//   bytes  4-7   move      best move of the node, or the stored line's move; 0 = none
//   bytes  8-11  score     White's view, 8000 = even
//   byte  12     bound     TtBound
//   byte  13     depth     remaining depth of the storing node (low 8 bits); 255 for a line move
//   byte  14     age       low 8 bits of whiteMovesPlayed + blackMovesPlayed when stored
//   byte  15     reserved  never written or read
struct TtEntry {
    uint32_t keyCheck;
    Move move;
    Score score;
    uint8_t bound;
    uint8_t depth;
    uint8_t age;
    uint8_t reserved;
};
static_assert(sizeof(TtEntry) == 16);

#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
// Small enough to be cleared before every fuzz input, so each input runs alike.
constexpr uint32_t TT_ENTRIES = 0x4000;
#else
constexpr uint32_t TT_ENTRIES = 0x400000;  // 64 MiB per table
#endif
constexpr uint64_t TT_MASK = TT_ENTRIES - 1;
constexpr uint8_t TT_LINE_DEPTH = 255;     // deeper than any search, so the search keeps it

// Zero-filled at start-up, never cleared, never released. Entries of earlier searches and
// games stay and serve whenever their check word matches.
extern TtEntry* ttWhite;
extern TtEntry* ttBlack;

// Allocates both tables zero-filled; later calls do nothing. The engine cannot run
// without them, so a failed allocation ends the program.
void allocateTranspositionTables();

template <Color Us> inline TtEntry& ttEntryFor(uint64_t key) {
    return (Us == White ? ttWhite : ttBlack)[key & TT_MASK];
}
constexpr uint32_t ttKeyCheck(uint64_t key) { return static_cast<uint32_t>(key >> 32); }

// The stored move of the current position, 0 when the entry belongs to another one.
template <Color Us> inline Move ttProbeMove(const Position& position) {
    const uint64_t key = position.currentPly->positionKey;
    const TtEntry& entry = ttEntryFor<Us>(key);
    return entry.keyCheck == ttKeyCheck(key) ? entry.move : 0;
}

// The probe of a zero-window node: sets hashMove (0 when nothing matches) and returns
// true with the node's result in `result` when an entry of enough depth decides it.
template <Color Us>
inline bool ttProbe(const Position& position, Score alpha, Score beta, int depth, Move& hashMove, Score& result) {
    const uint64_t key = position.currentPly->positionKey;
    const TtEntry& entry = ttEntryFor<Us>(key);
    if (entry.keyCheck != ttKeyCheck(key)) {
        hashMove = 0;
        return false;
    }
    hashMove = entry.move;
    if (entry.depth < depth) return false;
    switch (entry.bound) {
    case BOUND_EXACT: result = entry.score; return true;
    case BOUND_UPPER: if (entry.score <= alpha) { result = alpha; return true; } break;
    case BOUND_LOWER: if (entry.score >= beta) { result = beta; return true; } break;
    default: break;
    }
    return false;
}

// The store at the end of a searched node. A deeper entry stored in this game ply stays,
// whichever position it belongs to. The age byte is compared with the whole move sum, so
// from the 256th ply of a game on every store replaces.
template <Color Us> inline void ttStore(const Position& position, int depth, Score score, Move move, TtBound bound) {
    const uint64_t key = position.currentPly->positionKey;
    TtEntry& entry = ttEntryFor<Us>(key);
    const int32_t sum = position.whiteMovesPlayed + position.blackMovesPlayed;
    if (entry.age == sum && entry.depth > depth) return;
    entry.keyCheck = ttKeyCheck(key);
    entry.move = move;
    entry.score = score;
    entry.bound = bound;
    entry.depth = static_cast<uint8_t>(depth);
    entry.age = static_cast<uint8_t>(sum);
}

// Writes one move of the last search's line for the position it is played from,
// unconditionally: it carries no score, only the move to try first next time.
template <Color Us> inline void ttStoreLineMove(const Position& position, Move move) {
    const uint64_t key = position.currentPly->positionKey;
    TtEntry& entry = ttEntryFor<Us>(key);
    entry.keyCheck = ttKeyCheck(key);
    entry.move = move;
    entry.score = 0;
    entry.bound = BOUND_NONE;
    entry.depth = TT_LINE_DEPTH;
    entry.age = static_cast<uint8_t>(position.whiteMovesPlayed + position.blackMovesPlayed);
}

// Writes each move of a 0-ended line into the table of the side to move at the position it
// is played from, making the moves on the way and unmaking them all afterwards, so the
// next search tries the line first. The moves must be legal in turn, as a finished
// search's line is. Stops early rather than make a move past the last slot of the ply
// stack, and reads at most PV_LENGTH words of the line.
void storeVariationInHash(const Move* line, Position& position);
