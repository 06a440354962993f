// Fuzz harness: the earlier engine's opening books from arbitrary file contents, loaded as
// the program loads them and probed along a short game.
//
// Input: a 16-bit header, then the bytes of BookW.bin and of BookB.bin (fuzz::BookFiles).
#include <algorithm>

#include "bitboards.h"
#include "book.h"
#include "harness.h"
#include "makemove.h"
#include "movegen.h"
#include "position.h"
#include "zobrist.h"

namespace {

using fuzz::require;

fuzz::ScratchFolder* scratch;
constexpr int GAME_PLIES = 16;

// The book move of gamePosition; one it gives must be legal, and the entry it came from
// must match the position's key.
early::Move probe(const early::Move* list, const early::Move* end) {
    const early::Position& p = early::gamePosition;
    const bool white = p.sideToMove == 0;
    const uint64_t key = early::probeKey(p);
    const int32_t found = white ? early::findWhiteBookEntry(static_cast<uint32_t>(key), static_cast<uint32_t>(key >> 32))
                                : early::findBlackBookEntry(static_cast<uint32_t>(key), static_cast<uint32_t>(key >> 32));
    const int32_t count = white ? early::bookWhiteCount : early::bookBlackCount;
    const early::BookEntry* book = white ? early::bookWhite : early::bookBlack;
    require(found >= -1 && found < count, "a found entry lies in the book");
    if (found >= 0) require(((book[found] ^ key) >> 8) == 0, "a found entry has the position's key");
    const early::Move move = white ? early::probeWhiteBook() : early::probeBlackBook();
    if (move != 0) {
        require(found >= 0, "a book move comes from an entry");
        require(std::find(list, end, move) != end, "a book move is a legal move");
    }
    return move;
}

void playGame() {
    early::constructGamePosition();
    for (int ply = 0; ply < GAME_PLIES; ++ply) {
        early::MoveList list;
        const early::Move* end = early::generateLegalMoves(list);
        if (end == list) return;
        early::Move move = probe(list, end);
        if (move == 0) move = list[(ply * 7 + 3) % (end - list)];
        require(early::makeMove(move), "a game move finds a free record");
        require(early::positionConsistent(early::gamePosition), "consistent after a book game move");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::silenceStandardOutput();
    scratch = new fuzz::ScratchFolder();
    early::initBitboardTables();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::BookFiles files;
    if (!fuzz::writeBookFiles(*scratch, data, size, early::BOOK_WHITE_FILE, early::BOOK_BLACK_FILE, files)) return 0;

    scratch->enter();
    early::loadBooks();
    scratch->leave();
    require(early::bookWhiteCount == static_cast<int32_t>(files.whiteSize / 8) &&
                early::bookBlackCount == static_cast<int32_t>(files.blackSize / 8),
            "a book holds the whole entries of its file");
    playGame();
    return 0;
}
