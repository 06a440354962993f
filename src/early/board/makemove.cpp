#include "makemove.h"

#include <array>
#include <cassert>

#include "attacks.h"
#include "bitboards.h"
#include "bitops.h"
#include "zobrist.h"

namespace early {

namespace {

template <Color Us> constexpr int PAWN_STEP = Us == White ? 8 : -8;
template <Color Us> constexpr Square HOME_CORNER = Us == White ? 0 : 56;  // a1 or a8
template <Color Us> constexpr int32_t KEEP_WITHOUT_OWN_RIGHTS = Us == White ? 252 : 243;

// The board changes below are toggles, which undo themselves, plus the sums and counts,
// which Undo reverses; so one body per kind serves make and unmake.
inline void toggleOccupied(Position& pos, Bitboard squares) {
    pos.occupied ^= squares;
    pos.emptySquares ^= squares;
}

template <Color Us, bool Undo> inline void shiftMan(Position& pos, Piece p, Square from, Square to) {
    const Bitboard fromTo = squareBit(from) | squareBit(to);
    pos.pieceBits[p] ^= fromTo;
    menOf<Us>(pos) ^= fromTo;
    const PackedScore delta = pos.evalTables.pst[p][to] - pos.evalTables.pst[p][from];
    pstSumOf<Us>(pos) += Undo ? -delta : delta;
}

template <Color Us, bool Undo> inline void promoteMan(Position& pos, Piece newMan, Square from, Square to) {
    constexpr Piece pawn = pieceOf(Us, WHITE_PAWN);
    pos.pieceBits[pawn] ^= squareBit(from);
    pos.pieceBits[newMan] ^= squareBit(to);
    menOf<Us>(pos) ^= squareBit(from) | squareBit(to);
    const PackedScore delta = pos.evalTables.pst[newMan][to] - pos.evalTables.pst[pawn][from];
    pstSumOf<Us>(pos) += Undo ? -delta : delta;
}

// Takes (or on Undo, puts back) the man v of colour Them on s; occupied is the caller's.
template <Color Them, bool Undo> inline void takeMan(Position& pos, Piece v, Square s) {
    pos.pieceBits[v] ^= squareBit(s);
    menOf<Them>(pos) ^= squareBit(s);
    menCountOf<Them>(pos) += Undo ? 1 : -1;
    pstSumOf<Them>(pos) += Undo ? pos.evalTables.pst[v][s] : -pos.evalTables.pst[v][s];
}

template <Color Us> inline void placeKing(Position& pos, Square s) {
    kingSquareOf<Us>(pos) = s;
    kingBetweenRowOf<Us>(pos) = betweenMask[s];
    kingDirectionRowOf<Us>(pos) = directionIndex[s];
}

// Check by the man of kind Kind that Us has just put on to.
template <Color Us, Piece Kind> inline Bitboard directCheck(const Position& pos, Square to) {
    constexpr Color Them = opposite(Us);
    const Square k = kingSquareOf<Them>(pos);
    const Bitboard king = squareBit(k);
    if constexpr (Kind == WHITE_KNIGHT)
        return (knightAttacks[to] & king) ? squareBit(to) : 0;
    else if constexpr (Kind == WHITE_PAWN)
        return (pawnAttacksOf<Us>(to) & king) ? squareBit(to) : 0;
    else {
        const Bitboard line = Kind == WHITE_QUEEN  ? queenEmptyAttacks[to]
                              : Kind == WHITE_ROOK ? rookEmptyAttacks[to]
                                                   : bishopEmptyAttacks[to];
        if ((line & king) && (kingBetweenRowOf<Them>(pos)[to] & pos.occupied) == 0) return squareBit(to);
        return 0;
    }
}

// Check by a slider of Us uncovered by emptying square s: the first of its queens and
// rooks or bishops on the enemy king's line through s with nothing between.
template <Color Us> inline Bitboard discoveredCheck(const Position& pos, Square s) {
    constexpr Color Them = opposite(Us);
    const int d = kingDirectionRowOf<Them>(pos)[s];
    if (d == NO_SQUARE) return 0;
    const Square k = kingSquareOf<Them>(pos);
    const bool diagonal = (bishopEmptyAttacks[s] & squareBit(k)) != 0;
    Bitboard candidates = diagonal ? piecesOf<Us>(pos, WHITE_BISHOP) : piecesOf<Us>(pos, WHITE_ROOK);
    candidates = (candidates | piecesOf<Us>(pos, WHITE_QUEEN)) & rayAttacks[k][d];
    const Bitboard* between = kingBetweenRowOf<Them>(pos);
    while (candidates != 0) {
        const Square c = popLowest(candidates);
        if ((between[c] & pos.occupied) == 0) return squareBit(c);
    }
    return 0;
}

template <Color Us, Piece Kind, bool Undo> void quietMove(Position& pos, Move m, StateRecord& next) {
    constexpr Piece p = pieceOf(Us, Kind);
    const Square from = moveFrom(m), to = moveTo(m);
    shiftMan<Us, Undo>(pos, p, from, to);
    toggleOccupied(pos, squareBit(from) | squareBit(to));
    if constexpr (!Undo) {
        next.key ^= zobristPiece[p][from] ^ zobristPiece[p][to];
        if constexpr (Kind == WHITE_ROOK) next.castling &= CASTLING_KEEP_MASK[from];
        next.checkers = directCheck<Us, Kind>(pos, to) | discoveredCheck<Us>(pos, from);
    }
}

template <Color Us, Piece Kind, bool Undo> void pieceCapture(Position& pos, Move m, StateRecord& next) {
    constexpr Color Them = opposite(Us);
    constexpr Piece p = pieceOf(Us, Kind);
    const Square from = moveFrom(m), to = moveTo(m);
    const Piece victim = moveCaptured(m);
    shiftMan<Us, Undo>(pos, p, from, to);
    takeMan<Them, Undo>(pos, victim, to);
    toggleOccupied(pos, squareBit(from));
    if constexpr (!Undo) {
        next.key ^= zobristPiece[p][from] ^ zobristPiece[p][to] ^ zobristPiece[victim][to];
        next.halfmoveClock = 0;
        if constexpr (Kind == WHITE_ROOK) next.castling &= CASTLING_KEEP_MASK[from];
        next.castling &= CASTLING_KEEP_MASK[to];
        next.checkers = directCheck<Us, Kind>(pos, to) | discoveredCheck<Us>(pos, from);
    }
}

template <Color Us, bool Capture, bool Undo> void kingMove(Position& pos, Move m, StateRecord& next) {
    constexpr Color Them = opposite(Us);
    constexpr Piece king = pieceOf(Us, WHITE_KING);
    const Square from = moveFrom(m), to = moveTo(m);
    shiftMan<Us, Undo>(pos, king, from, to);
    placeKing<Us>(pos, Undo ? from : to);
    if constexpr (Capture) {
        takeMan<Them, Undo>(pos, moveCaptured(m), to);
        toggleOccupied(pos, squareBit(from));
    } else {
        toggleOccupied(pos, squareBit(from) | squareBit(to));
    }
    if constexpr (!Undo) {
        next.key ^= zobristPiece[king][from] ^ zobristPiece[king][to];
        if constexpr (Capture) {
            next.key ^= zobristPiece[moveCaptured(m)][to];
            next.halfmoveClock = 0;
            next.castling &= CASTLING_KEEP_MASK[to];
        }
        next.castling &= KEEP_WITHOUT_OWN_RIGHTS<Us>;
        next.checkers = discoveredCheck<Us>(pos, from);
    }
}

template <Color Us, bool Undo> void castle(Position& pos, Move m, StateRecord& next) {
    constexpr Piece king = pieceOf(Us, WHITE_KING), rook = pieceOf(Us, WHITE_ROOK);
    const Square from = moveFrom(m), to = moveTo(m);
    const bool kingSide = to > from;
    const Square rookFrom = HOME_CORNER<Us> + (kingSide ? 7 : 0);
    const Square rookTo = HOME_CORNER<Us> + (kingSide ? 5 : 3);
    shiftMan<Us, Undo>(pos, king, from, to);
    placeKing<Us>(pos, Undo ? from : to);
    shiftMan<Us, Undo>(pos, rook, rookFrom, rookTo);
    toggleOccupied(pos, squareBit(from) | squareBit(to) | squareBit(rookFrom) | squareBit(rookTo));
    if constexpr (!Undo) {
        next.key ^= zobristPiece[king][from] ^ zobristPiece[king][to] ^ zobristPiece[rook][rookFrom] ^
                    zobristPiece[rook][rookTo];
        next.castling &= KEEP_WITHOUT_OWN_RIGHTS<Us>;
        next.checkers = directCheck<Us, WHITE_ROOK>(pos, rookTo);
    }
}

template <Color Us, bool Undo> void enPassant(Position& pos, Move m, StateRecord& next) {
    constexpr Color Them = opposite(Us);
    constexpr Piece pawn = pieceOf(Us, WHITE_PAWN), enemyPawn = pieceOf(Them, WHITE_PAWN);
    const Square from = moveFrom(m), to = moveTo(m);
    const Square taken = to - PAWN_STEP<Us>;
    shiftMan<Us, Undo>(pos, pawn, from, to);
    takeMan<Them, Undo>(pos, enemyPawn, taken);
    toggleOccupied(pos, squareBit(from) | squareBit(to) | squareBit(taken));
    if constexpr (!Undo) {
        next.key ^= zobristPiece[pawn][from] ^ zobristPiece[pawn][to] ^ zobristPiece[enemyPawn][taken];
        next.halfmoveClock = 0;
        next.checkers =
            directCheck<Us, WHITE_PAWN>(pos, to) | discoveredCheck<Us>(pos, from) | discoveredCheck<Us>(pos, taken);
    }
}

template <Color Us, bool Undo> void pawnPush(Position& pos, Move m, StateRecord& next) {
    constexpr Piece pawn = pieceOf(Us, WHITE_PAWN);
    const Square from = moveFrom(m), to = moveTo(m);
    shiftMan<Us, Undo>(pos, pawn, from, to);
    toggleOccupied(pos, squareBit(from) | squareBit(to));
    if constexpr (!Undo) {
        next.key ^= zobristPiece[pawn][from] ^ zobristPiece[pawn][to];
        next.halfmoveClock = 0;
        // Set after every double step, whether or not an enemy pawn can take.
        if (to == from + 2 * PAWN_STEP<Us>) next.epSquare = from + PAWN_STEP<Us>;
        next.checkers = directCheck<Us, WHITE_PAWN>(pos, to) | discoveredCheck<Us>(pos, from);
    }
}

// The new man may check along any line, and the emptied square may uncover one, so the
// checkers are recomputed in full.
template <Color Us, bool Capture, bool Undo> void promotion(Position& pos, Move m, StateRecord& next) {
    constexpr Color Them = opposite(Us);
    constexpr Piece pawn = pieceOf(Us, WHITE_PAWN);
    const Square from = moveFrom(m), to = moveTo(m);
    const Piece newMan = movePromotion(m);
    promoteMan<Us, Undo>(pos, newMan, from, to);
    if constexpr (Capture) {
        takeMan<Them, Undo>(pos, moveCaptured(m), to);
        toggleOccupied(pos, squareBit(from));
    } else {
        toggleOccupied(pos, squareBit(from) | squareBit(to));
    }
    if constexpr (!Undo) {
        next.key ^= zobristPiece[pawn][from] ^ zobristPiece[newMan][to];
        if constexpr (Capture) {
            next.key ^= zobristPiece[moveCaptured(m)][to];
            next.castling &= CASTLING_KEEP_MASK[to];
        }
        next.halfmoveClock = 0;
        next.checkers = attackersOf<Us>(pos, kingSquareOf<Them>(pos), pos.occupied);
    }
}

using KindHandler = void (*)(Position&, Move, StateRecord&);

// The handlers by kind, with a mark per slot so that a missing entry fails to compile.
struct KindTable {
    std::array<KindHandler, MOVE_KINDS> handlers{};
    std::array<bool, MOVE_KINDS> filled{};

