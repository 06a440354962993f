#include "thinking.h"

namespace early {

void printMoveText(Move move, FILE* stream) {
    const Square from = moveFrom(move), to = moveTo(move);
    std::fprintf(stream, " ");
    std::fprintf(stream, "%c", 'a' + (from & 7));
    std::fprintf(stream, "%c", '1' + (from >> 3));
    std::fprintf(stream, "%c", 'a' + (to & 7));
    std::fprintf(stream, "%c", '1' + (to >> 3));
    if (KIND_IS_PROMOTION[moveKind(move)]) std::fprintf(stream, "%c", PROMOTION_LETTERS[movePromotion(move)]);
}

void printThinkingLine(const Position& pos, FILE* stream) {
    if (pos.postThinking != 1) return;
    // Scores are kept from White's side; the line shows them from the thinking side's.
    const int32_t score = pos.rootSide == 0 ? pos.bestScore : -pos.bestScore;
    std::fprintf(stream, "%d\t%d\t%d\t%d\t", pos.bestDepth, score, pos.bestTime / 10, pos.bestNodes);
    printMoveText(pos.bestMove, stream);
    std::fprintf(stream, "\n");
    std::fflush(stream);
}

void printThinkingLine(FILE* stream) { printThinkingLine(gamePosition, stream); }

}  // namespace early
