#include "movegen.h"

#include "attacks.h"
#include "magic.h"

namespace {

constexpr Bitboard RANK_2 = 0x000000000000FF00ULL;
constexpr Bitboard RANK_7 = 0x00FF000000000000ULL;
constexpr Bitboard MIDDLE_RANKS = 0x0000FFFFFFFF0000ULL;  // squares 16 to 47: single pushes only
constexpr Bitboard DARK_SQUARES = ~LIGHT_SQUARES;

// Per-colour constants of the pawn and castling code; the bodies below are colour-neutral.
template <Color Us> struct Side {
    static constexpr Color Them = opposite(Us);
    static constexpr int Up = Us == White ? 8 : -8;
    static constexpr Bitboard PromotionRank = Us == White ? RANK_7 : RANK_2;  // pawns about to promote
    static constexpr Bitboard DoubleStepRank = Us == White ? RANK_2 : RANK_7;
    static constexpr int EnPassantRank = Us == White ? 5 : 2;  // rank of the square behind a double step
    static constexpr int KingHome = Us == White ? 4 : 60;
    static constexpr int Rights = Us == White ? 1 : 4;  // king side; queen side is twice this
    static constexpr int A1 = Us == White ? 0 : 56;     // the back rank's a-square
    static const Bitboard* ownPawnAttacks() { return Us == White ? pawnAttacksWhite : pawnAttacksBlack; }
    // Squares from which a pawn of ours attacks a square: the other colour's table.
    static const Bitboard* pawnAttackersOf() { return Us == White ? pawnAttacksBlack : pawnAttacksWhite; }
};

// Whether the enemy attacks s: the same answer as isAttackedBy, cheapest tests first, and a
// slider lookup only where an enemy slider stands on one of s's lines at all.
template <Color Us> inline bool attackedByThem(const Position& p, Square s) {
    constexpr Color Them = opposite(Us);
    // An enemy pawn attacks s from the squares that our pawn on s would attack.
    const Bitboard* pawnAttackers = Us == White ? pawnAttacksWhite : pawnAttacksBlack;
    if ((knightAttacks[s] & pieces<Them>(p, KNIGHT)) | (kingAttacks[s] & pieces<Them>(p, KING)) |
        (pawnAttackers[s] & pieces<Them>(p, PAWN)))
        return true;
    const Bitboard queens = pieces<Them>(p, QUEEN);
    const Bitboard diagonal = queens | pieces<Them>(p, DARK_BISHOP) | pieces<Them>(p, LIGHT_BISHOP);
    if ((bishopEmptyAttacks[s] & diagonal) && (bishopAttacks(s, p.occupiedSquares) & diagonal)) return true;
    const Bitboard straight = queens | pieces<Them>(p, ROOK);
    return (rookEmptyAttacks[s] & straight) && (rookAttacks(s, p.occupiedSquares) & straight);
}

// Our pieces that stand alone between our king and an enemy slider on the same line: the
// only ones whose pinMask is not every square. Found once per list instead of piece by piece.
template <Color Us> inline Bitboard pinnedPieces(const Position& p) {
    constexpr Color Them = opposite(Us);
    const Square k = kingSquare<Us>(p);
    const Bitboard queens = pieces<Them>(p, QUEEN);
    const Bitboard bishops = pieces<Them>(p, DARK_BISHOP) | pieces<Them>(p, LIGHT_BISHOP);
    Bitboard snipers = (rookEmptyAttacks[k] & (queens | pieces<Them>(p, ROOK))) |
                       (bishopEmptyAttacks[k] & (queens | bishops));
    Bitboard pinned = 0;
    for (; snipers; snipers &= snipers - 1) {
        const Bitboard between = betweenMask[k][bitScanForward(snipers)] & p.occupiedSquares;
        if (between != 0 && (between & (between - 1)) == 0) pinned |= between;
    }
    return pinned & ownPieces<Us>(p);
}

// pinMask of the piece on s, given the pinned set; with MayPin false the caller has found
// that set empty, and no test is made at all.
template <Color Us, bool MayPin> inline Bitboard pinMaskOf(const Position& p, Bitboard pinned, Square s) {
    if constexpr (!MayPin) return ALL_SQUARES;
    return ((pinned >> s) & 1) ? pinMask<Us>(p, s) : ALL_SQUARES;
}

template <Color Us, PieceCode Victim>
inline Move* addCapturesOf(Move* list, const Position& p, Bitboard targets, Move base) {
    constexpr PieceCode code = colored<opposite(Us)>(Victim);
    for (Bitboard b = targets & p.pieceBitboards[code]; b; b &= b - 1)
        *list++ = base + bitScanForward(b) + (code << 12);
    return list;
}

// Captures onto `targets`, grouped by victim from the queen down; the king is never a victim.
// Most pieces attack no enemy piece at all, so that case is decided before the six victim sets.
template <Color Us> inline Move* addCaptures(Move* list, const Position& p, Bitboard targets, Move base) {
    targets &= ownPieces<opposite(Us)>(p);
    if (targets == 0) return list;
    list = addCapturesOf<Us, QUEEN>(list, p, targets, base);
    list = addCapturesOf<Us, ROOK>(list, p, targets, base);
    list = addCapturesOf<Us, LIGHT_BISHOP>(list, p, targets, base);
    list = addCapturesOf<Us, DARK_BISHOP>(list, p, targets, base);
    list = addCapturesOf<Us, KNIGHT>(list, p, targets, base);
    return addCapturesOf<Us, PAWN>(list, p, targets, base);
}

// The four promotions of one pawn move, queen first; the bishop is the kind of the
// destination's square colour.
template <Color Us> inline Move* addPromotions(Move* list, Move base, PieceCode bishop) {
    *list++ = base + (colored<Us>(QUEEN) << 16);
    *list++ = base + (colored<Us>(ROOK) << 16);
    *list++ = base + (colored<Us>(bishop) << 16);
    *list++ = base + (colored<Us>(KNIGHT) << 16);
    return list;
}

// Capture-promotions onto targets of one square colour: victims queen, rook, the bishop kind
// that can stand on that colour, knight.
template <Color Us, PieceCode Bishop>
inline Move* addPromoCaptures(Move* list, const Position& p, Bitboard targets, Square from) {
    constexpr Color Them = opposite(Us);
    constexpr PieceCode victims[4] = {QUEEN, ROOK, Bishop, KNIGHT};
    const Move base = makeMoveWord(coloredKind<Us>(MOVE_CPA_WP), from, 0);
    for (PieceCode victim : victims) {
        const PieceCode code = colored<Them>(victim);
        for (Bitboard b = targets & p.pieceBitboards[code]; b; b &= b - 1)
            list = addPromotions<Us>(list, base + bitScanForward(b) + (code << 12), Bishop);
    }
    return list;
}

// True when taking en passant from `from` would leave our king on an open line through the
// square of the captured pawn (the pin test only sees lines through the capturing pawn).
template <Color Us> inline bool enPassantUncoversKing(const Position& p, Square from, Square e, Square captured) {
    constexpr Color Them = opposite(Us);
    const Square k = kingSquare<Us>(p);
    const int d = kingDirectionRow<Us>(p)[captured];
    if (d == NO_SQUARE) return false;
    const Bitboard after = p.occupiedSquares ^ squareBit[from] ^ squareBit[e] ^ squareBit[captured];
    const Bitboard queens = pieces<Them>(p, QUEEN);
    const Bitboard sliders = (d & 1) ? (bishopAttacks(k, after) &
                                        (queens | pieces<Them>(p, DARK_BISHOP) | pieces<Them>(p, LIGHT_BISHOP)))
                                     : (rookAttacks(k, after) & (queens | pieces<Them>(p, ROOK)));
    return (sliders & rays[k][d]) != 0;
}

template <Color Us> inline Move* genEnPassant(Move* list, Position& p) {
    using S = Side<Us>;
    const Square e = p.currentPly->enPassantSquare;
    // Only a square behind an enemy pawn that has just stepped twice counts; a set-up text may
    // name any square, and anything else would move pieces that are not there.
    if (e == NO_SQUARE || rankOf(e) != S::EnPassantRank) return list;
    const Square captured = e - S::Up;
    if ((pieces<S::Them>(p, PAWN) & squareBit[captured]) == 0 || (p.occupiedSquares & squareBit[e])) return list;
    for (Bitboard b = S::pawnAttackersOf()[e] & pieces<Us>(p, PAWN); b; b &= b - 1) {
        const Square from = bitScanForward(b);
        // The pin is taken with the captured pawn lifted, so a rank holding both pawns
        // between the king and a rook or queen rejects the capture.
        p.occupiedSquares ^= squareBit[captured];
        const Bitboard pin = pinMask<Us>(p, from);
        p.occupiedSquares ^= squareBit[captured];
        if ((pin & squareBit[e]) && !enPassantUncoversKing<Us>(p, from, e, captured))
            *list++ = makeMoveWord(coloredKind<Us>(MOVE_EPS_WP), from, e);
    }
    return list;
}

// The pawns on the rank before promotion: for each, its four push promotions, then its
// capture promotions.
template <Color Us, bool MayPin> inline Move* genPromotions(Move* list, Position& p, Bitboard pinned) {
    using S = Side<Us>;
    const Bitboard pawns = pieces<Us>(p, PAWN);
    const Bitboard empty = p.emptySquares;
    // Pawns on light squares push onto dark squares and capture onto light ones.
    for (Bitboard b = pawns & S::PromotionRank & LIGHT_SQUARES; b; b &= b - 1) {
        const Square from = bitScanForward(b);
        const Bitboard pin = pinMaskOf<Us, MayPin>(p, pinned, from);
        const Square to = from + S::Up;
        if (empty & pin & squareBit[to])
            list = addPromotions<Us>(list, makeMoveWord(coloredKind<Us>(MOVE_ADV_WP), from, to), DARK_BISHOP);
        list = addPromoCaptures<Us, LIGHT_BISHOP>(list, p, S::ownPawnAttacks()[from] & pin, from);
    }
    for (Bitboard b = pawns & S::PromotionRank & DARK_SQUARES; b; b &= b - 1) {
        const Square from = bitScanForward(b);
        const Bitboard pin = pinMaskOf<Us, MayPin>(p, pinned, from);
        const Square to = from + S::Up;
        if (empty & pin & squareBit[to])
            list = addPromotions<Us>(list, makeMoveWord(coloredKind<Us>(MOVE_ADV_WP), from, to), LIGHT_BISHOP);
        list = addPromoCaptures<Us, DARK_BISHOP>(list, p, S::ownPawnAttacks()[from] & pin, from);
    }
    return list;
}

template <Color Us, bool MayPin> inline Move* genPawnMoves(Move* list, Position& p, Bitboard pinned) {
    using S = Side<Us>;
    const Bitboard pawns = pieces<Us>(p, PAWN);
    const Bitboard empty = p.emptySquares;
    list = genEnPassant<Us>(list, p);
    list = genPromotions<Us, MayPin>(list, p, pinned);
    for (Bitboard b = pawns & MIDDLE_RANKS; b; b &= b - 1) {
        const Square from = bitScanForward(b);
        const Bitboard pin = pinMaskOf<Us, MayPin>(p, pinned, from);
        const Square to = from + S::Up;
        if (empty & pin & squareBit[to]) *list++ = makeMoveWord(coloredKind<Us>(MOVE_NRM_WP), from, to);
        list = addCaptures<Us>(list, p, S::ownPawnAttacks()[from] & pin, makeMoveWord(coloredKind<Us>(MOVE_CPT_WP), from, 0));
    }
    for (Bitboard b = pawns & S::DoubleStepRank; b; b &= b - 1) {
        const Square from = bitScanForward(b);
        const Bitboard pin = pinMaskOf<Us, MayPin>(p, pinned, from);
        const Square to = from + S::Up;
        if (empty & pin & squareBit[to]) {
            *list++ = makeMoveWord(coloredKind<Us>(MOVE_NRM_WP), from, to);
            if (empty & pin & squareBit[to + S::Up])
                *list++ = makeMoveWord(coloredKind<Us>(MOVE_JMP_WP), from, to + S::Up);
        }
        list = addCaptures<Us>(list, p, S::ownPawnAttacks()[from] & pin, makeMoveWord(coloredKind<Us>(MOVE_CPT_WP), from, 0));
    }
    return list;
}

template <PieceCode Piece> inline Bitboard pieceAttacks(const Position& p, Square from) {
    if constexpr (Piece == KNIGHT) return knightAttacks[from];
    else if constexpr (Piece == DARK_BISHOP || Piece == LIGHT_BISHOP) return bishopAttacks(from, p.occupiedSquares);
    else if constexpr (Piece == ROOK) return rookAttacks(from, p.occupiedSquares);
    else return queenAttacksOnBoard(p, from);
}

// Knights, both bishop kinds, rooks and queens: each piece's quiet moves, then its captures.
template <Color Us, PieceCode Piece, bool MayPin>
inline Move* genPieceMoves(Move* list, const Position& p, Bitboard pinned) {
    constexpr MoveKind quiet = coloredKind<Us>(MOVE_NRM_WP + Piece - PAWN);
    constexpr MoveKind capture = coloredKind<Us>(MOVE_CPT_WP + Piece - PAWN);
    for (Bitboard b = pieces<Us>(p, Piece); b; b &= b - 1) {
        const Square from = bitScanForward(b);
        const Bitboard t = pieceAttacks<Piece>(p, from) & pinMaskOf<Us, MayPin>(p, pinned, from);
        for (Bitboard q = t & p.emptySquares; q; q &= q - 1)
            *list++ = makeMoveWord(quiet, from, bitScanForward(q));
        list = addCaptures<Us>(list, p, t, makeMoveWord(capture, from, 0));
    }
    return list;
}

template <Color Us> inline Move* genKingQuiet(Move* list, const Position& p, Square k) {
    for (Bitboard b = kingAttacks[k] & p.emptySquares; b; b &= b - 1) {
        const Square to = bitScanForward(b);
        if (!attackedByThem<Us>(p, to)) *list++ = makeMoveWord(coloredKind<Us>(MOVE_NRM_WK), k, to);
    }
    return list;
}

// King captures go by square, not by victim.
template <Color Us> inline Move* genKingCaptures(Move* list, const Position& p, Square k) {
    for (Bitboard b = kingAttacks[k] & ownPieces<opposite(Us)>(p); b; b &= b - 1) {
        const Square to = bitScanForward(b);
        if (!attackedByThem<Us>(p, to))
            list = appendCapture<Us>(list, p, squareBit[to], makeMoveWord(coloredKind<Us>(MOVE_CPT_WK), k, to));
    }
    return list;
}

template <Color Us> inline Move* genKingMoves(Move* list, const Position& p) {
    using S = Side<Us>;
    const Square k = kingSquare<Us>(p);
    const int rights = p.currentPly->castlingRights;
    const Bitboard empty = p.emptySquares;
    const Bitboard rooks = pieces<Us>(p, ROOK);
    // Rights alone imply the king's square in play; a set-up text can claim rights without it.
    if (k == S::KingHome) {
        const Square a = S::A1;
        if ((rights & S::Rights) && (rooks & squareBit[a + 7]) && (empty & squareBit[a + 5]) &&
            (empty & squareBit[a + 6]) && !attackedByThem<Us>(p, a + 5) && !attackedByThem<Us>(p, a + 6))
            *list++ = makeMoveWord(coloredKind<Us>(MOVE_CSK_WK), k, a + 6);
        // b1 only has to be empty: the king never crosses it.
        if ((rights & (2 * S::Rights)) && (rooks & squareBit[a]) && (empty & squareBit[a + 1]) &&
            (empty & squareBit[a + 2]) && (empty & squareBit[a + 3]) && !attackedByThem<Us>(p, a + 3) &&
            !attackedByThem<Us>(p, a + 2))
            *list++ = makeMoveWord(coloredKind<Us>(MOVE_CSQ_WK), k, a + 2);
    }
    list = genKingQuiet<Us>(list, p, k);
    return genKingCaptures<Us>(list, p, k);
}

template <Color Us, bool MayPin> inline Move* genAllMovesPinned(Move* list, Position& p, Bitboard pinned) {
    list = genPawnMoves<Us, MayPin>(list, p, pinned);
    list = genPieceMoves<Us, KNIGHT, MayPin>(list, p, pinned);
    list = genPieceMoves<Us, DARK_BISHOP, MayPin>(list, p, pinned);
    list = genPieceMoves<Us, LIGHT_BISHOP, MayPin>(list, p, pinned);
    list = genPieceMoves<Us, ROOK, MayPin>(list, p, pinned);
    list = genPieceMoves<Us, QUEEN, MayPin>(list, p, pinned);
    return genKingMoves<Us>(list, p);
}

// Most positions have no pinned piece; they get a copy of the generator without pin tests.
template <Color Us> inline Move* genAllMoves(Move* list, Position& p) {
    const Bitboard pinned = pinnedPieces<Us>(p);
    return pinned ? genAllMovesPinned<Us, true>(list, p, pinned) : genAllMovesPinned<Us, false>(list, p, 0);
}

// Capture-promotion of the checker on cs; its victim is the first of queen, rook, the bishop
// kind of cs's colour, knight that stands there.
template <Color Us, PieceCode Bishop>
inline Move* addPromoCaptureOfChecker(Move* list, const Position& p, Square from, Square cs) {
    constexpr Color Them = opposite(Us);
    constexpr PieceCode victims[4] = {QUEEN, ROOK, Bishop, KNIGHT};
    for (PieceCode victim : victims) {
        const PieceCode code = colored<Them>(victim);
        if (p.pieceBitboards[code] & squareBit[cs])
            return addPromotions<Us>(list, makeMoveWord(coloredKind<Us>(MOVE_CPA_WP), from, cs, code), Bishop);
    }
    return list;
}

template <Color Us> inline Move* genPawnEvasions(Move* list, Position& p, Square cs, Bitboard block, Bitboard pinned) {
    using S = Side<Us>;
    const Bitboard pawns = pieces<Us>(p, PAWN);
    const Bitboard empty = p.emptySquares;
    const Bitboard checker = squareBit[cs];
    const Square e = p.currentPly->enPassantSquare;
    // En passant answers a check only by taking the pawn that has just stepped twice.
    if (e != NO_SQUARE && rankOf(e) == S::EnPassantRank && (p.currentPly->checkers & squareBit[e - S::Up]))
        list = genEnPassant<Us>(list, p);
    for (Bitboard b = pawns & S::PromotionRank & LIGHT_SQUARES; b; b &= b - 1) {
        const Square from = bitScanForward(b);
        const Bitboard pin = pinMaskOf<Us, true>(p, pinned, from);
        const Square to = from + S::Up;
        if (block & pin & squareBit[to])
            list = addPromotions<Us>(list, makeMoveWord(coloredKind<Us>(MOVE_ADV_WP), from, to), DARK_BISHOP);
        if (S::ownPawnAttacks()[from] & pin & checker)
            list = addPromoCaptureOfChecker<Us, LIGHT_BISHOP>(list, p, from, cs);
    }
    for (Bitboard b = pawns & S::PromotionRank & DARK_SQUARES; b; b &= b - 1) {
        const Square from = bitScanForward(b);
        const Bitboard pin = pinMaskOf<Us, true>(p, pinned, from);
        const Square to = from + S::Up;
        if (block & pin & squareBit[to])
            list = addPromotions<Us>(list, makeMoveWord(coloredKind<Us>(MOVE_ADV_WP), from, to), LIGHT_BISHOP);
        if (S::ownPawnAttacks()[from] & pin & checker)
            list = addPromoCaptureOfChecker<Us, DARK_BISHOP>(list, p, from, cs);
    }
    for (Bitboard b = pawns & MIDDLE_RANKS; b; b &= b - 1) {
        const Square from = bitScanForward(b);
        const Bitboard pin = pinMaskOf<Us, true>(p, pinned, from);
        const Square to = from + S::Up;
        if (empty & block & pin & squareBit[to]) *list++ = makeMoveWord(coloredKind<Us>(MOVE_NRM_WP), from, to);
        if (S::ownPawnAttacks()[from] & pin & checker)
            list = appendCapture<Us>(list, p, checker, makeMoveWord(coloredKind<Us>(MOVE_CPT_WP), from, cs));
    }
    for (Bitboard b = pawns & S::DoubleStepRank; b; b &= b - 1) {
        const Square from = bitScanForward(b);
        const Bitboard pin = pinMaskOf<Us, true>(p, pinned, from);
        const Square to = from + S::Up;
        if (empty & squareBit[to]) {
            if (block & pin & squareBit[to]) *list++ = makeMoveWord(coloredKind<Us>(MOVE_NRM_WP), from, to);
            else if (block & pin & squareBit[to + S::Up])
                *list++ = makeMoveWord(coloredKind<Us>(MOVE_JMP_WP), from, to + S::Up);
        }
        if (S::ownPawnAttacks()[from] & pin & checker)
            list = appendCapture<Us>(list, p, checker, makeMoveWord(coloredKind<Us>(MOVE_CPT_WP), from, cs));
    }
    return list;
}

// Blocks of the checking line, then the capture of the checker, piece by piece.
template <Color Us, PieceCode Piece>
inline Move* genPieceEvasions(Move* list, const Position& p, Square cs, Bitboard block, Bitboard pinned) {
    constexpr MoveKind quiet = coloredKind<Us>(MOVE_NRM_WP + Piece - PAWN);
    constexpr MoveKind capture = coloredKind<Us>(MOVE_CPT_WP + Piece - PAWN);
    for (Bitboard b = pieces<Us>(p, Piece); b; b &= b - 1) {
        const Square from = bitScanForward(b);
        const Bitboard t = pieceAttacks<Piece>(p, from) & pinMaskOf<Us, true>(p, pinned, from);
        for (Bitboard q = t & block; q; q &= q - 1) *list++ = makeMoveWord(quiet, from, bitScanForward(q));
        if (t & squareBit[cs]) list = appendCapture<Us>(list, p, squareBit[cs], makeMoveWord(capture, from, cs));
    }
    return list;
}

// King moves out of check. The king is lifted from the board while its destinations are
// tested, so a square behind it on the checking line counts as attacked.
template <Color Us> inline Move* genKingEvasions(Move* list, Position& p) {
    const Square k = kingSquare<Us>(p);
    const Bitboard kingBit = squareBit[k];
    Bitboard& ownSet = Us == White ? p.whitePieces : p.blackPieces;
    p.pieceBitboards[colored<Us>(KING)] ^= kingBit;
    ownSet ^= kingBit;
    p.occupiedSquares ^= kingBit;
    p.emptySquares ^= kingBit;
    list = genKingQuiet<Us>(list, p, k);
    list = genKingCaptures<Us>(list, p, k);
    p.pieceBitboards[colored<Us>(KING)] ^= kingBit;
    ownSet ^= kingBit;
    p.occupiedSquares ^= kingBit;
    p.emptySquares ^= kingBit;
    return list;
}

template <Color Us> inline Move* genEvasions(Move* list, Position& p) {
    const Square cs = bitScanForward(p.currentPly->checkers);
    const Bitboard block = betweenMask[kingSquare<Us>(p)][cs];
    const Bitboard pinned = pinnedPieces<Us>(p);
    list = genPawnEvasions<Us>(list, p, cs, block, pinned);
    list = genPieceEvasions<Us, KNIGHT>(list, p, cs, block, pinned);
    list = genPieceEvasions<Us, DARK_BISHOP>(list, p, cs, block, pinned);
    list = genPieceEvasions<Us, LIGHT_BISHOP>(list, p, cs, block, pinned);
    list = genPieceEvasions<Us, ROOK>(list, p, cs, block, pinned);
    list = genPieceEvasions<Us, QUEEN>(list, p, cs, block, pinned);
    return genKingEvasions<Us>(list, p);
}

// The quiescence's pawn moves: en passant, the promotions, then every other pawn's captures
// by ascending square; no ordinary push.
template <Color Us, bool MayPin> inline Move* genCapturesPawns(Move* list, Position& p, Bitboard pinned) {
    using S = Side<Us>;
    list = genEnPassant<Us>(list, p);
    list = genPromotions<Us, MayPin>(list, p, pinned);
    for (Bitboard b = pieces<Us>(p, PAWN) & (MIDDLE_RANKS | S::DoubleStepRank); b; b &= b - 1) {
        const Square from = bitScanForward(b);
        list = addCaptures<Us>(list, p, S::ownPawnAttacks()[from] & pinMaskOf<Us, MayPin>(p, pinned, from),
                               makeMoveWord(coloredKind<Us>(MOVE_CPT_WP), from, 0));
    }
    return list;
}

template <Color Us, PieceCode Piece, bool MayPin>
inline Move* genCapturesPieces(Move* list, const Position& p, Bitboard pinned) {
    constexpr MoveKind capture = coloredKind<Us>(MOVE_CPT_WP + Piece - PAWN);
    for (Bitboard b = pieces<Us>(p, Piece); b; b &= b - 1) {
        const Square from = bitScanForward(b);
        list = addCaptures<Us>(list, p, pieceAttacks<Piece>(p, from) & pinMaskOf<Us, MayPin>(p, pinned, from),
                               makeMoveWord(capture, from, 0));
    }
    return list;
}

template <Color Us, bool MayPin> inline Move* genCapturesPinned(Move* list, Position& p, Bitboard pinned) {
    list = genCapturesPawns<Us, MayPin>(list, p, pinned);
    list = genCapturesPieces<Us, KNIGHT, MayPin>(list, p, pinned);
    list = genCapturesPieces<Us, DARK_BISHOP, MayPin>(list, p, pinned);
    list = genCapturesPieces<Us, LIGHT_BISHOP, MayPin>(list, p, pinned);
    list = genCapturesPieces<Us, ROOK, MayPin>(list, p, pinned);
    list = genCapturesPieces<Us, QUEEN, MayPin>(list, p, pinned);
    return genKingCaptures<Us>(list, p, kingSquare<Us>(p));
}

}  // namespace

