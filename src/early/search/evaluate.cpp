#include "evaluate.h"

#include "bitboards.h"
#include "bitops.h"
#include "magics.h"

namespace early {

namespace {

constexpr Bitboard LIGHT_SQUARES = 0x55AA55AA55AA55AAULL;
constexpr Bitboard DARK_SQUARES = ~LIGHT_SQUARES;
constexpr Bitboard RANK_1 = 0xFFULL, RANK_2 = 0xFF00ULL, RANK_7 = 0xFF000000000000ULL, RANK_8 = 0xFF00000000000000ULL;

constexpr PackedScore QUEEN_NEAR_KING = packScore(15, 15);
constexpr PackedScore ROOK_NEAR_KING = packScore(10, 10);
constexpr PackedScore MINOR_NEAR_KING = packScore(5, 5);
constexpr PackedScore PAWN_NEAR_KING = packScore(1, 1);
constexpr PackedScore PAWN_DEFENDED = packScore(15, 15);

// The seventh rank of Us and the enemy's back rank.
template <Color Us> constexpr Bitboard SEVENTH_RANK = Us == White ? RANK_7 : RANK_2;
template <Color Us> constexpr Bitboard ENEMY_BACK_RANK = Us == White ? RANK_8 : RANK_1;

// The packed total of the side Us: its sums plus piece, mobility and pawn terms.
template <Color Us> PackedScore sideTotal(const Position& pos) {
    constexpr Color Them = opposite(Us);
    const EvalTables& t = pos.evalTables;
    const Bitboard enemyMen = menOf<Them>(pos);
    const Bitboard kingZone = kingAttacks[kingSquareOf<Them>(pos)];
    const bool enemyKingOnBackRank = (piecesOf<Them>(pos, WHITE_KING) & ENEMY_BACK_RANK<Us>) != 0;
    const Bitboard ownPawns = piecesOf<Us>(pos, WHITE_PAWN), enemyPawns = piecesOf<Them>(pos, WHITE_PAWN);
    PackedScore total = Us == White ? pos.pstSumWhite : pos.pstSumBlack;

    for (Bitboard men = piecesOf<Us>(pos, WHITE_QUEEN); men != 0;) {
        const Square s = popLowest(men);
        const Bitboard a = queenAttacks(s, pos.occupied);
        total += t.mobility[pieceOf(Us, WHITE_QUEEN)][popCount(a & ~enemyMen)];
        if (a & kingZone) total += QUEEN_NEAR_KING;
        if ((squareBit(s) & SEVENTH_RANK<Us>) && enemyKingOnBackRank) total += t.queenOnSeventh;
    }
    for (Bitboard men = piecesOf<Us>(pos, WHITE_ROOK); men != 0;) {
        const Square s = popLowest(men);
        const Bitboard a = rookAttacks(s, pos.occupied);
        total += t.mobility[pieceOf(Us, WHITE_ROOK)][popCount(a & ~enemyMen)];
        if ((fileMask[s] & ownPawns) == 0) total += (fileMask[s] & enemyPawns) ? t.rookHalfOpenFile : t.rookOpenFile;
        if ((squareBit(s) & SEVENTH_RANK<Us>) && enemyKingOnBackRank) total += t.rookOnSeventh;
        if (a & kingZone) total += ROOK_NEAR_KING;
    }
    const Bitboard bishops = piecesOf<Us>(pos, WHITE_BISHOP);
    for (Bitboard men = bishops; men != 0;) {
        const Square s = popLowest(men);
        const Bitboard a = bishopAttacks(s, pos.occupied);
        total += t.mobility[pieceOf(Us, WHITE_BISHOP)][popCount(a & ~enemyMen)];
        if (a & kingZone) total += MINOR_NEAR_KING;
    }
    if ((bishops & LIGHT_SQUARES) && (bishops & DARK_SQUARES)) total += t.bishopPair;
    for (Bitboard men = piecesOf<Us>(pos, WHITE_KNIGHT); men != 0;) {
        const Square s = popLowest(men);
        // Deliberate: White's knight counts and tests only empty squares, Black's counts
        // every square without a White man and tests all of its attacks against the zone.
        if constexpr (Us == White) {
            const Bitboard a = knightAttacks[s] & pos.emptySquares;
            total += t.mobility[WHITE_KNIGHT][popCount(a)];
            if (a & kingZone) total += MINOR_NEAR_KING;
        } else {
            total += t.mobility[BLACK_KNIGHT][popCount(knightAttacks[s] & ~enemyMen)];
            if (knightAttacks[s] & kingZone) total += MINOR_NEAR_KING;
        }
    }
    for (Bitboard men = ownPawns; men != 0;) {
        const Square s = popLowest(men);
        const Bitboard ahead = Us == White ? passedPawnMaskWhite[s] : passedPawnMaskBlack[s];
        const Bitboard attacks = Us == White ? pawnAttacksWhite[s] : pawnAttacksBlack[s];
        const Bitboard defenders = Us == White ? pawnAttacksBlack[s] : pawnAttacksWhite[s];
        if (attacks & kingZone) total += PAWN_NEAR_KING;
        if ((ahead & enemyPawns) == 0) total += t.passedPawn[Us][s];
        if (fileMaskExclusive[s] & ownPawns) total += t.doubledPawn[Us][s];
        if ((adjacentFileMask[s] & ownPawns) == 0) total += t.isolatedPawn[Us][s];
        if (defenders & ownPawns) total += PAWN_DEFENDED;
    }
    return total;
}

}  // namespace

PackedScore evaluationTotalWhite(const Position& pos) { return sideTotal<White>(pos); }
PackedScore evaluationTotalBlack(const Position& pos) { return sideTotal<Black>(pos); }

int32_t evaluate(const Position& pos) {
    return taper(sideTotal<White>(pos), pos.menCountWhite) - taper(sideTotal<Black>(pos), pos.menCountBlack);
}

int32_t evaluate() { return evaluate(gamePosition); }

}  // namespace early
