// Make, unmake and the null move. Make writes every per-ply value into the next slot of the
// ply stack and advances; unmake steps back and reverses only the board-wide fields, so the
// abandoned slot keeps the undone move's values.
#pragma once

#include "move.h"
#include "position.h"

// Castling rights kept when a move starts or ends on a square: a1 253, e1 252, h1 254,
// a8 247, e8 243, h8 251, every other square 255.
constexpr int castleMask[64] = {
    253, 255, 255, 255, 252, 255, 255, 254,  //
    255, 255, 255, 255, 255, 255, 255, 255,  //
    255, 255, 255, 255, 255, 255, 255, 255,  //
    255, 255, 255, 255, 255, 255, 255, 255,  //
    255, 255, 255, 255, 255, 255, 255, 255,  //
    255, 255, 255, 255, 255, 255, 255, 255,  //
    255, 255, 255, 255, 255, 255, 255, 255,  //
    247, 255, 255, 255, 243, 255, 255, 251,
};

// `move` must be a legal move of the side to move and the ply stack must have room
// (plyStackHasRoom); neither is checked.
void makeMoveWhite(Position& position, Move move);
void makeMoveBlack(Position& position, Move move);
// `move` must be the last move made, by the same colour.
void unmakeMoveWhite(Position& position, Move move);
void unmakeMoveBlack(Position& position, Move move);
// Pass the turn (only when not in check). Undone by the search itself: step both ply
// pointers back, lower searchPly and nullMovesOnLine, restore sideToMove.
void makeNullMoveWhite(Position& position);
void makeNullMoveBlack(Position& position);

// The same, for colour templates (instantiated for both colours in makemove.cpp).
template <Color Us> void makeMove(Position& position, Move move);
template <Color Us> void unmakeMove(Position& position, Move move);
