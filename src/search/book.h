// The opening book: one file per side to move (BookW.bin, BookB.bin), held in memory for the
// whole run. A book maps a position to one move, stored as the move's place in the side's
// legal moves sorted ascending by move word, so that an entry is a single 64-bit number.
//
// Book file, little-endian:
//   offset 0   8 bytes          count of entries, unsigned
//   offset 8   8 bytes a piece  the entries, ascending by their upper 56 bits (unsigned)
#pragma once

#include <cstdint>

#include "move.h"
#include "position.h"

// Book entry (unsigned 64 bits):
//   bits 0-7   index of the book move in the side's sorted legal-move list
//   bits 8-63  bits 8-63 of the position's positionKey (no side-to-move key: the file
//              gives the side)
using BookEntry = uint64_t;

constexpr BookEntry BOOK_INDEX_MASK = 0xFF;

struct OpeningBook {
    uint64_t countWhite;
    uint64_t countBlack;
    BookEntry* entriesWhite;  // null while the side has no book
    BookEntry* entriesBlack;
};

// Both books of the run; empty until loaded.
extern OpeningBook openingBook;

constexpr const char BOOK_FILE_WHITE[] = "BookW.bin";
constexpr const char BOOK_FILE_BLACK[] = "BookB.bin";

// The position's positionKey computed from the board (pieces, castling rights, en-passant
// square), with the index bits cleared: what a book entry stores.
uint64_t bookKey(const Position& position);

// The book move of the position (White, or Black, to move), or 0 when the book has no entry
// for it or the entry's index is not below the number of legal moves.
Move probeBookWhite(const OpeningBook& book, Position& position);
Move probeBookBlack(const OpeningBook& book, Position& position);

// Place of move in the side's legal moves sorted ascending by word, or -1 when absent.
int indexOfMoveWhite(Move move, Position& position);
int indexOfMoveBlack(Move move, Position& position);

// Loads one book file into count and entries. A file that cannot be opened or holds no
// whole count leaves both as they were; so does an array that cannot be allocated. Otherwise
// the entries are replaced by those the file really holds: a count beyond the file is
// lowered to the whole entries present, and a count of 0 gives an empty book (entries null).
// Returns whether the book was replaced.
bool loadBookFile(const char* fileName, uint64_t& count, BookEntry*& entries);
// BookW.bin and BookB.bin from the working directory into book; a missing file is skipped.
void loadOpeningBook(OpeningBook& book);
// Releases the white and then the black array and empties the book.
void releaseOpeningBook(OpeningBook& book);
// releaseOpeningBook(openingBook), for the exit list.
void freeOpeningBook();
