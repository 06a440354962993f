#include "makemove.h"

#include <array>
#include <cassert>

#include "attacks.h"
#include "checks.h"
#include "consistency.h"
#include "evaltables.h"
#include "tables.h"
#include "zobrist.h"

namespace {

inline MaterialKey materialDelta(PieceCode code) { return MaterialKey{1} << (4 * code); }

template <Color C> inline Bitboard& colourSet(Position& p) { return C == White ? p.whitePieces : p.blackPieces; }
template <Color C> inline PackedScore& pstSum(Position& p) { return C == White ? p.pstWhite : p.pstBlack; }
template <Color C> inline int32_t& phase(Position& p) { return C == White ? p.phaseWhite : p.phaseBlack; }

template <Color C> inline void placeKing(Position& p, Square s) {
    if (C == White) {
        p.kingSquareWhite = s;
        p.kingBetweenRowWhite = betweenMask[s];
        p.kingDirectionRowWhite = directionIndex[s];
    } else {
        p.kingSquareBlack = s;
        p.kingBetweenRowBlack = betweenMask[s];
        p.kingDirectionRowBlack = directionIndex[s];
    }
}

// A king move of either kind gives up both of its side's castling rights.
template <Color C> constexpr int KING_MOVE_RIGHTS = C == White ? 0xFC : 0xF3;
// Square a1 of the mover's back rank; the castling squares are offsets from it.
template <Color C> constexpr Square BACK_RANK = C == White ? 0 : 56;
template <Color C> constexpr int UP = C == White ? 8 : -8;

inline void writePly(PlyState& next, uint64_t pieceKey, uint64_t pawnKey, int rights, int enPassant,
                     int reversible, Bitboard checkers) {
    next.pieceKey = pieceKey;
    next.pawnKey = pawnKey;
    next.castlingRights = rights;
    next.enPassantSquare = enPassant;
    next.reversibleCount = reversible;
    next.checkers = checkers;
    next.positionKey = pieceKey ^ castleKeys[rights];
    if (enPassant != NO_SQUARE) next.positionKey ^= enPassantKeys[enPassant];
}

// Checks given by a piece that moved from `from` to `to` (no promotion, no castling).
template <Color Us, PieceCode Piece> inline Bitboard checksAfter(const Position& p, Square from, Square to) {
    Bitboard direct = 0;
    if constexpr (Piece == PAWN) direct = directCheckPawn<Us>(p, to);
    else if constexpr (Piece == KNIGHT) direct = directCheckKnight<Us>(p, to);
    else if constexpr (Piece == DARK_BISHOP || Piece == LIGHT_BISHOP) direct = directCheckBishop<Us>(p, to);
    else if constexpr (Piece == ROOK) direct = directCheckRook<Us>(p, to);
    else if constexpr (Piece == QUEEN) direct = directCheckQueen<Us>(p, to);
    return direct | discoveredCheck<Us>(p, from);  // a king gives no direct check
}

// Quiet moves of every piece, single pawn steps and double steps.
template <Color Us, PieceCode Piece, bool DoubleStep = false>
void makeQuiet(Position& p, Move m, const PlyState& cur, PlyState& next) {
    const Square from = moveFrom(m), to = moveTo(m);
    const Bitboard fromTo = squareBit[from] | squareBit[to];
    constexpr PieceCode code = colored<Us>(Piece);
    p.pieceBitboards[code] ^= fromTo;
    colourSet<Us>(p) ^= fromTo;
    p.occupiedSquares ^= fromTo;
    p.emptySquares ^= fromTo;
    pstSum<Us>(p) += pieceSquareTable[code][to] - pieceSquareTable[code][from];
    const uint64_t moved = pieceSquareKeys[code][from] ^ pieceSquareKeys[code][to];
    int rights = cur.castlingRights;
    if constexpr (Piece == ROOK) rights &= castleMask[from];
    if constexpr (Piece == KING) {
        rights &= KING_MOVE_RIGHTS<Us>;
        placeKing<Us>(p, to);
    }
    const bool pawn = Piece == PAWN;
    writePly(next, cur.pieceKey ^ moved, pawn ? cur.pawnKey ^ moved : cur.pawnKey, rights,
             DoubleStep ? from + UP<Us> : NO_SQUARE, pawn ? 0 : cur.reversibleCount + 1,
             checksAfter<Us, Piece>(p, from, to));
}

template <Color Us, PieceCode Piece> void makeCapture(Position& p, Move m, const PlyState& cur, PlyState& next) {
    constexpr Color Them = opposite(Us);
    const Square from = moveFrom(m), to = moveTo(m);
    const PieceCode victim = moveVictim(m);
    const Bitboard toBit = squareBit[to], fromTo = squareBit[from] | toBit;
    constexpr PieceCode code = colored<Us>(Piece);
    p.pieceBitboards[code] ^= fromTo;
    colourSet<Us>(p) ^= fromTo;
    p.pieceBitboards[victim] ^= toBit;
    colourSet<Them>(p) ^= toBit;
    p.occupiedSquares ^= squareBit[from];
    p.emptySquares ^= squareBit[from];
    pstSum<Us>(p) += pieceSquareTable[code][to] - pieceSquareTable[code][from];
    pstSum<Them>(p) -= pieceSquareTable[victim][to];
    p.materialKey -= materialDelta(victim);
    phase<Them>(p) -= phaseWeights[victim];
    const uint64_t moved = pieceSquareKeys[code][from] ^ pieceSquareKeys[code][to];
    const uint64_t taken = pieceSquareKeys[victim][to];
    uint64_t pawnKey = cur.pawnKey;
    if constexpr (Piece == PAWN) pawnKey ^= moved;
    if (victim == colored<Them>(PAWN)) pawnKey ^= taken;
    int rights = cur.castlingRights & castleMask[to];
    if constexpr (Piece == ROOK) rights &= castleMask[from];
    if constexpr (Piece == KING) {
        rights &= KING_MOVE_RIGHTS<Us>;
        placeKing<Us>(p, to);
    }
    writePly(next, cur.pieceKey ^ moved ^ taken, pawnKey, rights, NO_SQUARE, 0, checksAfter<Us, Piece>(p, from, to));
}

// Promotions with (Capture) and without capture. The promoted piece may check from its
// square and uncover a slider at once, so the king's attackers are computed in full.
template <Color Us, bool Capture> void makePromotion(Position& p, Move m, const PlyState& cur, PlyState& next) {
    constexpr Color Them = opposite(Us);
    constexpr PieceCode pawn = colored<Us>(PAWN);
    const Square from = moveFrom(m), to = moveTo(m);
    const PieceCode promoted = movePromotion(m);
    const Bitboard fromBit = squareBit[from], toBit = squareBit[to];
    p.pieceBitboards[pawn] ^= fromBit;
    p.pieceBitboards[promoted] ^= toBit;
    colourSet<Us>(p) ^= fromBit | toBit;
    pstSum<Us>(p) += pieceSquareTable[promoted][to] - pieceSquareTable[pawn][from];
    p.materialKey += materialDelta(promoted) - materialDelta(pawn);
    phase<Us>(p) += phaseWeights[promoted];
    uint64_t pieceKey = cur.pieceKey ^ pieceSquareKeys[pawn][from] ^ pieceSquareKeys[promoted][to];
    int rights = cur.castlingRights;
    if constexpr (Capture) {
        const PieceCode victim = moveVictim(m);
        p.pieceBitboards[victim] ^= toBit;
        colourSet<Them>(p) ^= toBit;
        p.occupiedSquares ^= fromBit;
        p.emptySquares ^= fromBit;
        pstSum<Them>(p) -= pieceSquareTable[victim][to];
        p.materialKey -= materialDelta(victim);
        phase<Them>(p) -= phaseWeights[victim];
        pieceKey ^= pieceSquareKeys[victim][to];
        rights &= castleMask[to];
    } else {
        p.occupiedSquares ^= fromBit | toBit;
        p.emptySquares ^= fromBit | toBit;
    }
    writePly(next, pieceKey, cur.pawnKey ^ pieceSquareKeys[pawn][from], rights, NO_SQUARE, 0,
             attackers<Us>(p, kingSquare<Them>(p)));
}

template <Color Us> void makeEnPassant(Position& p, Move m, const PlyState& cur, PlyState& next) {
    constexpr Color Them = opposite(Us);
    constexpr PieceCode pawn = colored<Us>(PAWN), theirPawn = colored<Them>(PAWN);
    const Square from = moveFrom(m), to = moveTo(m), captured = to - UP<Us>;
    const Bitboard fromTo = squareBit[from] | squareBit[to], capturedBit = squareBit[captured];
    p.pieceBitboards[pawn] ^= fromTo;
    colourSet<Us>(p) ^= fromTo;
    p.pieceBitboards[theirPawn] ^= capturedBit;
    colourSet<Them>(p) ^= capturedBit;
    p.occupiedSquares ^= fromTo | capturedBit;
    p.emptySquares ^= fromTo | capturedBit;
    pstSum<Us>(p) += pieceSquareTable[pawn][to] - pieceSquareTable[pawn][from];
    pstSum<Them>(p) -= pieceSquareTable[theirPawn][captured];
    p.materialKey -= materialDelta(theirPawn);
    const uint64_t changed =
        pieceSquareKeys[pawn][from] ^ pieceSquareKeys[pawn][to] ^ pieceSquareKeys[theirPawn][captured];
    // Two lines may open at once: one through the origin, one through the captured pawn.
    writePly(next, cur.pieceKey ^ changed, cur.pawnKey ^ changed, cur.castlingRights, NO_SQUARE, 0,
             directCheckPawn<Us>(p, to) | discoveredCheck<Us>(p, from) | discoveredCheck<Us>(p, captured));
}

template <Color Us, bool KingSide> struct CastleSquares {
    static constexpr Square kingFrom = BACK_RANK<Us> + 4;
    static constexpr Square kingTo = BACK_RANK<Us> + (KingSide ? 6 : 2);
    static constexpr Square rookFrom = BACK_RANK<Us> + (KingSide ? 7 : 0);
    static constexpr Square rookTo = BACK_RANK<Us> + (KingSide ? 5 : 3);
    static constexpr Bitboard kingBits = makeSquareBits(kingFrom) | makeSquareBits(kingTo);
    static constexpr Bitboard rookBits = makeSquareBits(rookFrom) | makeSquareBits(rookTo);
};

// The king's and the rook's squares lie on the board's edge, so only the rook can check.
template <Color Us, bool KingSide> void makeCastle(Position& p, Move, const PlyState& cur, PlyState& next) {
    using C = CastleSquares<Us, KingSide>;
    constexpr PieceCode king = colored<Us>(KING), rook = colored<Us>(ROOK);
    p.pieceBitboards[king] ^= C::kingBits;
    p.pieceBitboards[rook] ^= C::rookBits;
    colourSet<Us>(p) ^= C::kingBits | C::rookBits;
    p.occupiedSquares ^= C::kingBits | C::rookBits;
    p.emptySquares ^= C::kingBits | C::rookBits;
    pstSum<Us>(p) += pieceSquareTable[king][C::kingTo] - pieceSquareTable[king][C::kingFrom] +
                     pieceSquareTable[rook][C::rookTo] - pieceSquareTable[rook][C::rookFrom];
    placeKing<Us>(p, C::kingTo);
    const uint64_t pieceKey = cur.pieceKey ^ pieceSquareKeys[king][C::kingFrom] ^ pieceSquareKeys[king][C::kingTo] ^
                              pieceSquareKeys[rook][C::rookFrom] ^ pieceSquareKeys[rook][C::rookTo];
    writePly(next, pieceKey, cur.pawnKey, cur.castlingRights & KING_MOVE_RIGHTS<Us>, NO_SQUARE,
             cur.reversibleCount + 1, directCheckRook<Us>(p, C::rookTo));
}

template <Color Us, PieceCode Piece> void unmakeQuiet(Position& p, Move m) {
    const Square from = moveFrom(m), to = moveTo(m);
    const Bitboard fromTo = squareBit[from] | squareBit[to];
    constexpr PieceCode code = colored<Us>(Piece);
    p.pieceBitboards[code] ^= fromTo;
    colourSet<Us>(p) ^= fromTo;
    p.occupiedSquares ^= fromTo;
    p.emptySquares ^= fromTo;
    pstSum<Us>(p) += pieceSquareTable[code][from] - pieceSquareTable[code][to];
    if constexpr (Piece == KING) placeKing<Us>(p, from);
}

template <Color Us, PieceCode Piece> void unmakeCapture(Position& p, Move m) {
    constexpr Color Them = opposite(Us);
    const Square from = moveFrom(m), to = moveTo(m);
    const PieceCode victim = moveVictim(m);
    const Bitboard toBit = squareBit[to], fromTo = squareBit[from] | toBit;
    constexpr PieceCode code = colored<Us>(Piece);
    p.pieceBitboards[code] ^= fromTo;
    colourSet<Us>(p) ^= fromTo;
    p.pieceBitboards[victim] ^= toBit;
    colourSet<Them>(p) ^= toBit;
    p.occupiedSquares ^= squareBit[from];
    p.emptySquares ^= squareBit[from];
    pstSum<Us>(p) += pieceSquareTable[code][from] - pieceSquareTable[code][to];
    pstSum<Them>(p) += pieceSquareTable[victim][to];
    p.materialKey += materialDelta(victim);
    phase<Them>(p) += phaseWeights[victim];
    if constexpr (Piece == KING) placeKing<Us>(p, from);
}

template <Color Us, bool Capture> void unmakePromotion(Position& p, Move m) {
    constexpr Color Them = opposite(Us);
    constexpr PieceCode pawn = colored<Us>(PAWN);
    const Square from = moveFrom(m), to = moveTo(m);
    const PieceCode promoted = movePromotion(m);
    const Bitboard fromBit = squareBit[from], toBit = squareBit[to];
    p.pieceBitboards[pawn] ^= fromBit;
    p.pieceBitboards[promoted] ^= toBit;
    colourSet<Us>(p) ^= fromBit | toBit;
    pstSum<Us>(p) += pieceSquareTable[pawn][from] - pieceSquareTable[promoted][to];
    p.materialKey += materialDelta(pawn) - materialDelta(promoted);
    phase<Us>(p) -= phaseWeights[promoted];
    if constexpr (Capture) {
        const PieceCode victim = moveVictim(m);
        p.pieceBitboards[victim] ^= toBit;
        colourSet<Them>(p) ^= toBit;
        p.occupiedSquares ^= fromBit;
        p.emptySquares ^= fromBit;
        pstSum<Them>(p) += pieceSquareTable[victim][to];
        p.materialKey += materialDelta(victim);
        phase<Them>(p) += phaseWeights[victim];
    } else {
        p.occupiedSquares ^= fromBit | toBit;
        p.emptySquares ^= fromBit | toBit;
    }
}

template <Color Us> void unmakeEnPassant(Position& p, Move m) {
    constexpr Color Them = opposite(Us);
    constexpr PieceCode pawn = colored<Us>(PAWN), theirPawn = colored<Them>(PAWN);
    const Square from = moveFrom(m), to = moveTo(m), captured = to - UP<Us>;
    const Bitboard fromTo = squareBit[from] | squareBit[to], capturedBit = squareBit[captured];
    p.pieceBitboards[pawn] ^= fromTo;
    colourSet<Us>(p) ^= fromTo;
    p.pieceBitboards[theirPawn] ^= capturedBit;
    colourSet<Them>(p) ^= capturedBit;
    p.occupiedSquares ^= fromTo | capturedBit;
    p.emptySquares ^= fromTo | capturedBit;
    pstSum<Us>(p) += pieceSquareTable[pawn][from] - pieceSquareTable[pawn][to];
    pstSum<Them>(p) += pieceSquareTable[theirPawn][captured];
    p.materialKey += materialDelta(theirPawn);
}

template <Color Us, bool KingSide> void unmakeCastle(Position& p, Move) {
    using C = CastleSquares<Us, KingSide>;
    constexpr PieceCode king = colored<Us>(KING), rook = colored<Us>(ROOK);
    p.pieceBitboards[king] ^= C::kingBits;
    p.pieceBitboards[rook] ^= C::rookBits;
    colourSet<Us>(p) ^= C::kingBits | C::rookBits;
    p.occupiedSquares ^= C::kingBits | C::rookBits;
    p.emptySquares ^= C::kingBits | C::rookBits;
    pstSum<Us>(p) += pieceSquareTable[king][C::kingFrom] - pieceSquareTable[king][C::kingTo] +
                     pieceSquareTable[rook][C::rookFrom] - pieceSquareTable[rook][C::rookTo];
    placeKing<Us>(p, C::kingFrom);
}

using MakeHandler = void (*)(Position&, Move, const PlyState&, PlyState&);
using UnmakeHandler = void (*)(Position&, Move);

// A handler table that remembers which slots were filled, so completeness is checked at
// compile time without comparing function addresses (not a constant expression in every
// build mode).
template <typename Handler> struct HandlerTable {
    std::array<Handler, MOVE_KIND_COUNT> handlers{};
    std::array<bool, MOVE_KIND_COUNT> filled{};
    constexpr void set(MoveKind kind, Handler handler) {
        handlers[kind] = handler;
        filled[kind] = true;
    }
    constexpr bool complete() const {
        for (bool f : filled)
            if (!f) return false;
        return true;
    }
};

constexpr HandlerTable<MakeHandler> MAKE_HANDLERS = [] {
    HandlerTable<MakeHandler> t;
    t.set(MOVE_CPA_WP, &makePromotion<White, true>);
    t.set(MOVE_ADV_WP, &makePromotion<White, false>);
    t.set(MOVE_EPS_WP, &makeEnPassant<White>);
    t.set(MOVE_CPT_WP, &makeCapture<White, PAWN>);
    t.set(MOVE_CPT_WN, &makeCapture<White, KNIGHT>);
    t.set(MOVE_CPT_WD, &makeCapture<White, DARK_BISHOP>);
    t.set(MOVE_CPT_WL, &makeCapture<White, LIGHT_BISHOP>);
    t.set(MOVE_CPT_WR, &makeCapture<White, ROOK>);
    t.set(MOVE_CPT_WQ, &makeCapture<White, QUEEN>);
    t.set(MOVE_CPT_WK, &makeCapture<White, KING>);
    t.set(MOVE_JMP_WP, &makeQuiet<White, PAWN, true>);
    t.set(MOVE_NRM_WP, &makeQuiet<White, PAWN>);
    t.set(MOVE_NRM_WN, &makeQuiet<White, KNIGHT>);
    t.set(MOVE_NRM_WD, &makeQuiet<White, DARK_BISHOP>);
    t.set(MOVE_NRM_WL, &makeQuiet<White, LIGHT_BISHOP>);
    t.set(MOVE_NRM_WR, &makeQuiet<White, ROOK>);
    t.set(MOVE_NRM_WQ, &makeQuiet<White, QUEEN>);
    t.set(MOVE_NRM_WK, &makeQuiet<White, KING>);
    t.set(MOVE_CSK_WK, &makeCastle<White, true>);
    t.set(MOVE_CSQ_WK, &makeCastle<White, false>);
    t.set(MOVE_CPA_BP, &makePromotion<Black, true>);
    t.set(MOVE_ADV_BP, &makePromotion<Black, false>);
    t.set(MOVE_EPS_BP, &makeEnPassant<Black>);
    t.set(MOVE_CPT_BP, &makeCapture<Black, PAWN>);
    t.set(MOVE_CPT_BN, &makeCapture<Black, KNIGHT>);
    t.set(MOVE_CPT_BD, &makeCapture<Black, DARK_BISHOP>);
    t.set(MOVE_CPT_BL, &makeCapture<Black, LIGHT_BISHOP>);
    t.set(MOVE_CPT_BR, &makeCapture<Black, ROOK>);
    t.set(MOVE_CPT_BQ, &makeCapture<Black, QUEEN>);
    t.set(MOVE_CPT_BK, &makeCapture<Black, KING>);
    t.set(MOVE_JMP_BP, &makeQuiet<Black, PAWN, true>);
    t.set(MOVE_NRM_BP, &makeQuiet<Black, PAWN>);
    t.set(MOVE_NRM_BN, &makeQuiet<Black, KNIGHT>);
    t.set(MOVE_NRM_BD, &makeQuiet<Black, DARK_BISHOP>);
    t.set(MOVE_NRM_BL, &makeQuiet<Black, LIGHT_BISHOP>);
    t.set(MOVE_NRM_BR, &makeQuiet<Black, ROOK>);
    t.set(MOVE_NRM_BQ, &makeQuiet<Black, QUEEN>);
    t.set(MOVE_NRM_BK, &makeQuiet<Black, KING>);
    t.set(MOVE_CSK_BK, &makeCastle<Black, true>);
    t.set(MOVE_CSQ_BK, &makeCastle<Black, false>);
    return t;
}();
static_assert(MAKE_HANDLERS.complete(), "every move kind needs a make handler");

// A single and a double pawn step are undone alike.
constexpr HandlerTable<UnmakeHandler> UNMAKE_HANDLERS = [] {
    HandlerTable<UnmakeHandler> t;
    t.set(MOVE_CPA_WP, &unmakePromotion<White, true>);
    t.set(MOVE_ADV_WP, &unmakePromotion<White, false>);
    t.set(MOVE_EPS_WP, &unmakeEnPassant<White>);
    t.set(MOVE_CPT_WP, &unmakeCapture<White, PAWN>);
    t.set(MOVE_CPT_WN, &unmakeCapture<White, KNIGHT>);
    t.set(MOVE_CPT_WD, &unmakeCapture<White, DARK_BISHOP>);
    t.set(MOVE_CPT_WL, &unmakeCapture<White, LIGHT_BISHOP>);
    t.set(MOVE_CPT_WR, &unmakeCapture<White, ROOK>);
    t.set(MOVE_CPT_WQ, &unmakeCapture<White, QUEEN>);
    t.set(MOVE_CPT_WK, &unmakeCapture<White, KING>);
    t.set(MOVE_JMP_WP, &unmakeQuiet<White, PAWN>);
    t.set(MOVE_NRM_WP, &unmakeQuiet<White, PAWN>);
    t.set(MOVE_NRM_WN, &unmakeQuiet<White, KNIGHT>);
    t.set(MOVE_NRM_WD, &unmakeQuiet<White, DARK_BISHOP>);
    t.set(MOVE_NRM_WL, &unmakeQuiet<White, LIGHT_BISHOP>);
    t.set(MOVE_NRM_WR, &unmakeQuiet<White, ROOK>);
    t.set(MOVE_NRM_WQ, &unmakeQuiet<White, QUEEN>);
    t.set(MOVE_NRM_WK, &unmakeQuiet<White, KING>);
    t.set(MOVE_CSK_WK, &unmakeCastle<White, true>);
    t.set(MOVE_CSQ_WK, &unmakeCastle<White, false>);
    t.set(MOVE_CPA_BP, &unmakePromotion<Black, true>);
    t.set(MOVE_ADV_BP, &unmakePromotion<Black, false>);
    t.set(MOVE_EPS_BP, &unmakeEnPassant<Black>);
    t.set(MOVE_CPT_BP, &unmakeCapture<Black, PAWN>);
    t.set(MOVE_CPT_BN, &unmakeCapture<Black, KNIGHT>);
    t.set(MOVE_CPT_BD, &unmakeCapture<Black, DARK_BISHOP>);
    t.set(MOVE_CPT_BL, &unmakeCapture<Black, LIGHT_BISHOP>);
    t.set(MOVE_CPT_BR, &unmakeCapture<Black, ROOK>);
    t.set(MOVE_CPT_BQ, &unmakeCapture<Black, QUEEN>);
    t.set(MOVE_CPT_BK, &unmakeCapture<Black, KING>);
    t.set(MOVE_JMP_BP, &unmakeQuiet<Black, PAWN>);
    t.set(MOVE_NRM_BP, &unmakeQuiet<Black, PAWN>);
    t.set(MOVE_NRM_BN, &unmakeQuiet<Black, KNIGHT>);
    t.set(MOVE_NRM_BD, &unmakeQuiet<Black, DARK_BISHOP>);
    t.set(MOVE_NRM_BL, &unmakeQuiet<Black, LIGHT_BISHOP>);
    t.set(MOVE_NRM_BR, &unmakeQuiet<Black, ROOK>);
    t.set(MOVE_NRM_BQ, &unmakeQuiet<Black, QUEEN>);
    t.set(MOVE_NRM_BK, &unmakeQuiet<Black, KING>);
    t.set(MOVE_CSK_BK, &unmakeCastle<Black, true>);
    t.set(MOVE_CSQ_BK, &unmakeCastle<Black, false>);
    return t;
}();
static_assert(UNMAKE_HANDLERS.complete(), "every move kind needs an unmake handler");

}  // namespace