template <Color Us> Move* generateCaptures(Position& position, Move* list) {
    const Bitboard pinned = pinnedPieces<Us>(position);
    list = pinned ? genCapturesPinned<Us, true>(list, position, pinned) : genCapturesPinned<Us, false>(list, position, 0);
    *list = 0;
    return list;
}

template Move* generateCaptures<White>(Position& position, Move* list);
template Move* generateCaptures<Black>(Position& position, Move* list);

Move* generateCapturesWhite(Position& position, Move* list) { return generateCaptures<White>(position, list); }
Move* generateCapturesBlack(Position& position, Move* list) { return generateCaptures<Black>(position, list); }

template <Color Us> Move* generateMoves(Position& position, Move* list) {
    // No check, one checker, or a double check: only the number matters, not a full count.
    const Bitboard checkers = position.currentPly->checkers;
    if (checkers == 0) list = genAllMoves<Us>(list, position);
    else if ((checkers & (checkers - 1)) == 0) list = genEvasions<Us>(list, position);
    else list = genKingEvasions<Us>(list, position);
    *list = 0;
    return list;
}

template Move* generateMoves<White>(Position& position, Move* list);
template Move* generateMoves<Black>(Position& position, Move* list);

Move* generateMovesWhite(Position& position, Move* list) { return generateMoves<White>(position, list); }
Move* generateMovesBlack(Position& position, Move* list) { return generateMoves<Black>(position, list); }

namespace {

template <Color C> bool materialCanArise(const Position& p) {
    const auto count = [&](PieceCode code) { return popCount64(p.pieceBitboards[colored<C>(code)]); };
    const auto beyond = [](int n, int start) { return n > start ? n - start : 0; };
    // Every piece beyond the starting set came from a promotion, so it costs a pawn.
    const int promoted = beyond(count(QUEEN), 1) + beyond(count(ROOK), 2) + beyond(count(KNIGHT), 2) +
                         beyond(count(DARK_BISHOP), 1) + beyond(count(LIGHT_BISHOP), 1);
    return count(KING) == 1 && count(PAWN) + promoted <= 8;
}

}  // namespace

bool generatorsCanRun(const Position& position) {
    return materialCanArise<White>(position) && materialCanArise<Black>(position);
}

bool moverCanGenerate(const Position& position) {
    if (position.sideToMove == White) return materialCanArise<White>(position);
    if (position.sideToMove == Black) return materialCanArise<Black>(position);
    return false;
}
