// Writing opening books for the engine: the book writer program and the unit tests share
// these helpers. Each position with its move becomes one entry (the engine's key of the
// position with the index of the move in the side's sorted legal moves), in the book of the
// side to move; each book is sorted by key and written as a count and the entries.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "book.h"
#include "fen.h"
#include "movegen.h"
#include "movetext.h"
#include "position.h"

// Sets up position from the four FEN fields and forms the entry of the coordinate move
// word there. False, with a reason, when the side is unknown, the position is not one the
// move generators serve, or the move is not legal there.
inline bool bookEntryFor(Position& position, const char* fen, const char* moveWord, BookEntry& entry, Color& side,
                         std::string& error) {
    // The set-up keeps the side of the position before when the side word is neither, so
    // the word itself is checked.
    std::istringstream words(fen);
    std::string placement, sideWord;
    words >> placement >> sideWord;
    if (sideWord != "w" && sideWord != "b") {
        error = "no side to move";
        return false;
    }
    setPositionFromText(position, fen);
    if (!generatorsCanRun(position)) {
        error = "not a position of a game";
        return false;
    }
    side = position.sideToMove == White ? White : Black;
    Move list[MOVE_LIST_SIZE];
    if (side == White) generateMovesWhite(position, list);
    else generateMovesBlack(position, list);
    const Move move = findMoveByText(list, packCoordinateWord(moveWord));
    if (move == 0) {
        error = std::string("no legal move ") + moveWord;
        return false;
    }
    const int index = side == White ? indexOfMoveWhite(move, position) : indexOfMoveBlack(move, position);
    entry = bookKey(position) | static_cast<BookEntry>(index);
    return true;
}

// Sorts a book by key and keeps the first entry given for each key, as the probe needs;
// returns the number of later entries dropped.
inline int sortBookEntries(std::vector<BookEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(), [](BookEntry a, BookEntry b) {
        return (a & ~BOOK_INDEX_MASK) < (b & ~BOOK_INDEX_MASK);
    });
    const auto last = std::unique(entries.begin(), entries.end(), [](BookEntry a, BookEntry b) {
        return (a & ~BOOK_INDEX_MASK) == (b & ~BOOK_INDEX_MASK);
    });
    const int dropped = static_cast<int>(entries.end() - last);
    entries.erase(last, entries.end());
    return dropped;
}

inline void appendLittleEndian64(std::vector<unsigned char>& bytes, uint64_t value) {
    for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// The file's bytes: the count, then the entries as given.
inline std::vector<unsigned char> bookFileBytes(const std::vector<BookEntry>& entries) {
    std::vector<unsigned char> bytes;
    appendLittleEndian64(bytes, entries.size());
    for (const BookEntry e : entries) appendLittleEndian64(bytes, e);
    return bytes;
}

inline bool writeBytesToFile(const std::string& fileName, const std::vector<unsigned char>& bytes) {
    FILE* file = std::fopen(fileName.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
