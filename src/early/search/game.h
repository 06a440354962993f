// The game level of the earlier engine, on gamePosition: the end-of-game test with its
// result line, the engine's move for "go" and the user's typed moves.
#pragma once

#include <cstdint>

#include "move.h"
#include "position.h"

namespace early {

// Before a game move, once the current record is this deep in the state stack, the records
// since the last capture or pawn move are moved down to the bottom, so that the game can
// go on for ever and the searches keep the rest of the stack.
constexpr int32_t STATE_COMPACT_THRESHOLD = STATE_STACK_SIZE - 256;
// At most this many records are kept (a reversible run longer than the fifty-move rule
// allows loses its oldest records).
constexpr int32_t STATE_COMPACT_KEEP = STATE_STACK_SIZE / 2;

// How often the current position has occurred with the same men, side to move, castling
// rights and en-passant square, the current one included, as far back as the stack reaches.
int32_t repetitionCount(const Position& pos);

// Moves the records since the last irreversible move to the bottom of the stack when the
// current record has reached STATE_COMPACT_THRESHOLD; repetitionCount is unchanged.
void compactStateStack(Position& pos);

// Makes a legal move of gamePosition as a game move, compacting the stack first; false
// (nothing changed) only if no record is free.
bool playGameMove(Move move);

// Prints the result line and returns true when the game on gamePosition is over.
bool checkGameEnd();

// The engine moves for the side to move and answers with its move line.
void playEngineMove();

// The coordinate word typed by the user: played when it names a legal move, and
// answered by the engine except after White's first move of a game.
void applyUserMove(const char* word);

}  // namespace early
