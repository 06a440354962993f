// Debug output: the position dump, which shows every running field next to the same value
// recomputed from scratch so that a drift in make and unmake shows at once; bitboard grids;
// moves in coordinates; packed texts; and the comparator of move lists.
#pragma once

#include <cstdint>
#include <cstdio>

#include "position.h"
#include "types.h"

void dumpPosition(FILE* stream, const Position& position);
// The piece bitboards of one colour, side by side under their labels.
void dumpBitboardsWhite(FILE* stream, const Position& position);
void dumpBitboardsBlack(FILE* stream, const Position& position);
// Eight lines, rank 8 first, "*" for a set square and "." for an empty one.
void printBitboardGrid(Bitboard bitboard, FILE* stream);
// " e7e8Q": a space, from and to square, and the promotion letter; no newline.
void printMoveCoordinates(Move move, FILE* stream);
// "Moves: n", then the legal moves of the side to move on one line: none when that side
// has no single king or more material than games reach, whatever the other side holds.
void dumpMoveList(FILE* stream, const Position& position);
// The bytes of a packed text, most significant first, zero bytes skipped.
void printTag(FILE* stream, uint64_t packedText);
// qsort comparator of 32-bit integers, ascending. Move words are positive and below 2^26,
// so the difference never overflows.
int compareInts(const void* a, const void* b);
