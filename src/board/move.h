// The move word and the move kinds.
#pragma once

#include <cstdint>

#include "position.h"
#include "types.h"

// Move word (signed 32 bits, every real move positive; 0 = no move, ends a list):
//   bits  0-5   to square
//   bits  6-11  from square
//   bits 12-15  victim PieceCode (capture kinds other than en passant), else 0
//   bits 16-19  promotion PieceCode in the mover's colour (promotion kinds), else 0
//   bits 20-25  MoveKind
//   bits 26-31  0
// The kind is the top field, so sorting words ascending groups them by kind, then origin.

// White's kinds are 0-19; each Black kind is the White kind plus 20.
constexpr MoveKind MOVE_CPA_WP = 0, MOVE_ADV_WP = 1, MOVE_EPS_WP = 2, MOVE_CPT_WP = 3, MOVE_CPT_WN = 4,
                   MOVE_CPT_WD = 5, MOVE_CPT_WL = 6, MOVE_CPT_WR = 7, MOVE_CPT_WQ = 8, MOVE_CPT_WK = 9,
                   MOVE_JMP_WP = 10, MOVE_NRM_WP = 11, MOVE_NRM_WN = 12, MOVE_NRM_WD = 13, MOVE_NRM_WL = 14,
                   MOVE_NRM_WR = 15, MOVE_NRM_WQ = 16, MOVE_NRM_WK = 17, MOVE_CSK_WK = 18, MOVE_CSQ_WK = 19;
constexpr MoveKind MOVE_CPA_BP = 20, MOVE_ADV_BP = 21, MOVE_EPS_BP = 22, MOVE_CPT_BP = 23, MOVE_CPT_BN = 24,
                   MOVE_CPT_BD = 25, MOVE_CPT_BL = 26, MOVE_CPT_BR = 27, MOVE_CPT_BQ = 28, MOVE_CPT_BK = 29,
                   MOVE_JMP_BP = 30, MOVE_NRM_BP = 31, MOVE_NRM_BN = 32, MOVE_NRM_BD = 33, MOVE_NRM_BL = 34,
                   MOVE_NRM_BR = 35, MOVE_NRM_BQ = 36, MOVE_NRM_BK = 37, MOVE_CSK_BK = 38, MOVE_CSQ_BK = 39;
constexpr int MOVE_KIND_COUNT = 40;
constexpr MoveKind BLACK_KIND_OFFSET = 20;

constexpr Move NULL_MOVE_WHITE_MARK = 0x7FFFFFFF;
constexpr int MOVE_LIST_SIZE = 256;

constexpr Move makeMoveWord(MoveKind kind, Square from, Square to, PieceCode victim = 0, PieceCode promotion = 0) {
    return to | (from << 6) | (victim << 12) | (promotion << 16) | (kind << 20);
}

constexpr Square moveTo(Move m) { return m & 63; }
constexpr Square moveFrom(Move m) { return (m >> 6) & 63; }
constexpr PieceCode moveVictim(Move m) { return (m >> 12) & 15; }
constexpr PieceCode movePromotion(Move m) { return (m >> 16) & 15; }
constexpr MoveKind moveKind(Move m) { return m >> 20; }

// The castling words: the king's move; the rook's follows from the kind.
constexpr Move CASTLE_WHITE_KING_SIDE_MOVE = makeMoveWord(MOVE_CSK_WK, 4, 6);    // e1g1, rook h1f1
constexpr Move CASTLE_WHITE_QUEEN_SIDE_MOVE = makeMoveWord(MOVE_CSQ_WK, 4, 2);   // e1c1, rook a1d1
constexpr Move CASTLE_BLACK_KING_SIDE_MOVE = makeMoveWord(MOVE_CSK_BK, 60, 62);  // e8g8, rook h8f8
constexpr Move CASTLE_BLACK_QUEEN_SIDE_MOVE = makeMoveWord(MOVE_CSQ_BK, 60, 58); // e8c8, rook a8d8
static_assert(CASTLE_WHITE_KING_SIDE_MOVE == 0x01200106 && CASTLE_WHITE_QUEEN_SIDE_MOVE == 0x01300102 &&
              CASTLE_BLACK_KING_SIDE_MOVE == 0x02600F3E && CASTLE_BLACK_QUEEN_SIDE_MOVE == 0x02700F3A);

// Colour-neutral kind names for the colour templates.
template <Color C> constexpr MoveKind coloredKind(MoveKind whiteKind) {
    return C == White ? whiteKind : whiteKind + BLACK_KIND_OFFSET;
}

// Appends `word` with the victim standing on `target` (a one-square set), testing the
// enemy pieces from the queen down; writes nothing when no enemy piece but the king is there.
template <Color Us> inline Move* appendCapture(Move* end, const Position& position, Bitboard target, Move word) {
    constexpr Color Them = opposite(Us);
    for (PieceCode victim = QUEEN; victim >= PAWN; --victim) {
        if (position.pieceBitboards[colored<Them>(victim)] & target) {
            *end = word + (colored<Them>(victim) << 12);
            return end + 1;
        }
    }
    return end;
}

inline Move* appendCaptureWhite(Move* end, const Position& position, Bitboard target, Move word) {
    return appendCapture<White>(end, position, target, word);
}
inline Move* appendCaptureBlack(Move* end, const Position& position, Bitboard target, Move word) {
    return appendCapture<Black>(end, position, target, word);
}
