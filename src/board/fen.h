// Setting up a position from the four FEN fields, and writing them back.
#pragma once

#include <cstdio>

#include "position.h"

// Longest kept field lengths; longer words are cut to these.
constexpr int FEN_PLACEMENT_LENGTH = 127;
constexpr int FEN_SIDE_LENGTH = 3;
constexpr int FEN_CASTLING_LENGTH = 7;
constexpr int FEN_EN_PASSANT_LENGTH = 7;
// Room needed by writeFenBoard: 64 letters, 7 slashes and the NUL.
constexpr int FEN_BOARD_TEXT_SIZE = 72;

extern const char START_POSITION_FEN[];

void setStartPosition(Position& position);
// Resets and sets up from the next four words of the stream (placement, side, castling,
// en passant); what follows them is left unread.
void readFenFromFile(Position& position, FILE* stream);
// The same from a text holding the four words (missing words count as empty).
void setPositionFromText(Position& position, const char* text);

// Places the pieces of a placement field; returns the text after it.
const char* parseFenBoard(Position& position, const char* text);
// Stores the rights of a castling field into the current slot.
void parseFenCastling(const char* text, Position& position);
// Writes the placement field and a NUL into buffer (FEN_BOARD_TEXT_SIZE bytes);
// returns a pointer to the NUL.
char* writeFenBoard(const Position& position, char* buffer);
// Prints placement, side, castling and en passant, without a newline.
void writeFen(const Position& position, FILE* stream);
