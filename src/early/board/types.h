// Basic value types of the earlier engine. Defines nothing with state.
#pragma once

#include <cstdint>

namespace early {

using Bitboard = uint64_t;  // bit n = square n
using Square = int32_t;     // 0..63, rank * 8 + file, a1 = 0; NO_SQUARE for none
using Piece = int32_t;      // 0 K, 1 Q, 2 R, 3 B, 4 N, 5 P; Black = White + 6
using Move = uint32_t;      // see move.h for the bit layout; 0 = no move, ends a list
using MoveKind = int32_t;   // 0..31, see move.h
// Opening value times 65536 plus endgame value in one signed 32-bit number, so that one
// addition or subtraction updates both halves.
using PackedScore = int32_t;

enum Color : int { White = 0, Black = 1 };

constexpr Color opposite(Color c) { return c == White ? Black : White; }

constexpr int NO_SQUARE = 255;

constexpr Piece WHITE_KING = 0, WHITE_QUEEN = 1, WHITE_ROOK = 2, WHITE_BISHOP = 3, WHITE_KNIGHT = 4, WHITE_PAWN = 5;
constexpr Piece BLACK_KING = 6, BLACK_QUEEN = 7, BLACK_ROOK = 8, BLACK_BISHOP = 9, BLACK_KNIGHT = 10, BLACK_PAWN = 11;
constexpr Piece BLACK_PIECE_OFFSET = 6;
constexpr int PIECE_CODES = 12;

// The piece code of a White piece kind (WHITE_KING .. WHITE_PAWN) for the colour c.
constexpr Piece pieceOf(Color c, Piece whiteKind) { return c == White ? whiteKind : whiteKind + BLACK_PIECE_OFFSET; }

constexpr Bitboard squareBit(Square s) { return Bitboard{1} << s; }

constexpr PackedScore packScore(int opening, int endgame) { return opening * 65536 + endgame; }

}  // namespace early
