// Position keys. The book files store these keys, so the generator and its seeds are fixed.
#pragma once

#include <cstdint>

#include "position.h"

constexpr uint64_t PIECE_KEY_SEED = 0x00000000012E2283ULL;
constexpr uint64_t EN_PASSANT_KEY_SEED = 0x2B992DDFA23249D6ULL;
constexpr uint64_t CASTLE_KEY_SEED = 0x25B946EBC0B36173ULL;
constexpr uint64_t KEY_LCG_MULTIPLIER = 6364136223846793005ULL;
constexpr uint64_t KEY_LCG_INCREMENT = 1442695040888963407ULL;

extern uint64_t pieceSquareKeys[16][64];
extern uint64_t enPassantKeys[64];
extern uint64_t castleKeys[16];

void initPieceSquareKeys();
void initEnPassantKeys();
void initCastleKeys();

uint64_t computePieceKey(const Position& position);
uint64_t computePawnKey(const Position& position);
// Writes pieceKey and positionKey of the current slot; the caller sets pawnKey.
void computeStateKeys(Position& position);
