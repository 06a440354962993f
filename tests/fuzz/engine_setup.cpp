// Fuzz harness: the engine's set-up from text, as "setboard" and the perft suites read it,
// and the moves of every position the generators accept, made and unmade a few plies deep.
//
// Input: one mode byte, then the text.
//   bit 0  the side to move before the set-up (a side word other than w or b keeps it)
//   bit 1  0: setPositionFromText on the text (up to its first NUL), as "setboard" does;
//          1: the text is a stream
//   bit 2  with a stream: 0 reads up to three positions by readFenFromFile, walking each;
//          1 runs the whole stream as a perft suite, counted by the mode in bits 3-4
#include <algorithm>
#include <memory>
#include <string>

#include "attacks.h"
#include "clock.h"
#include "commandloop.h"
#include "consistency.h"
#include "fen.h"
#include "harness.h"
#include "makemove.h"
#include "movegen.h"
#include "perft.h"
#include "platform.h"
#include "plystack.h"
#include "tables.h"
#include "zobrist.h"

namespace {

using fuzz::require;

Position* position;
Position* reparsed;
int makesLeft;  // the walk's budget of makes for one input

// What make followed by unmake must give back exactly.
struct Snapshot {
    Bitboard pieces[16];
    Bitboard white, black, occupied, empty;
    MaterialKey materialKey;
    PackedScore pstWhite, pstBlack;
    int32_t phaseWhite, phaseBlack, kingWhite, kingBlack, sideToMove, searchPly, slot;
    const Bitboard *betweenWhite, *betweenBlack;
    const int32_t *directionWhite, *directionBlack;
    const PlyState* next;
    uint64_t pieceKey, positionKey, pawnKey;
    Bitboard checkers;
    Move lastMove;
    int32_t reversibleCount, castlingRights, enPassantSquare;

    explicit Snapshot(const Position& p)
        : white(p.whitePieces), black(p.blackPieces), occupied(p.occupiedSquares), empty(p.emptySquares),
          materialKey(p.materialKey), pstWhite(p.pstWhite), pstBlack(p.pstBlack), phaseWhite(p.phaseWhite),
          phaseBlack(p.phaseBlack), kingWhite(p.kingSquareWhite), kingBlack(p.kingSquareBlack),
          sideToMove(p.sideToMove), searchPly(p.searchPly), slot(plyIndex(p, p.currentPly)),
          betweenWhite(p.kingBetweenRowWhite), betweenBlack(p.kingBetweenRowBlack),
          directionWhite(p.kingDirectionRowWhite), directionBlack(p.kingDirectionRowBlack), next(p.nextPly),
          pieceKey(p.currentPly->pieceKey), positionKey(p.currentPly->positionKey), pawnKey(p.currentPly->pawnKey),
          checkers(p.currentPly->checkers), lastMove(p.currentPly->lastMove),
          reversibleCount(p.currentPly->reversibleCount), castlingRights(p.currentPly->castlingRights),
          enPassantSquare(p.currentPly->enPassantSquare) {
        std::copy(std::begin(p.pieceBitboards), std::end(p.pieceBitboards), pieces);
    }

