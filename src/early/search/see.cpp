#include "see.h"

#include "bitboards.h"
#include "bitops.h"
#include "magics.h"

namespace early {

namespace {

constexpr int32_t NO_BEST = -1000000000;

// The least valuable man of colour By attacking t through occ (pawn, knight, bishop, rook,
// queen, king), taken out of occ; its piece code, or -1 when none is left.
template <Color By> inline Piece takeLeastAttacker(const Position& pos, Square t, Bitboard& occ) {
    const Bitboard pawnFrom = By == White ? pawnAttacksBlack[t] : pawnAttacksWhite[t];
    Bitboard set = pawnFrom & piecesOf<By>(pos, WHITE_PAWN) & occ;
    Piece kind = WHITE_PAWN;
    if (set == 0) {
        set = knightAttacks[t] & piecesOf<By>(pos, WHITE_KNIGHT) & occ;
        kind = WHITE_KNIGHT;
    }
    if (set == 0) {
        set = bishopAttacks(t, occ) & piecesOf<By>(pos, WHITE_BISHOP) & occ;
        kind = WHITE_BISHOP;
    }
    if (set == 0) {
        set = rookAttacks(t, occ) & piecesOf<By>(pos, WHITE_ROOK) & occ;
        kind = WHITE_ROOK;
    }
    if (set == 0) {
        set = queenAttacks(t, occ) & piecesOf<By>(pos, WHITE_QUEEN) & occ;
        kind = WHITE_QUEEN;
    }
    if (set == 0) {
        set = kingAttacks[t] & piecesOf<By>(pos, WHITE_KING) & occ;
        kind = WHITE_KING;
    }
    if (set == 0) return -1;
    occ &= ~squareBit(lowestSquare(set));
    return pieceOf(By, kind);
}

// The balance is the mover's gain so far; the best of the balances after each enemy
// recapture and the final balance is the value.
template <Color Us> int32_t exchangeValue(const Position& pos, Move move) {
    constexpr Color Them = opposite(Us);
    const Square t = moveTo(move);
    int32_t balance = PIECE_VALUE[moveCaptured(move)];
    int32_t best = NO_BEST;
    Bitboard occ = pos.occupied & ~squareBit(moveFrom(move));
    Piece onSquare = KIND_PIECE[moveKind(move)];
    for (;;) {
        const Piece theirs = takeLeastAttacker<Them>(pos, t, occ);
        if (theirs < 0) break;
        balance -= PIECE_VALUE[onSquare];
        if (balance > best) best = balance;
        onSquare = theirs;
        const Piece ours = takeLeastAttacker<Us>(pos, t, occ);
        if (ours < 0) break;
        balance += PIECE_VALUE[onSquare];
        onSquare = ours;
    }
    return balance > best ? balance : best;
}

}  // namespace

int32_t seeWhite(const Position& pos, Move move) { return exchangeValue<White>(pos, move); }
int32_t seeBlack(const Position& pos, Move move) { return exchangeValue<Black>(pos, move); }
int32_t seeWhite(Move move) { return seeWhite(gamePosition, move); }
int32_t seeBlack(Move move) { return seeBlack(gamePosition, move); }

}  // namespace early
