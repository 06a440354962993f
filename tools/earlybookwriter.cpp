// Writes opening books for brelstan-early, for tests.
//
//   earlybookwriter WHITE-BOOK BLACK-BOOK < LINES
//
// Each line is a game from the start position in coordinate moves; its last word is the
// book move of the position before it, or #N for an entry with the raw index N (to make
// entries that name no legal move). The entry goes to the book of the side to move there.
// Empty lines and lines starting with % are skipped. Both books are written, sorted as the
// engine's bisection needs, even when empty.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "bitboards.h"
#include "book.h"
#include "makemove.h"
#include "movegen.h"
#include "movetext.h"
#include "position.h"
#include "zobrist.h"

namespace {

[[noreturn]] void fail(int line, const std::string& message) {
    std::fprintf(stderr, "earlybookwriter: line %d: %s\n", line, message.c_str());
    std::exit(1);
}

// The legal moves of the game position in ascending order of move code: book indexes
// count in this order.
std::vector<early::Move> sortedLegalMoves() {
    early::MoveList list;
    early::Move* end = early::generateLegalMoves(list);
    std::vector<early::Move> moves(list, end);
    std::sort(moves.begin(), moves.end(),
              [](early::Move a, early::Move b) { return early::compareMoveCodes(a, b) < 0; });
    return moves;
}

int indexOfMove(const std::vector<early::Move>& moves, const std::string& text) {
    const early::PackedText typed = early::packMoveText(text.c_str());
    for (size_t i = 0; i < moves.size(); ++i)
        if (text.size() <= 5 && early::moveToPackedText(moves[i]) == typed) return static_cast<int>(i);
    return -1;
}

bool writeBook(const char* fileName, std::vector<early::BookEntry>& book) {
    std::sort(book.begin(), book.end(), [](early::BookEntry a, early::BookEntry b) {
        return (a & ~early::BookEntry{0xFF}) < (b & ~early::BookEntry{0xFF});
    });
    FILE* file = std::fopen(fileName, "wb");
    if (file == nullptr) return false;
    const bool written =
        book.empty() || std::fwrite(book.data(), sizeof(early::BookEntry), book.size(), file) == book.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: earlybookwriter WHITE-BOOK BLACK-BOOK < LINES\n");
        return 2;
    }
    early::initBitboardTables();
    std::vector<early::BookEntry> books[2];
    std::string text;
    for (int lineNumber = 1; std::getline(std::cin, text); ++lineNumber) {
        std::istringstream in(text);
        std::vector<std::string> words;
        for (std::string w; in >> w;) words.push_back(w);
        if (words.empty() || words[0][0] == '%') continue;
        early::constructGamePosition();
        for (size_t i = 0; i + 1 < words.size(); ++i) {
            const std::vector<early::Move> moves = sortedLegalMoves();
            const int index = indexOfMove(moves, words[i]);
            if (index < 0) fail(lineNumber, "no legal move " + words[i]);
            if (!early::makeMove(moves[static_cast<size_t>(index)])) fail(lineNumber, "game too long");
        }
        const std::string& last = words.back();
        int index;
        if (last[0] == '#') {
            index = std::atoi(last.c_str() + 1);
            if (index < 0 || index > 255) fail(lineNumber, "index out of 0..255: " + last);
        } else {
            index = indexOfMove(sortedLegalMoves(), last);
            if (index < 0) fail(lineNumber, "no legal move " + last);
        }
        const uint64_t key = early::probeKey(early::gamePosition);
        books[early::gamePosition.sideToMove].push_back((key & ~uint64_t{0xFF}) | static_cast<uint64_t>(index));
    }
    if (!writeBook(argv[1], books[0]) || !writeBook(argv[2], books[1])) {
        std::fprintf(stderr, "earlybookwriter: cannot write the books\n");
        return 1;
    }
    return 0;
}
