#include "movetext.h"

namespace early {

PackedText packMoveText(const char* text) {
    PackedText v = 0;
    for (int i = 0; i < 5 && text[i] != '\0'; ++i) {
        // Characters count as signed bytes, as the typed word arrives.
        v = v * 256 + static_cast<PackedText>(static_cast<int64_t>(static_cast<signed char>(text[i])));
    }
    return v;
}

PackedText moveToPackedText(Move move) {
    const Square from = moveFrom(move), to = moveTo(move);
    PackedText v = static_cast<PackedText>('a' + from % 8);
    v = v * 256 + static_cast<PackedText>('1' + from / 8);
    v = v * 256 + static_cast<PackedText>('a' + to % 8);
    v = v * 256 + static_cast<PackedText>('1' + to / 8);
    if (KIND_IS_PROMOTION[moveKind(move)])
        v = v * 256 + static_cast<PackedText>(PROMOTION_LETTERS_LOWER[movePromotion(move) % 12]);
    return v;
}

void printPackedText(FILE* stream, PackedText packed) {
    while (packed != 0) {
        const int c = static_cast<int>(packed >> 56);
        packed <<= 8;
        if (c != 0) {
            std::fprintf(stream, "%c", c);
            std::fflush(stream);
        }
    }
}

}  // namespace early
