#include "game.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "makemove.h"
#include "movegen.h"
#include "movetext.h"
#include "think.h"

namespace early {

namespace {

void printResult(const char* line) {
    std::fputs(line, stdout);
    std::fflush(stdout);
}

}  // namespace

int32_t repetitionCount(const Position& pos) {
    // The key holds the men alone, so a claim also needs the same castling rights and
    // en-passant square. Stepping two records keeps the side to move. An en-passant square
    // no pawn can use still counts as a difference: that only ever delays a claim.
    const StateRecord& current = *pos.currentState;
    int32_t count = 1;
    for (std::ptrdiff_t i = (pos.currentState - pos.stateStack) - 2; i >= 0; i -= 2) {
        const StateRecord& earlier = pos.stateStack[i];
        if (earlier.key == current.key && earlier.castling == current.castling && earlier.epSquare == current.epSquare)
            ++count;
    }
    return count;
}

void compactStateStack(Position& pos) {
    const std::ptrdiff_t current = pos.currentState - pos.stateStack;
    if (current < STATE_COMPACT_THRESHOLD) return;
    // No record older than the last capture or pawn move can repeat a later position, so
    // the walk of repetitionCount finds the same keys in what is kept.
    const std::ptrdiff_t reversible = std::max<int32_t>(pos.currentState->halfmoveClock, 0);
    const std::ptrdiff_t keep = std::min<std::ptrdiff_t>({reversible + 1, STATE_COMPACT_KEEP, current + 1});
    std::memmove(pos.stateStack, pos.stateStack + (current + 1 - keep),
                 static_cast<size_t>(keep) * sizeof(StateRecord));
    pos.currentState = pos.stateStack + (keep - 1);
    pos.nextState = pos.currentState + 1;
}

bool playGameMove(Move move) {
    compactStateStack(gamePosition);
    return makeMove(gamePosition, move);
}

bool checkGameEnd() {
    const Position& pos = gamePosition;
    const StateRecord& state = *pos.currentState;
    MoveList list;
    if (generateLegalMoves(list) == list) {
        if (state.checkers == 0)
            printResult("1/2-1/2 {Stalemate}\n");
        else
            printResult(pos.sideToMove == 0 ? "0-1 {Black mates}\n" : "1-0 {White mates}\n");
        return true;
    }
    if (state.halfmoveClock >= 100) {
        printResult("1/2-1/2 {50 moves rule}\n");
        return true;
    }
    if (repetitionCount(pos) >= 3) {
        printResult("1/2-1/2 {Draw by repetition}\n");
        return true;
    }
    if ((pos.pieceBits[WHITE_PAWN] | pos.pieceBits[BLACK_PAWN]) != 0) return false;
    const Bitboard whiteMinors = pos.pieceBits[WHITE_BISHOP] | pos.pieceBits[WHITE_KNIGHT];
    const Bitboard blackMinors = pos.pieceBits[BLACK_BISHOP] | pos.pieceBits[BLACK_KNIGHT];
    const int32_t white = pos.menCountWhite, black = pos.menCountBlack;
    if ((white == 1 && black == 1) || (white == 2 && black == 1 && whiteMinors != 0) ||
        (white == 1 && black == 2 && blackMinors != 0)) {
        printResult("1/2-1/2 {Insufficient material}\n");
        return true;
    }
    return false;
}

void playEngineMove() {
    if (checkGameEnd()) return;
    MoveList list;
    const Move* end = generateLegalMoves(list);
    Move move = end - list == 1 ? list[0] : think();
    // Should even the first iteration give no move, the engine still has to move, or it
    // would wait for ever under a clock: the first legal move stands in.
    if (move == 0) move = list[0];
    if (playGameMove(move)) {
        std::fputs("move ", stdout);
        printPackedText(stdout, moveToPackedText(move));
        std::fputs("\n", stdout);
        std::fflush(stdout);
    }
    checkGameEnd();
}

void applyUserMove(const char* word) {
    MoveList list;
    generateLegalMoves(list);
    const PackedText typed = packMoveText(word);
    const Move* found = list;
    while (*found != 0 && moveToPackedText(*found) != typed) ++found;
    if (*found == 0 || !playGameMove(*found)) return;
    // After White's first move the engine waits for "go": it may be playing White.
    if (gamePosition.movesMadeBlack == 0 && gamePosition.movesMadeWhite == 1) return;
    playEngineMove();
}

}  // namespace early