// The handlers read only the board and the two slots they are given, so the ply pointers
// move first and the handler's call is the last step (a jump, in the optimised build).
template <Color Us> void makeMove(Position& position, Move move) {
    PlyState& cur = *position.currentPly;
    PlyState& next = *position.nextPly;
    next.lastMove = move;
    ++position.currentPly;
    ++position.nextPly;
    ++position.searchPly;
    position.sideToMove = opposite(Us);
    MAKE_HANDLERS.handlers[moveKind(move)](position, move, cur, next);
#ifndef NDEBUG
    assert(positionIsConsistent(position));
#endif
}

template <Color Us> void unmakeMove(Position& position, Move move) {
    --position.searchPly;
    --position.currentPly;
    --position.nextPly;
    position.sideToMove = Us;
    UNMAKE_HANDLERS.handlers[moveKind(move)](position, move);
#ifndef NDEBUG
    assert(positionIsConsistent(position));
#endif
}

template void makeMove<White>(Position& position, Move move);
template void makeMove<Black>(Position& position, Move move);
template void unmakeMove<White>(Position& position, Move move);
template void unmakeMove<Black>(Position& position, Move move);

void makeMoveWhite(Position& position, Move move) { makeMove<White>(position, move); }
void makeMoveBlack(Position& position, Move move) { makeMove<Black>(position, move); }
void unmakeMoveWhite(Position& position, Move move) { unmakeMove<White>(position, move); }
void unmakeMoveBlack(Position& position, Move move) { unmakeMove<Black>(position, move); }

template <Color Us> void makeNullMove(Position& position) {
    const PlyState& cur = *position.currentPly;
    PlyState& next = *position.nextPly;
    next.pieceKey = cur.pieceKey;
    next.positionKey = cur.positionKey;  // keeps whatever en-passant key it held
    next.pawnKey = cur.pawnKey;
    next.castlingRights = cur.castlingRights;
    next.reversibleCount = cur.reversibleCount;
    next.checkers = cur.checkers;
    next.enPassantSquare = NO_SQUARE;
    ++position.currentPly;
    ++position.nextPly;
    ++position.nullMovesOnLine;
    ++position.searchPly;
    position.sideToMove = opposite(Us);
    // Deliberate: only White's null move leaves a mark; Black's reads as no move.
    if constexpr (Us == White) position.currentPly->lastMove = NULL_MOVE_WHITE_MARK;
    else position.currentPly->lastMove = 0;
}

void makeNullMoveWhite(Position& position) { makeNullMove<White>(position); }
void makeNullMoveBlack(Position& position) { makeNullMove<Black>(position); }