    constexpr void set(MoveKind kind, KindHandler handler) {
        handlers[kind] = handler;
        filled[kind] = true;
    }
    constexpr bool complete() const {
        for (bool f : filled)
            if (!f) return false;
        return true;
    }
};

template <Color Us, bool Undo> constexpr void fillColour(KindTable& t) {
    constexpr MoveKind base = Us == White ? 0 : KIND_BLACK;
    t.set(base + KIND_CAPTURE_PROMOTION, &promotion<Us, true, Undo>);
    t.set(base + KIND_PROMOTION, &promotion<Us, false, Undo>);
    t.set(base + KIND_KING_CAPTURE, &kingMove<Us, true, Undo>);
    t.set(base + KIND_QUEEN_CAPTURE, &pieceCapture<Us, WHITE_QUEEN, Undo>);
    t.set(base + KIND_ROOK_CAPTURE, &pieceCapture<Us, WHITE_ROOK, Undo>);
    t.set(base + KIND_BISHOP_CAPTURE, &pieceCapture<Us, WHITE_BISHOP, Undo>);
    t.set(base + KIND_KNIGHT_CAPTURE, &pieceCapture<Us, WHITE_KNIGHT, Undo>);
    t.set(base + KIND_PAWN_CAPTURE, &pieceCapture<Us, WHITE_PAWN, Undo>);
    t.set(base + KIND_EN_PASSANT, &enPassant<Us, Undo>);
    t.set(base + KIND_CASTLING, &castle<Us, Undo>);
    t.set(base + KIND_KING_MOVE, &kingMove<Us, false, Undo>);
    t.set(base + KIND_QUEEN_MOVE, &quietMove<Us, WHITE_QUEEN, Undo>);
    t.set(base + KIND_ROOK_MOVE, &quietMove<Us, WHITE_ROOK, Undo>);
    t.set(base + KIND_BISHOP_MOVE, &quietMove<Us, WHITE_BISHOP, Undo>);
    t.set(base + KIND_KNIGHT_MOVE, &quietMove<Us, WHITE_KNIGHT, Undo>);
    t.set(base + KIND_PAWN_PUSH, &pawnPush<Us, Undo>);
}

template <bool Undo> constexpr KindTable makeKindTable() {
    KindTable t;
    fillColour<White, Undo>(t);
    fillColour<Black, Undo>(t);
    return t;
}

constexpr KindTable MAKE_HANDLERS = makeKindTable<false>();
constexpr KindTable UNMAKE_HANDLERS = makeKindTable<true>();
static_assert(MAKE_HANDLERS.complete(), "every move kind needs a make handler");
static_assert(UNMAKE_HANDLERS.complete(), "every move kind needs an unmake handler");

template <Color Us> bool makeMoveFor(Position& pos, Move move) {
    assert((moveKind(move) >= KIND_BLACK) == (Us == Black));
    if (!hasFreeState(pos)) return false;
    const StateRecord& current = *pos.currentState;
    StateRecord& next = *pos.nextState;
    next.key = current.key;
    next.castling = current.castling;
    next.epSquare = NO_SQUARE;
    next.halfmoveClock = current.halfmoveClock + 1;
    MAKE_HANDLERS.handlers[moveKind(move)](pos, move, next);
    pos.sideToMove = Us == White ? 1 : 0;
    ++pos.currentState;
    ++pos.nextState;
    ++movesMadeOf<Us>(pos);
    assert(positionConsistent(pos));
    return true;
}

template <Color Us> void unmakeMoveFor(Position& pos, Move move) {
    assert((moveKind(move) >= KIND_BLACK) == (Us == Black));
    if (pos.currentState == pos.stateStack) return;  // nothing has been made since set-up
    --movesMadeOf<Us>(pos);
    --pos.currentState;
    --pos.nextState;
    pos.sideToMove = Us == White ? 0 : 1;
    // An unmake body reads no state record; the abandoned one keeps the undone move's values.
    UNMAKE_HANDLERS.handlers[moveKind(move)](pos, move, *pos.nextState);
    assert(positionConsistent(pos));
}

bool isBlackMove(Move move) { return moveKind(move) >= KIND_BLACK; }

}  // namespace

bool makeMoveWhite(Position& pos, Move move) { return makeMoveFor<White>(pos, move); }
bool makeMoveBlack(Position& pos, Move move) { return makeMoveFor<Black>(pos, move); }
bool makeMove(Position& pos, Move move) {
    return isBlackMove(move) ? makeMoveFor<Black>(pos, move) : makeMoveFor<White>(pos, move);
}
bool makeMove(Move move) { return makeMove(gamePosition, move); }

void unmakeMoveWhite(Position& pos, Move move) { unmakeMoveFor<White>(pos, move); }
void unmakeMoveBlack(Position& pos, Move move) { unmakeMoveFor<Black>(pos, move); }
void unmakeMove(Position& pos, Move move) {
    if (isBlackMove(move))
        unmakeMoveFor<Black>(pos, move);
    else
        unmakeMoveFor<White>(pos, move);
}
void unmakeMove(Move move) { unmakeMove(gamePosition, move); }

}  // namespace early
