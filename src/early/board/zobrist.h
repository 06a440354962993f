// Zobrist keys of the earlier engine. The values are constants of the program, produced at
// compile time by a fixed generator; the opening books hold keys made from them.
#pragma once

#include <cstdint>

#include "types.h"

namespace early {

struct Position;

struct ZobristValues {
    uint64_t piece[12][64];
    uint64_t epFile[8];
    uint64_t castle[16];
};

// splitmix64 over a fixed seed: consecutive outputs come from a bijective mix of distinct
// counter values, so all 792 keys differ.
constexpr ZobristValues makeZobristValues() {
    ZobristValues z{};
    uint64_t state = 0x6A09E667F3BCC908ULL;
    auto next = [&state]() {
        state += 0x9E3779B97F4A7C15ULL;
        uint64_t x = state;
        x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
        x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
        return x ^ (x >> 31);
    };
    for (auto& row : z.piece)
        for (uint64_t& key : row) key = next();
    for (uint64_t& key : z.epFile) key = next();
    for (uint64_t& key : z.castle) key = next();
    return z;
}

inline constexpr ZobristValues ZOBRIST_VALUES = makeZobristValues();
inline constexpr const uint64_t (&zobristPiece)[12][64] = ZOBRIST_VALUES.piece;
inline constexpr const uint64_t (&zobristEpFile)[8] = ZOBRIST_VALUES.epFile;
inline constexpr const uint64_t (&zobristCastle)[16] = ZOBRIST_VALUES.castle;

// The key of the men alone: castling rights, en passant and the side to move play no part.
uint64_t computeHashKey(const Position& pos);

// The table and book key: the men's key with the castling rights and the en-passant file
// folded in. The two sides use separate tables and books, so no side key exists.
uint64_t probeKey(const Position& pos);

}  // namespace early
