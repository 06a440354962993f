#include "zobrist.h"

#include "bitops.h"

uint64_t pieceSquareKeys[16][64];
uint64_t enPassantKeys[64];
uint64_t castleKeys[16];

namespace {

// Each key takes 64 generator steps, bit i from the top bit of the i-th new state; the
// state runs on from one key to the next.
void fillKeys(uint64_t* keys, int count, uint64_t seed) {
    uint64_t state = seed;
    for (int k = 0; k < count; ++k) {
        uint64_t key = 0;
        for (int bit = 0; bit < 64; ++bit) {
            state = state * KEY_LCG_MULTIPLIER + KEY_LCG_INCREMENT;
            key |= (state >> 63) << bit;
        }
        keys[k] = key;
    }
}

}  // namespace

void initPieceSquareKeys() { fillKeys(&pieceSquareKeys[0][0], 16 * 64, PIECE_KEY_SEED); }
void initEnPassantKeys() { fillKeys(enPassantKeys, 64, EN_PASSANT_KEY_SEED); }
void initCastleKeys() { fillKeys(castleKeys, 16, CASTLE_KEY_SEED); }

uint64_t computePieceKey(const Position& position) {
    uint64_t key = 0;
    for (int code = 0; code < 16; ++code)
        for (Bitboard b = position.pieceBitboards[code]; b; b &= b - 1)
            key ^= pieceSquareKeys[code][bitScanForward(b)];
    return key;
}

uint64_t computePawnKey(const Position& position) {
    uint64_t key = 0;
    for (Bitboard b = position.pieceBitboards[PAWN]; b; b &= b - 1) key ^= pieceSquareKeys[PAWN][bitScanForward(b)];
    for (Bitboard b = position.pieceBitboards[PAWN + BLACK_OFFSET]; b; b &= b - 1)
        key ^= pieceSquareKeys[PAWN + BLACK_OFFSET][bitScanForward(b)];
    return key;
}

void computeStateKeys(Position& position) {
    PlyState& ply = *position.currentPly;
    ply.pieceKey = computePieceKey(position);
    ply.positionKey = ply.pieceKey ^ castleKeys[ply.castlingRights & 15];
    if (ply.enPassantSquare >= 0 && ply.enPassantSquare < 64) ply.positionKey ^= enPassantKeys[ply.enPassantSquare];
}
