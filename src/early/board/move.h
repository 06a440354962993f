// The earlier engine's move word and its 32 move kinds.
#pragma once

#include <cstdint>

#include "types.h"

namespace early {

// Move word (unsigned 32 bits; 0 = no move and the end of a list):
//   bits  0-5   to square
//   bits  6-11  from square
//   bits 12-15  captured piece code (0 for no capture and for en passant)
//   bits 16-19  promotion piece code (0 when not promoting)
//   bits 20-24  kind; a Black kind is the White kind + 16, so bit 24 marks Black moves
//   bits 25-31  always 0
constexpr MoveKind KIND_CAPTURE_PROMOTION = 0;
constexpr MoveKind KIND_PROMOTION = 1;
constexpr MoveKind KIND_KING_CAPTURE = 2;
constexpr MoveKind KIND_QUEEN_CAPTURE = 3;
constexpr MoveKind KIND_ROOK_CAPTURE = 4;
constexpr MoveKind KIND_BISHOP_CAPTURE = 5;
constexpr MoveKind KIND_KNIGHT_CAPTURE = 6;
constexpr MoveKind KIND_PAWN_CAPTURE = 7;
constexpr MoveKind KIND_EN_PASSANT = 8;
constexpr MoveKind KIND_CASTLING = 9;
constexpr MoveKind KIND_KING_MOVE = 10;
constexpr MoveKind KIND_QUEEN_MOVE = 11;
constexpr MoveKind KIND_ROOK_MOVE = 12;
constexpr MoveKind KIND_BISHOP_MOVE = 13;
constexpr MoveKind KIND_KNIGHT_MOVE = 14;
constexpr MoveKind KIND_PAWN_PUSH = 15;
constexpr MoveKind KIND_BLACK = 16;
constexpr int MOVE_KINDS = 32;

// The moving piece of each kind.
// clang-format off
inline constexpr Piece KIND_PIECE[MOVE_KINDS] = {
    WHITE_PAWN,   WHITE_PAWN,   WHITE_KING,   WHITE_QUEEN,  WHITE_ROOK,   WHITE_BISHOP, WHITE_KNIGHT, WHITE_PAWN,
    WHITE_PAWN,   WHITE_KING,   WHITE_KING,   WHITE_QUEEN,  WHITE_ROOK,   WHITE_BISHOP, WHITE_KNIGHT, WHITE_PAWN,
    BLACK_PAWN,   BLACK_PAWN,   BLACK_KING,   BLACK_QUEEN,  BLACK_ROOK,   BLACK_BISHOP, BLACK_KNIGHT, BLACK_PAWN,
    BLACK_PAWN,   BLACK_KING,   BLACK_KING,   BLACK_QUEEN,  BLACK_ROOK,   BLACK_BISHOP, BLACK_KNIGHT, BLACK_PAWN,
};
// clang-format on

// clang-format off
inline constexpr bool KIND_IS_PROMOTION[MOVE_KINDS] = {
    true, true, false, false, false, false, false, false, false, false, false, false, false, false, false, false,
    true, true, false, false, false, false, false, false, false, false, false, false, false, false, false, false,
};
// clang-format on

constexpr Move CASTLE_WHITE_KING_SIDE = 0x900106;    // e1g1
constexpr Move CASTLE_WHITE_QUEEN_SIDE = 0x900102;   // e1c1
constexpr Move CASTLE_BLACK_KING_SIDE = 0x1900F3E;   // e8g8
constexpr Move CASTLE_BLACK_QUEEN_SIDE = 0x1900F3A;  // e8c8

// Room for the largest number of legal moves of a position reached by play (218) plus
// the terminating 0.
constexpr int MOVE_LIST_SIZE = 256;
using MoveList = Move[MOVE_LIST_SIZE];

constexpr Move encodeMove(Square from, Square to, MoveKind kind, Piece captured = 0, Piece promotion = 0) {
    return static_cast<Move>(to) | static_cast<Move>(from) << 6 | static_cast<Move>(captured) << 12 |
           static_cast<Move>(promotion) << 16 | static_cast<Move>(kind) << 20;
}

constexpr Square moveTo(Move m) { return static_cast<Square>(m & 63); }
constexpr Square moveFrom(Move m) { return static_cast<Square>((m >> 6) & 63); }
constexpr Piece moveCaptured(Move m) { return static_cast<Piece>((m >> 12) & 15); }
constexpr Piece movePromotion(Move m) { return static_cast<Piece>((m >> 16) & 15); }
constexpr MoveKind moveKind(Move m) { return static_cast<MoveKind>((m >> 20) & 31); }

static_assert(encodeMove(4, 6, KIND_CASTLING) == CASTLE_WHITE_KING_SIDE);
static_assert(encodeMove(4, 2, KIND_CASTLING) == CASTLE_WHITE_QUEEN_SIDE);
static_assert(encodeMove(60, 62, KIND_CASTLING + KIND_BLACK) == CASTLE_BLACK_KING_SIDE);
static_assert(encodeMove(60, 58, KIND_CASTLING + KIND_BLACK) == CASTLE_BLACK_QUEEN_SIDE);

}  // namespace early
