// Move text: coordinate text (e2e4, e7e8q) for the protocol, algebraic text (Nbd2, exd8=Q+,
// O-O) for the thinking line.
//
// Packed text: up to eight characters in one unsigned 64-bit number, the first character in
// the most significant non-zero byte and the last in the lowest byte, so a text of n
// characters occupies the low n bytes. Typed moves are matched by comparing such numbers.
#pragma once

#include <cstdint>
#include <cstdio>

#include "move.h"
#include "position.h"

// The packed text with one more character at its end.
constexpr uint64_t appendPackedChar(uint64_t packed, char c) { return (packed << 8) + static_cast<uint8_t>(c); }

// From square, to square and, for the promotion kinds, the lower-case promotion letter.
uint64_t moveToCoordinateText(Move move);

// A typed move word packed for findMoveByText: its first four characters and the fifth
// when it has one; a shorter word packs what it has.
uint64_t packCoordinateWord(const char* word);

// Writes the characters of a packed text, flushing after each; no line end.
void printPackedText(FILE* stream, uint64_t packed);

// The first move of a 0-ended list whose coordinate text equals packed, or 0.
Move findMoveByText(const Move* list, uint64_t packed);

// Algebraic text of a legal move of the side to move, with "+" or "#"; the position is as
// before afterwards. A move that is not among the side's legal moves is never made: it gets
// the text of its kind without a check mark, and so does a move when the ply stack has no
// room left to try it.
uint64_t formatSanWhite(Position& position, Move move);
uint64_t formatSanBlack(Position& position, Move move);

// The moves of a 0-ended line in numbered algebraic text, each followed by a space:
// "12. Nf3 Nc6 13. ..." or, with Black to move, "12. ... Nc6 13. Nf3 ". At most PV_LENGTH
// moves are read; the line is cut at a move that is not legal where it stands or when the
// ply stack has no room for it. The position is as before afterwards.
void printVariation(Position& position, const Move* line, FILE* stream);
