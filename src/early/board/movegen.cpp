#include "movegen.h"

#include "attacks.h"
#include "bitboards.h"
#include "bitops.h"
#include "magics.h"

namespace early {

namespace {

// Victims are written queen first, so that the likeliest good captures come early.
constexpr Piece VICTIM_KINDS[5] = {WHITE_QUEEN, WHITE_ROOK, WHITE_BISHOP, WHITE_KNIGHT, WHITE_PAWN};
constexpr Piece PROMOTION_KINDS[4] = {WHITE_QUEEN, WHITE_ROOK, WHITE_BISHOP, WHITE_KNIGHT};

template <Color Us> constexpr MoveKind kindFor(MoveKind whiteKind) {
    return Us == White ? whiteKind : whiteKind + KIND_BLACK;
}

// Pawns one step from promotion, pawns that step without promoting, and pawns on their
// starting rank.
template <Color Us>
constexpr Bitboard PROMOTING_PAWN_SQUARES = Us == White ? 0x00FF000000000000ULL : 0x000000000000FF00ULL;
template <Color Us> constexpr Bitboard OTHER_PAWN_SQUARES = Us == White ? 0x0000FFFFFFFFFF00ULL : 0x00FFFFFFFFFF0000ULL;
template <Color Us>
constexpr Bitboard DOUBLE_STEP_SQUARES = Us == White ? 0x000000000000FF00ULL : 0x00FF000000000000ULL;
template <Color Us> constexpr int PAWN_STEP = Us == White ? 8 : -8;

inline Move* addMoves(Move* list, Square from, Bitboard targets, MoveKind kind, Piece captured) {
    while (targets != 0) *list++ = encodeMove(from, popLowest(targets), kind, captured);
    return list;
}

// Every promotion is four words: queen, rook, bishop, knight.
template <Color Us> inline Move* addPromotions(Move* list, Square from, Square to, MoveKind kind, Piece captured) {
    for (Piece kindOfNewMan : PROMOTION_KINDS)
        *list++ = encodeMove(from, to, kind, captured, pieceOf(Us, kindOfNewMan));
    return list;
}

// The code of the man of colour Them on s, testing queen, rook, bishop, knight and, when
// asked, pawn; -1 when none of them stands there (the king, or an empty square).
template <Color Them> inline Piece victimOn(const Position& pos, Square s, bool withPawn) {
    const Bitboard bit = squareBit(s);
    for (Piece kind : VICTIM_KINDS) {
        if (kind == WHITE_PAWN && !withPawn) break;
        if (piecesOf<Them>(pos, kind) & bit) return pieceOf(Them, kind);
    }
    return -1;
}

// The squares a man of Us on s may move to without uncovering its king (occupancy occ): all
// squares when it is not pinned, else the line from the king to the pinner, pinner included.
template <Color Us> inline Bitboard allowedSquares(const Position& pos, Square s, Bitboard occ) {
    constexpr Color Them = opposite(Us);
    const int d = kingDirectionRowOf<Us>(pos)[s];
    if (d == NO_SQUARE) return ALL_SQUARES;
    const Bitboard* kingBetween = kingBetweenRowOf<Us>(pos);
    if (kingBetween[s] & occ) return ALL_SQUARES;
    Bitboard pinners = (d & 1) ? piecesOf<Them>(pos, WHITE_BISHOP) : piecesOf<Them>(pos, WHITE_ROOK);
    pinners = (pinners | piecesOf<Them>(pos, WHITE_QUEEN)) & rayAttacks[s][d];
    while (pinners != 0) {
        const Square c = popLowest(pinners);
        if ((betweenMask[s][c] & occ) == 0) return kingBetween[c] | squareBit(c);
    }
    return ALL_SQUARES;
}

template <Piece Kind> inline Bitboard destinations(Square s, Bitboard occ) {
    if constexpr (Kind == WHITE_QUEEN)
        return queenAttacks(s, occ);
    else if constexpr (Kind == WHITE_ROOK)
        return rookAttacks(s, occ);
    else if constexpr (Kind == WHITE_BISHOP)
        return bishopAttacks(s, occ);
    else
        return knightAttacks[s];
}

// King steps to squares that Them does not attack for the occupancy occ (with the king
// lifted when in check, so that the squares behind it on a checking line count).
template <Color Us, bool Quiets> Move* addKingMoves(const Position& pos, Move* list, Bitboard occ) {
    constexpr Color Them = opposite(Us);
    const Square k = kingSquareOf<Us>(pos);
    if constexpr (Quiets) {
        for (Bitboard targets = kingAttacks[k] & pos.emptySquares; targets != 0;) {
            const Square to = popLowest(targets);
            if (!isAttackedBy<Them>(pos, to, occ)) *list++ = encodeMove(k, to, kindFor<Us>(KIND_KING_MOVE));
        }
    }
    for (Bitboard targets = kingAttacks[k] & menOf<Them>(pos); targets != 0;) {
        const Square to = popLowest(targets);
        if (isAttackedBy<Them>(pos, to, occ)) continue;
        const Piece victim = victimOn<Them>(pos, to, true);
        if (victim >= 0) *list++ = encodeMove(k, to, kindFor<Us>(KIND_KING_CAPTURE), victim);
    }
    return list;
}

template <Color Us> Move* addCastling(const Position& pos, Move* list) {
    constexpr Color Them = opposite(Us);
    constexpr Square home = Us == White ? 0 : 56;
    constexpr int kingSideRight = Us == White ? CASTLE_WHITE_KING : CASTLE_BLACK_KING;
    constexpr int queenSideRight = Us == White ? CASTLE_WHITE_QUEEN : CASTLE_BLACK_QUEEN;
    constexpr Move kingSide = Us == White ? CASTLE_WHITE_KING_SIDE : CASTLE_BLACK_KING_SIDE;
    constexpr Move queenSide = Us == White ? CASTLE_WHITE_QUEEN_SIDE : CASTLE_BLACK_QUEEN_SIDE;
    const int castling = pos.currentState->castling;
    const Bitboard rooks = piecesOf<Us>(pos, WHITE_ROOK);
    // The right stands for the king on its square; not being in check is the caller's case.
    if ((castling & kingSideRight) && (rooks & squareBit(home + 7)) &&
        (pos.occupied & (squareBit(home + 5) | squareBit(home + 6))) == 0 &&
        !isAttackedBy<Them>(pos, home + 5, pos.occupied) && !isAttackedBy<Them>(pos, home + 6, pos.occupied))
        *list++ = kingSide;
    // The square next to the rook may be attacked: the king does not cross it.
    if ((castling & queenSideRight) && (rooks & squareBit(home)) &&
        (pos.occupied & (squareBit(home + 1) | squareBit(home + 2) | squareBit(home + 3))) == 0 &&
        !isAttackedBy<Them>(pos, home + 3, pos.occupied) && !isAttackedBy<Them>(pos, home + 2, pos.occupied))
        *list++ = queenSide;
    return list;
}

template <Color Us, Piece Kind, bool Quiets> Move* addPieceMoves(const Position& pos, Move* list) {
    constexpr Color Them = opposite(Us);
    constexpr MoveKind quietKind = kindFor<Us>(KIND_KING_MOVE + Kind);
    constexpr MoveKind captureKind = kindFor<Us>(KIND_KING_CAPTURE + Kind);
    for (Bitboard men = piecesOf<Us>(pos, Kind); men != 0;) {
        const Square s = popLowest(men);
        const Bitboard reach = destinations<Kind>(s, pos.occupied) & allowedSquares<Us>(pos, s, pos.occupied);
        if constexpr (Quiets) list = addMoves(list, s, reach & pos.emptySquares, quietKind, 0);
        if ((reach & menOf<Them>(pos)) == 0) continue;
        for (Piece victim : VICTIM_KINDS)
            list = addMoves(list, s, reach & piecesOf<Them>(pos, victim), captureKind, pieceOf(Them, victim));
    }
    return list;
}

// Blocks on the checking line, then the capture of the checker on c.
template <Color Us, Piece Kind> Move* addPieceEvasions(const Position& pos, Move* list, Square c, Bitboard block) {
    constexpr Color Them = opposite(Us);
    constexpr MoveKind quietKind = kindFor<Us>(KIND_KING_MOVE + Kind);
    constexpr MoveKind captureKind = kindFor<Us>(KIND_KING_CAPTURE + Kind);
    for (Bitboard men = piecesOf<Us>(pos, Kind); men != 0;) {
        const Square s = popLowest(men);
        const Bitboard reach = destinations<Kind>(s, pos.occupied) & (block | squareBit(c));
        if (reach == 0) continue;
        const Bitboard allowed = reach & allowedSquares<Us>(pos, s, pos.occupied);
        list = addMoves(list, s, allowed & block, quietKind, 0);
        if (allowed & squareBit(c)) {
            const Piece victim = victimOn<Them>(pos, c, true);
            if (victim >= 0) *list++ = encodeMove(s, c, captureKind, victim);
        }
    }
    return list;
}

// The capture lifts the taken pawn for the pin test, which rejects the capture that would
// uncover the king along a rank through both pawns.
template <Color Us> Move* addEnPassant(const Position& pos, Move* list) {
    const int32_t ep = pos.currentState->epSquare;
    if (ep == NO_SQUARE) return list;
    const Bitboard occ = pos.occupied & ~squareBit(ep - PAWN_STEP<Us>);
    for (Bitboard takers = piecesOf<Us>(pos, WHITE_PAWN) & pawnAttackersFrom<Us>(ep); takers != 0;) {
        const Square s = popLowest(takers);
        if (allowedSquares<Us>(pos, s, occ) & squareBit(ep)) *list++ = encodeMove(s, ep, kindFor<Us>(KIND_EN_PASSANT));
    }
    return list;
}

template <Color Us, bool Steps> Move* addPawnMoves(const Position& pos, Move* list) {
    constexpr Color Them = opposite(Us);
    constexpr int up = PAWN_STEP<Us>;
    const Bitboard pawns = piecesOf<Us>(pos, WHITE_PAWN);
    const Bitboard enemies = menOf<Them>(pos);
    for (Bitboard men = pawns & PROMOTING_PAWN_SQUARES<Us>; men != 0;) {
        const Square s = popLowest(men);
        const Bitboard allowed = allowedSquares<Us>(pos, s, pos.occupied);
        if (pos.emptySquares & allowed & squareBit(s + up))
            list = addPromotions<Us>(list, s, s + up, kindFor<Us>(KIND_PROMOTION), 0);
        const Bitboard captures = pawnAttacksOf<Us>(s) & allowed & enemies;
        if (captures == 0) continue;
        for (Piece victim : PROMOTION_KINDS)
            for (Bitboard targets = captures & piecesOf<Them>(pos, victim); targets != 0;)
                list = addPromotions<Us>(list, s, popLowest(targets), kindFor<Us>(KIND_CAPTURE_PROMOTION),
                                         pieceOf(Them, victim));
    }
    for (Bitboard men = pawns & OTHER_PAWN_SQUARES<Us>; men != 0;) {
        const Square s = popLowest(men);
        const Bitboard allowed = allowedSquares<Us>(pos, s, pos.occupied);
        if constexpr (Steps) {
            if (pos.emptySquares & allowed & squareBit(s + up)) {
                *list++ = encodeMove(s, s + up, kindFor<Us>(KIND_PAWN_PUSH));
                if ((DOUBLE_STEP_SQUARES<Us> & squareBit(s)) && (pos.emptySquares & allowed & squareBit(s + 2 * up)))
                    *list++ = encodeMove(s, s + 2 * up, kindFor<Us>(KIND_PAWN_PUSH));
            }
        }
        const Bitboard captures = pawnAttacksOf<Us>(s) & allowed & enemies;
        if (captures == 0) continue;
        for (Piece victim : VICTIM_KINDS)
            list = addMoves(list, s, captures & piecesOf<Them>(pos, victim), kindFor<Us>(KIND_PAWN_CAPTURE),
                            pieceOf(Them, victim));
    }
    return list;
}

// Pawn blocks on the checking line and pawn captures of the checker on c.
template <Color Us> Move* addPawnEvasions(const Position& pos, Move* list, Square c, Bitboard block) {
    constexpr Color Them = opposite(Us);
    constexpr int up = PAWN_STEP<Us>;
    const Bitboard pawns = piecesOf<Us>(pos, WHITE_PAWN);
    const Bitboard checker = squareBit(c);
    for (Bitboard men = pawns & PROMOTING_PAWN_SQUARES<Us>; men != 0;) {
        const Square s = popLowest(men);
        const Bitboard allowed = allowedSquares<Us>(pos, s, pos.occupied);
        if (block & allowed & squareBit(s + up))
            list = addPromotions<Us>(list, s, s + up, kindFor<Us>(KIND_PROMOTION), 0);
        if (pawnAttacksOf<Us>(s) & allowed & checker) {
            const Piece victim = victimOn<Them>(pos, c, false);
            if (victim >= 0) list = addPromotions<Us>(list, s, c, kindFor<Us>(KIND_CAPTURE_PROMOTION), victim);
        }
    }
    for (Bitboard men = pawns & OTHER_PAWN_SQUARES<Us>; men != 0;) {
        const Square s = popLowest(men);
        const Bitboard allowed = allowedSquares<Us>(pos, s, pos.occupied);
        if (pos.emptySquares & squareBit(s + up)) {
            if (block & allowed & squareBit(s + up))
                *list++ = encodeMove(s, s + up, kindFor<Us>(KIND_PAWN_PUSH));
            else if ((DOUBLE_STEP_SQUARES<Us> & squareBit(s)) && (block & allowed & squareBit(s + 2 * up)))
                *list++ = encodeMove(s, s + 2 * up, kindFor<Us>(KIND_PAWN_PUSH));
        }
        if (pawnAttacksOf<Us>(s) & allowed & checker) {
            const Piece victim = victimOn<Them>(pos, c, true);
            if (victim >= 0) *list++ = encodeMove(s, c, kindFor<Us>(KIND_PAWN_CAPTURE), victim);
        }
    }
    return list;
}

template <Color Us> Move* generateMoves(const Position& pos, Move* list) {
    list = addCastling<Us>(pos, list);
    list = addKingMoves<Us, true>(pos, list, pos.occupied);
    list = addPieceMoves<Us, WHITE_QUEEN, true>(pos, list);
    list = addPieceMoves<Us, WHITE_ROOK, true>(pos, list);
    list = addPieceMoves<Us, WHITE_BISHOP, true>(pos, list);
    list = addPieceMoves<Us, WHITE_KNIGHT, true>(pos, list);
    list = addEnPassant<Us>(pos, list);
    list = addPawnMoves<Us, true>(pos, list);
    *list = 0;
    return list;
}

template <Color Us> Move* generateCaptures(const Position& pos, Move* list) {
    list = addKingMoves<Us, false>(pos, list, pos.occupied);
    list = addPieceMoves<Us, WHITE_QUEEN, false>(pos, list);
    list = addPieceMoves<Us, WHITE_ROOK, false>(pos, list);
    list = addPieceMoves<Us, WHITE_BISHOP, false>(pos, list);
    list = addPieceMoves<Us, WHITE_KNIGHT, false>(pos, list);
    list = addEnPassant<Us>(pos, list);
    list = addPawnMoves<Us, false>(pos, list);
    *list = 0;
    return list;
}

template <Color Us> Move* generateKingMoves(const Position& pos, Move* list) {
    const Square k = kingSquareOf<Us>(pos);
    list = addKingMoves<Us, true>(pos, list, pos.occupied & ~squareBit(k));
    *list = 0;
    return list;
}

template <Color Us> Move* generateEvasions(const Position& pos, Move* list) {
    const Square k = kingSquareOf<Us>(pos);
    const Square c = lowestSquare(pos.currentState->checkers);
    const Bitboard block = betweenMask[k][c];  // empty for a knight or pawn check
    list = addKingMoves<Us, true>(pos, list, pos.occupied & ~squareBit(k));
    list = addPieceEvasions<Us, WHITE_QUEEN>(pos, list, c, block);
    list = addPieceEvasions<Us, WHITE_ROOK>(pos, list, c, block);
    list = addPieceEvasions<Us, WHITE_BISHOP>(pos, list, c, block);
    list = addPieceEvasions<Us, WHITE_KNIGHT>(pos, list, c, block);
    // Only the pawn that has just made the double step can be taken en passant out of check.
    const int32_t ep = pos.currentState->epSquare;
    if (ep != NO_SQUARE && c == ep - PAWN_STEP<Us>) list = addEnPassant<Us>(pos, list);
    list = addPawnEvasions<Us>(pos, list, c, block);
    *list = 0;
    return list;
}

template <Color Us> Move* generateByCheckers(const Position& pos, Move* list) {
    const Bitboard checkers = pos.currentState->checkers;
    if (checkers == 0) return generateMoves<Us>(pos, list);
    if (checkers & (checkers - 1)) return generateKingMoves<Us>(pos, list);
    return generateEvasions<Us>(pos, list);
}

template <Color Us> Move* generateQuiescenceMoves(const Position& pos, Move* list) {
    const Bitboard checkers = pos.currentState->checkers;
    if (checkers == 0) return generateCaptures<Us>(pos, list);
    if (checkers & (checkers - 1)) return generateKingMoves<Us>(pos, list);
    return generateEvasions<Us>(pos, list);
}

}  // namespace

Move* generateLegalMoves(Move* list) {
    if (gamePosition.sideToMove == 0) return generateByCheckers<White>(gamePosition, list);
    return generateByCheckers<Black>(gamePosition, list);
}

Move* generateLegalMovesWhite(Move* list) { return generateMoves<White>(gamePosition, list); }
Move* generateLegalEvasionsWhite(Move* list) { return generateEvasions<White>(gamePosition, list); }
Move* generateLegalKingMovesWhite(Move* list) { return generateKingMoves<White>(gamePosition, list); }
Move* generateLegalMovesBlack(Move* list) { return generateMoves<Black>(gamePosition, list); }
Move* generateLegalEvasionsBlack(Move* list) { return generateEvasions<Black>(gamePosition, list); }
Move* generateLegalKingMovesBlack(Move* list) { return generateKingMoves<Black>(gamePosition, list); }

Move* generateMovesWhite(const Position& pos, Move* list) { return generateMoves<White>(pos, list); }
Move* generateEvasionsWhite(const Position& pos, Move* list) { return generateEvasions<White>(pos, list); }
Move* generateKingMovesWhite(const Position& pos, Move* list) { return generateKingMoves<White>(pos, list); }
Move* generateMovesBlack(const Position& pos, Move* list) { return generateMoves<Black>(pos, list); }
Move* generateEvasionsBlack(const Position& pos, Move* list) { return generateEvasions<Black>(pos, list); }
Move* generateKingMovesBlack(const Position& pos, Move* list) { return generateKingMoves<Black>(pos, list); }

Move* generateCapturesWhite(const Position& pos, Move* list) { return generateCaptures<White>(pos, list); }
Move* generateCapturesBlack(const Position& pos, Move* list) { return generateCaptures<Black>(pos, list); }

Move* generateQuiescenceMovesWhite(const Position& pos, Move* list) {
    return generateQuiescenceMoves<White>(pos, list);
}
Move* generateQuiescenceMovesBlack(const Position& pos, Move* list) {
    return generateQuiescenceMoves<Black>(pos, list);
}
Move* generateSearchMovesBlack(const Position& pos, Move* list) { return generateByCheckers<Black>(pos, list); }

}  // namespace early
