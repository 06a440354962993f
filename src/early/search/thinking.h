// The thinking line the roots print for each new best root move inside the window:
// depth, score from the thinking side's view, centiseconds, nodes, each ended by a tab,
// then the move with an upper-case promotion letter.
#pragma once

#include <cstdio>

#include "move.h"
#include "position.h"

namespace early {

// Indexed by the promotion piece code.
inline constexpr char PROMOTION_LETTERS[] = "?QRBN??QRBN?????";

// " e2e4", " e7e8Q".
void printMoveText(Move move, FILE* stream);

// Prints the line of pos's root results when postThinking is 1, and flushes.
void printThinkingLine(const Position& pos, FILE* stream);
void printThinkingLine(FILE* stream);  // gamePosition

}  // namespace early
