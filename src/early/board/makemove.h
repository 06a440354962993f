// Making and unmaking a move on the earlier engine's position. Make fills the next state
// record (key, castling rights, en-passant square, halfmove clock, checkers) and advances
// the stack; unmake steps back and reverses only the board-wide fields, so the abandoned
// record keeps the undone move's values.
#pragma once

#include "move.h"
#include "position.h"

namespace early {

// Entries of 255 keep every right; a move from or to one of the six home squares of a king
// or rook clears the rights that depend on it.
// clang-format off
inline constexpr int32_t CASTLING_KEEP_MASK[64] = {
    253, 255, 255, 255, 252, 255, 255, 254,
    255, 255, 255, 255, 255, 255, 255, 255,
    255, 255, 255, 255, 255, 255, 255, 255,
    255, 255, 255, 255, 255, 255, 255, 255,
    255, 255, 255, 255, 255, 255, 255, 255,
    255, 255, 255, 255, 255, 255, 255, 255,
    255, 255, 255, 255, 255, 255, 255, 255,
    247, 255, 255, 255, 243, 255, 255, 251,
};
// clang-format on

// True when the stack has a record left for one more make.
inline bool hasFreeState(const Position& pos) { return pos.nextState < pos.stateStack + STATE_STACK_SIZE; }

// Make a legal move of the side to move. When every record of the state stack is in use
// nothing is changed and false is returned; the caller then must not unmake.
[[nodiscard]] bool makeMoveWhite(Position& pos, Move move);
[[nodiscard]] bool makeMoveBlack(Position& pos, Move move);
[[nodiscard]] bool makeMove(Position& pos, Move move);
[[nodiscard]] bool makeMove(Move move);  // on gamePosition

// Unmake the move last made.
void unmakeMoveWhite(Position& pos, Move move);
void unmakeMoveBlack(Position& pos, Move move);
void unmakeMove(Position& pos, Move move);
void unmakeMove(Move move);  // on gamePosition

}  // namespace early