    bool operator==(const Snapshot& o) const {
        return std::equal(std::begin(pieces), std::end(pieces), o.pieces) && white == o.white && black == o.black &&
               occupied == o.occupied && empty == o.empty && materialKey == o.materialKey && pstWhite == o.pstWhite &&
               pstBlack == o.pstBlack && phaseWhite == o.phaseWhite && phaseBlack == o.phaseBlack &&
               kingWhite == o.kingWhite && kingBlack == o.kingBlack && sideToMove == o.sideToMove &&
               searchPly == o.searchPly && slot == o.slot && betweenWhite == o.betweenWhite &&
               betweenBlack == o.betweenBlack && directionWhite == o.directionWhite &&
               directionBlack == o.directionBlack && next == o.next && pieceKey == o.pieceKey &&
               positionKey == o.positionKey && pawnKey == o.pawnKey && checkers == o.checkers &&
               lastMove == o.lastMove && reversibleCount == o.reversibleCount &&
               castlingRights == o.castlingRights && enPassantSquare == o.enPassantSquare;
    }
};

bool contains(const Move* begin, const Move* end, Move move) { return std::find(begin, end, move) != end; }

// Every legal move is made, checked, walked further while the budget lasts, and unmade.
// Below the first two plies only the first few moves go deeper, so a rich position
// cannot cost the walk its time. Legality and the checkers that make keeps up to date from
// the moved piece alone are checked where the side not to move stands out of check: in
// playable positions and all positions their moves lead to. A set-up with a king already
// attacked (a perft suite may hold one) has no such rules to keep.
template <Color Us> void walk(Position& p, int depth, int ply, bool playable) {
    constexpr Color Them = opposite(Us);
    if (!plyStackHasRoom(p)) return;
    Move list[MOVE_LIST_SIZE];
    Move* const end = generateMoves<Us>(p, list);
    const int n = static_cast<int>(end - list);
    require(n >= 0 && n < MOVE_LIST_SIZE && *end == 0, "the move list fits and ends with 0");
    Move sorted[MOVE_LIST_SIZE];
    std::copy(list, end, sorted);
    std::sort(sorted, sorted + n);
    require(std::adjacent_find(sorted, sorted + n) == sorted + n, "no move is listed twice");

    if (p.currentPly->checkers == 0) {
        Move captures[MOVE_LIST_SIZE];
        const Move* capturesEnd = generateCaptures<Us>(p, captures);
        require(capturesEnd - captures < MOVE_LIST_SIZE && *capturesEnd == 0, "the capture list fits");
        for (const Move* c = captures; c != capturesEnd; ++c)
            require(contains(list, end, *c), "every generated capture is a legal move");
    }

    const Snapshot before(p);
    for (int i = 0; i < n && makesLeft > 0; ++i) {
        const Move move = list[i];
        --makesLeft;
        makeMove<Us>(p, move);
        require(positionIsConsistent(p), "consistent after make");
        require(p.sideToMove == Them, "make passes the turn");
        if (playable) {
            require(attackers<Them>(p, kingSquare<Us>(p)) == 0, "no move leaves the mover's king attacked");
            require(p.currentPly->checkers == attackers<Us>(p, kingSquare<Them>(p)), "make records the checkers");
        }
        const bool deeper = ply < 2 || i < 2;
        if (depth > 1 && deeper) walk<Them>(p, depth - 1, ply + 1, playable);
        unmakeMove<Us>(p, move);
        require(positionIsConsistent(p), "consistent after unmake");
        require(Snapshot(p) == before, "unmake restores the position exactly");
    }
}

// Written text set up again must give the same position. With two kings of a colour the
// king square is the last one placed, which the written text may place in another order,
// so the checkers found from it count only where the generators run.
void checkWrittenText(const Position& p) {
    char* text = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&text, &size);
    require(stream != nullptr, "memory stream opens");
    writeFen(p, stream);
    std::fclose(stream);
    reparsed->sideToMove = 1 - p.sideToMove;
    setPositionFromText(*reparsed, text);
    std::free(text);
    const PlyState &a = *p.currentPly, &b = *reparsed->currentPly;
    require(reparsed->sideToMove == p.sideToMove && a.pieceKey == b.pieceKey && a.positionKey == b.positionKey &&
                a.pawnKey == b.pawnKey && a.castlingRights == b.castlingRights &&
                a.enPassantSquare == b.enPassantSquare && (a.checkers == b.checkers || !generatorsCanRun(p)),
            "the written text sets up the same position");
}

void checkSetUp(Position& p, int makes) {
    require(positionIsConsistent(p), "consistent after set-up");
    require(p.sideToMove == 0 || p.sideToMove == 1, "a side is to move");
    checkWrittenText(p);
    const bool playable = isPlayablePosition(p);
    if (!generatorsCanRun(p)) {
        require(!playable, "a playable position is one the generators run on");
        return;
    }
    makesLeft = makes;
    if (p.sideToMove == 0) walk<White>(p, 3, 0, playable);
    else walk<Black>(p, 3, 0, playable);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::silenceStandardOutput();
    require(std::freopen("/dev/null", "r", stdin) != nullptr, "/dev/null opens");
    clockFrequency = static_cast<uint64_t>(platform::performanceFrequency());
    initTables();
    position = new Position();
    reparsed = new Position();
    resetPosition(*position);
    resetPosition(*reparsed);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t mode = data[0];
    ++data;
    --size;
    position->sideToMove = mode & 1;
    if ((mode & 2) == 0) {
        const std::string text(reinterpret_cast<const char*>(data), size);
        setPositionFromText(*position, text.c_str());
        checkSetUp(*position, 4000);
        return 0;
    }
    FILE* stream = fuzz::openBytes(data, size);
    if (!stream) return 0;
    if (mode & 4) {
        runPerftSuite(stdout, stream, (mode >> 3) & 3);
    } else {
        for (int i = 0; i < 3 && !std::feof(stream); ++i) {
            readFenFromFile(*position, stream);
            checkSetUp(*position, 1500);
        }
    }
    std::fclose(stream);
    return 0;
}
