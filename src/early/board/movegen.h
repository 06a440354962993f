// Strictly legal move generation of the earlier engine. Each generator writes its moves
// from the start of the caller's list, then a terminating 0, and returns the position of
// that 0; the order of writing is fixed and is part of the behaviour. The positions are
// never changed.
#pragma once

#include "move.h"
#include "position.h"

namespace early {

// Game level: the side to move of gamePosition. The dispatcher picks one of the six by the
// number of checkers (none, more than one, one).
Move* generateLegalMoves(Move* list);
Move* generateLegalMovesWhite(Move* list);      // not in check
Move* generateLegalEvasionsWhite(Move* list);   // exactly one checker
Move* generateLegalKingMovesWhite(Move* list);  // two checkers
Move* generateLegalMovesBlack(Move* list);
Move* generateLegalEvasionsBlack(Move* list);
Move* generateLegalKingMovesBlack(Move* list);

// Search level: the same lists as the game level, move for move, for the given position.
Move* generateMovesWhite(const Position& pos, Move* list);
Move* generateEvasionsWhite(const Position& pos, Move* list);
Move* generateKingMovesWhite(const Position& pos, Move* list);
Move* generateMovesBlack(const Position& pos, Move* list);
Move* generateEvasionsBlack(const Position& pos, Move* list);
Move* generateKingMovesBlack(const Position& pos, Move* list);

// Captures, promotions and en-passant captures only; the side to move is not in check.
Move* generateCapturesWhite(const Position& pos, Move* list);
Move* generateCapturesBlack(const Position& pos, Move* list);

// Dispatchers: the capture generator (quiescence) or the full list (interior Black nodes)
// when not in check, the king moves in double check, the evasions otherwise.
Move* generateQuiescenceMovesWhite(const Position& pos, Move* list);
Move* generateQuiescenceMovesBlack(const Position& pos, Move* list);
Move* generateSearchMovesBlack(const Position& pos, Move* list);

}  // namespace early
