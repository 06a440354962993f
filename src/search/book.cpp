// 64-bit file offsets in the 32-bit build too, so a book's size is measured whatever it is.
#define _FILE_OFFSET_BITS 64

#include "book.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "movegen.h"
#include "zobrist.h"

OpeningBook openingBook{};

namespace {

// The side's legal moves sorted ascending by word (words are positive and distinct, so the
// order is total); returns their number.
template <Color Us> int sortedLegalMoves(Position& position, Move* list) {
    if (!generatorsCanRun(position)) return 0;
    const Move* end = generateMoves<Us>(position, list);
    std::sort(list, list + (end - list));
    return static_cast<int>(end - list);
}

template <Color Us> Move probeBook(const OpeningBook& book, Position& position) {
    const BookEntry* entries = Us == White ? book.entriesWhite : book.entriesBlack;
    const uint64_t count = Us == White ? book.countWhite : book.countBlack;
    if (entries == nullptr || count == 0) return 0;
    const uint64_t key = bookKey(position);
    int64_t lo = 0, hi = static_cast<int64_t>(count - 1);
    while (lo <= hi) {
        const int64_t mid = (lo + hi) >> 1;
        const BookEntry entry = entries[mid];
        const uint64_t e = entry & ~BOOK_INDEX_MASK;
        if (e < key) {
            lo = mid + 1;
        } else if (e > key) {
            hi = mid - 1;
        } else {
            Move list[MOVE_LIST_SIZE];
            const int legal = sortedLegalMoves<Us>(position, list);
            const int index = static_cast<int>(entry & BOOK_INDEX_MASK);
            return index < legal ? list[index] : 0;
        }
    }
    return 0;
}

template <Color Us> int indexOfMove(Move move, Position& position) {
    Move list[MOVE_LIST_SIZE];
    const int legal = sortedLegalMoves<Us>(position, list);
    for (int i = 0; i < legal; ++i)
        if (list[i] == move) return i;
    return -1;
}

constexpr int BOOK_ENTRY_SIZE = 8;

uint64_t readLittleEndian64(const unsigned char* bytes) {
    uint64_t value = 0;
    for (int i = BOOK_ENTRY_SIZE - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

// Whole entries after the count, from the file's size; -1 when the size cannot be measured.
int64_t entriesInFile(FILE* file) {
    if (fseeko(file, 0, SEEK_END) != 0) return -1;
    const off_t size = ftello(file);
    if (size < BOOK_ENTRY_SIZE || fseeko(file, BOOK_ENTRY_SIZE, SEEK_SET) != 0) return -1;
    return (size - BOOK_ENTRY_SIZE) / BOOK_ENTRY_SIZE;
}

}  // namespace

uint64_t bookKey(const Position& position) {
    const PlyState& ply = *position.currentPly;
    uint64_t key = computePieceKey(position) ^ castleKeys[ply.castlingRights & 15];
    if (ply.enPassantSquare >= 0 && ply.enPassantSquare < 64) key ^= enPassantKeys[ply.enPassantSquare];
    return key & ~BOOK_INDEX_MASK;
}

Move probeBookWhite(const OpeningBook& book, Position& position) { return probeBook<White>(book, position); }
Move probeBookBlack(const OpeningBook& book, Position& position) { return probeBook<Black>(book, position); }

int indexOfMoveWhite(Move move, Position& position) { return indexOfMove<White>(move, position); }
int indexOfMoveBlack(Move move, Position& position) { return indexOfMove<Black>(move, position); }

// The new array is read in full before the old one is released, so a file that fails part
// way never costs the book it would have replaced; the count is taken from the entries
// actually read, never from the file's claim alone.
bool loadBookFile(const char* fileName, uint64_t& count, BookEntry*& entries) {
    FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) return false;
    unsigned char header[BOOK_ENTRY_SIZE];
    const int64_t present = std::fread(header, 1, BOOK_ENTRY_SIZE, file) == BOOK_ENTRY_SIZE ? entriesInFile(file) : -1;
    if (present < 0) {
        std::fclose(file);
        return false;
    }
    const uint64_t wanted = std::min(readLittleEndian64(header), static_cast<uint64_t>(present));
    BookEntry* loaded = nullptr;
    uint64_t read = 0;
    if (wanted > 0) {
        if (wanted > SIZE_MAX / BOOK_ENTRY_SIZE) {
            std::fclose(file);
            return false;
        }
        loaded = static_cast<BookEntry*>(std::malloc(static_cast<size_t>(wanted) * BOOK_ENTRY_SIZE));
        if (loaded == nullptr) {
            std::fclose(file);
            return false;
        }
        read = std::fread(loaded, BOOK_ENTRY_SIZE, static_cast<size_t>(wanted), file);
        unsigned char* bytes = reinterpret_cast<unsigned char*>(loaded);
        for (uint64_t i = 0; i < read; ++i) loaded[i] = readLittleEndian64(bytes + i * BOOK_ENTRY_SIZE);
        if (read == 0) {
            std::free(loaded);
            loaded = nullptr;
        }
    }
    std::fclose(file);
    std::free(entries);
    entries = loaded;
    count = read;
    return true;
}

void loadOpeningBook(OpeningBook& book) {
    loadBookFile(BOOK_FILE_WHITE, book.countWhite, book.entriesWhite);
    loadBookFile(BOOK_FILE_BLACK, book.countBlack, book.entriesBlack);
}

void releaseOpeningBook(OpeningBook& book) {
    std::free(book.entriesWhite);
    std::free(book.entriesBlack);
    book = OpeningBook{};
}

void freeOpeningBook() { releaseOpeningBook(openingBook); }
