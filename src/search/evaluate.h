// Static evaluation: a tapered score over PackedScore terms, with a cache of pawn-structure
// terms keyed by the pawn key.
#pragma once

#include <cstdint>

#include "position.h"
#include "types.h"

// One cache slot. The tag is the high half of the pawn key; the low bits of the key chose the
// slot. An all-zero slot is the correct entry of a position without pawns (key 0, scores 0).
struct PawnHashEntry {
    uint32_t tag;
    PackedScore whiteScore;
    PackedScore blackScore;
    uint8_t unused[12];  // keeps the slot at 24 bytes; never written or read
};
static_assert(sizeof(PawnHashEntry) == 24);

constexpr int PAWN_HASH_SIZE = 0x100000;
constexpr uint64_t PAWN_HASH_MASK = 0xFFFFF;

// Lives for the run and is never cleared: entries of earlier positions and games are reused
// when their tag matches.
extern PawnHashEntry pawnHashTable[PAWN_HASH_SIZE];

// Scratch record of one evaluation, indexed by Color. Each piece term adds its own attacks
// and extends its colour's running union; the other colour's unions bound the mobility areas.
struct EvalAttacks {
    Bitboard pawns[2];
    Bitboard knights[2];
    Bitboard darkBishops[2];
    Bitboard lightBishops[2];
    Bitboard rooks[2];
    Bitboard queens[2];
    Bitboard afterPawns[2];
    Bitboard afterKnights[2];
    Bitboard afterDarkBishops[2];
    Bitboard afterLightBishops[2];
    Bitboard afterRooks[2];
    Bitboard afterQueens[2];
};

// Blends a colour's packed sum by its phase: 8000 is added to both halves, then the
// endgame half weighs (32 - phase) / 32 and the opening half phase / 32. The phase is not
// capped, so extra queens push the weights beyond 0..32.
constexpr Score taper(PackedScore sum, int phase) {
    const int32_t v = static_cast<int32_t>(static_cast<uint32_t>(sum) + 0x1F401F40u);
    const int opening = v >> 16;
    const int endgame = v & 0xFFFF;
    return ((32 - phase) * endgame + phase * opening) >> 5;
}

Score evaluate(const Position& position);
// Fixed verdicts for a few material signatures, otherwise evaluate.
Score evaluateWithMaterialCases(const Position& position);
// The verdict of a material signature for an evaluation e: a fixed score, e shifted by a
// clear win, e's advantage scaled (truncated toward zero), or e itself.
Score applyMaterialCases(MaterialKey materialKey, Score e);
// Cheap estimate from the running piece-square sums, material included.
Score quickEval(const Position& position);

// One colour's pawn structure, piece-square values included.
PackedScore evalPawnsWhite(const Position& position);
PackedScore evalPawnsBlack(const Position& position);

// The piece terms; `attacks` must hold both colours' pawn attacks, and the terms must run
// in the order of evaluate, since each reads the other colour's unions.
PackedScore evalKnightsWhite(const Position& position, EvalAttacks& attacks);
PackedScore evalKnightsBlack(const Position& position, EvalAttacks& attacks);
PackedScore evalDarkBishopsWhite(const Position& position, EvalAttacks& attacks);
PackedScore evalDarkBishopsBlack(const Position& position, EvalAttacks& attacks);
PackedScore evalLightBishopsWhite(const Position& position, EvalAttacks& attacks);
PackedScore evalLightBishopsBlack(const Position& position, EvalAttacks& attacks);
PackedScore evalRooksWhite(const Position& position, EvalAttacks& attacks);
PackedScore evalRooksBlack(const Position& position, EvalAttacks& attacks);
PackedScore evalQueensWhite(const Position& position, EvalAttacks& attacks);
PackedScore evalQueensBlack(const Position& position, EvalAttacks& attacks);

// Fills both colours' pawn attack sets and starts their unions with them.
void fillPawnAttacks(const Position& position, EvalAttacks& attacks);
