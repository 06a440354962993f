// Writes the engine's two book files from a text list of positions and moves.
//
//   bookwriter LIST [FOLDER]
//
// Each line of LIST holds the FEN fields of a position (placement, side, castling, en
// passant; move counters may follow) and, as its last word, the book move in coordinate text
// (e2e4, e7e8q). Empty lines and lines starting with '#' are skipped. BookW.bin and BookB.bin
// are written into FOLDER (default: the working directory). Nothing is written when a line
// cannot be used.
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bookwriter.h"
#include "tables.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s LIST [FOLDER]\n", argv[0]);
        return 2;
    }
    std::ifstream list(argv[1]);
    if (!list) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    const std::string folder = argc == 3 ? std::string(argv[2]) + "/" : std::string();

    initTables();
    auto position = std::make_unique<Position>();
    resetPosition(*position);
    std::vector<BookEntry> books[2];
    int failures = 0;
    std::string line;
    for (int lineNumber = 1; std::getline(list, line); ++lineNumber) {
        std::istringstream words(line);
        std::vector<std::string> fields;
        for (std::string w; words >> w;) fields.push_back(w);
        if (fields.empty() || fields[0][0] == '#') continue;
        if (fields.size() < 5) {
            std::fprintf(stderr, "%s:%d: expected the FEN fields and a move\n", argv[1], lineNumber);
            ++failures;
            continue;
        }
        std::string fen;
        for (size_t i = 0; i + 1 < fields.size(); ++i) fen += fields[i] + " ";
        BookEntry entry = 0;
        Color side = White;
        std::string error;
        if (!bookEntryFor(*position, fen.c_str(), fields.back().c_str(), entry, side, error)) {
            std::fprintf(stderr, "%s:%d: %s\n", argv[1], lineNumber, error.c_str());
            ++failures;
            continue;
        }
        books[side].push_back(entry);
    }
    if (failures > 0) {
        std::fprintf(stderr, "%d unusable lines; no book written\n", failures);
        return 1;
    }
    const char* names[2] = {BOOK_FILE_WHITE, BOOK_FILE_BLACK};
    for (int side = 0; side < 2; ++side) {
        const int dropped = sortBookEntries(books[side]);
        if (dropped > 0)
            std::fprintf(stderr, "%s: %d later entries for positions already in the book dropped\n", names[side],
                         dropped);
        if (!writeBytesToFile(folder + names[side], bookFileBytes(books[side]))) {
            std::fprintf(stderr, "cannot write %s%s\n", folder.c_str(), names[side]);
            return 1;
        }
        std::printf("%s: %zu entries\n", names[side], books[side].size());
    }
    return 0;
}
