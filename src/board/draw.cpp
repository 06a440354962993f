#include "draw.h"

#include "bitops.h"

int repetitionCount(const Position& position) {
    const int current = plyIndex(position, position.currentPly);
    const int reversible = position.currentPly->reversibleCount;
    // The stack holds game and search plies alike, so a repetition across the root counts.
    const int oldest = reversible > current ? 0 : current - (reversible < 0 ? 0 : reversible);
    const uint64_t key = position.currentPly->positionKey;
    int count = 0;
    for (int i = current; i >= oldest; i -= 2)
        if (position.plyStack[i].positionKey == key) ++count;
    return count;
}

bool isInsufficientMaterial(const Position& position) {
    const Bitboard* p = position.pieceBitboards;
    if (p[PAWN] | p[PAWN + BLACK_OFFSET]) return false;
    const int w = popCount64(position.whitePieces);
    const int b = popCount64(position.blackPieces);
    if (w == 1 && b == 1) return true;
    const Bitboard whiteMinors = p[KNIGHT] | p[DARK_BISHOP] | p[LIGHT_BISHOP];
    const Bitboard blackMinors = p[KNIGHT + BLACK_OFFSET] | p[DARK_BISHOP + BLACK_OFFSET] | p[LIGHT_BISHOP + BLACK_OFFSET];
    if (w == 2 && b == 1 && whiteMinors) return true;
    if (b == 2 && w == 1 && blackMinors) return true;
    return false;
}
