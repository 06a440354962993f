// The earlier engine's opening books: one for White to move and one for Black to move,
// loaded once at start-up and searched in place by bisection.
#pragma once

#include <cstdint>

#include "move.h"

namespace early {

// Book entry (unsigned 64 bits; in the files two little-endian 32-bit words, the low word
// first):
//   bits  0-7   index of the book move in the position's legal moves sorted by ascending
//               move code (0 = the smallest code)
//   bits  8-63  bits 8-63 of the position's probeKey
// A file is nothing but entries, sorted ascending by the entry with its low 8 bits cleared.
using BookEntry = uint64_t;

constexpr int32_t BOOK_CAPACITY = 375000;

extern BookEntry bookWhite[BOOK_CAPACITY];
extern BookEntry bookBlack[BOOK_CAPACITY];
extern int32_t bookWhiteCount;
extern int32_t bookBlackCount;

inline constexpr char BOOK_WHITE_FILE[] = "BookW.bin";
inline constexpr char BOOK_BLACK_FILE[] = "BookB.bin";

// Reads up to BOOK_CAPACITY whole entries of the file into book and returns how many were
// read: 0 for a missing or unreadable file; trailing bytes that fill no entry and entries
// beyond the capacity are not read.
int32_t loadBook(const char* fileName, BookEntry* book);

// Loads BookW.bin and BookB.bin of the working directory into the two books.
void loadBooks();

// The index in the book of an entry whose key bits 8-63 match the key given as its low
// and high 32-bit words, or -1.
int32_t findWhiteBookEntry(uint32_t keyLow, uint32_t keyHigh);
int32_t findBlackBookEntry(uint32_t keyLow, uint32_t keyHigh);

// The order of the index sort: first minus second.
int32_t compareMoveCodes(Move first, Move second);

// The book move of gamePosition for the side named, or 0 when the position is not in
// that book or its entry names no legal move.
Move probeWhiteBook();
Move probeBlackBook();

}  // namespace early
