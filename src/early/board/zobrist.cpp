#include "zobrist.h"

#include "bitops.h"
#include "position.h"

namespace early {

uint64_t computeHashKey(const Position& pos) {
    uint64_t key = 0;
    for (Piece p = 0; p < PIECE_CODES; ++p)
        for (Bitboard men = pos.pieceBits[p]; men != 0;) key ^= zobristPiece[p][popLowest(men)];
    return key;
}

uint64_t probeKey(const Position& pos) {
    const StateRecord& state = *pos.currentState;
    uint64_t key = state.key ^ zobristCastle[state.castling & 15];
    if (state.epSquare != NO_SQUARE) key ^= zobristEpFile[state.epSquare & 7];
    return key;
}

}  // namespace early
