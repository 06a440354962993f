// Fuzz harness: the engine's opening books from arbitrary file contents, loaded as the
// program loads them and probed along a short game and in a few set-ups.
//
// Input: a 16-bit header, then the bytes of BookW.bin and of BookB.bin (fuzz::BookFiles).
#include <algorithm>

#include "book.h"
#include "consistency.h"
#include "fen.h"
#include "harness.h"
#include "makemove.h"
#include "movegen.h"
#include "tables.h"

namespace {

using fuzz::require;

fuzz::ScratchFolder* scratch;
Position* position;

constexpr int GAME_PLIES = 16;

// A set-up of a game, one with a single legal move, one the generators refuse.
constexpr const char* SET_UPS[] = {
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
    "7k/5Q2/6K1/8/8/8/8/8 b - -",
    "8/8/8/8/8/8/8/8 w - -",
};

// The book move of the position for the side to move; a move it gives must be legal.
template <Color Us> Move probe(Position& p) {
    const Move move = Us == White ? probeBookWhite(openingBook, p) : probeBookBlack(openingBook, p);
    if (move == 0) return 0;
    require(generatorsCanRun(p), "only a position of a game has a book move");
    const int index = Us == White ? indexOfMoveWhite(move, p) : indexOfMoveBlack(move, p);
    require(index >= 0, "a book move is a legal move");
    return move;
}

// Follows the books where they have a move, else a legal move picked by the ply.
void playGame(Position& p) {
    setStartPosition(p);
    for (int ply = 0; ply < GAME_PLIES; ++ply) {
        Move list[MOVE_LIST_SIZE];
        const bool white = p.sideToMove == White;
        Move move = white ? probe<White>(p) : probe<Black>(p);
        const Move* end = white ? generateMovesWhite(p, list) : generateMovesBlack(p, list);
        if (end == list) return;
        if (move == 0) move = list[(ply * 7 + 3) % (end - list)];
        if (white) makeMoveWhite(p, move);
        else makeMoveBlack(p, move);
        require(positionIsConsistent(p), "consistent after a book game move");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::silenceStandardOutput();
    scratch = new fuzz::ScratchFolder();
    initTables();
    position = new Position();
    resetPosition(*position);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::BookFiles files;
    if (!fuzz::writeBookFiles(*scratch, data, size, BOOK_FILE_WHITE, BOOK_FILE_BLACK, files)) return 0;

    scratch->enter();
    loadOpeningBook(openingBook);
    const auto entriesIn = [](size_t bytes) { return bytes >= 8 ? (bytes - 8) / 8 : 0; };
    require(openingBook.countWhite <= entriesIn(files.whiteSize) &&
                openingBook.countBlack <= entriesIn(files.blackSize),
            "a book holds no more entries than its file");
    playGame(*position);
    // Loading again replaces the books in place; a missing file keeps its side's book.
    loadOpeningBook(openingBook);
    scratch->leave();
    playGame(*position);
    for (const char* text : SET_UPS) {
        setPositionFromText(*position, text);
        if (position->sideToMove == White) probe<White>(*position);
        else probe<Black>(*position);
    }
    releaseOpeningBook(openingBook);
    require(openingBook.entriesWhite == nullptr && openingBook.entriesBlack == nullptr &&
                openingBook.countWhite == 0 && openingBook.countBlack == 0,
            "a released book is empty");
    return 0;
}
