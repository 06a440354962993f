// Basic value types of the engine. Defines nothing with state.
#pragma once

#include <cstdint>

using Bitboard = uint64_t;     // bit n = square n
using Square = int32_t;        // 0..63, rank * 8 + file, a1 = 0; NO_SQUARE for none
using PieceCode = int32_t;     // 0 empty, 1 P, 2 N, 3 D, 4 L, 5 R, 6 Q, 7 K; Black = White + 8
using Move = int32_t;          // see move.h for the bit layout; 0 = no move, ends a list
using MoveKind = int32_t;      // 0..39
using Score = int32_t;         // from White's side, 8000 = even
using MaterialKey = uint64_t;  // one 4-bit count per PieceCode
// Opening value in the high 16 bits, endgame value in the low 16 bits; both halves are
// added and subtracted together as one 32-bit number.
using PackedScore = int32_t;

enum Color : int { White = 0, Black = 1 };

constexpr Color opposite(Color c) { return c == White ? Black : White; }

constexpr int NO_SQUARE = 255;

constexpr PieceCode EMPTY = 0;
constexpr PieceCode PAWN = 1, KNIGHT = 2, DARK_BISHOP = 3, LIGHT_BISHOP = 4, ROOK = 5, QUEEN = 6, KING = 7;
constexpr PieceCode BLACK_OFFSET = 8;

// Squares whose bit is set here are light (a1 is dark, h1 light).
constexpr Bitboard LIGHT_SQUARES = 0x55AA55AA55AA55AAULL;

constexpr PackedScore packScore(int opening, int endgame) {
    return static_cast<PackedScore>(static_cast<uint32_t>(opening) << 16) + endgame;
}

// The two halves of a PackedScore; the endgame half is signed, so it borrows from the top.
constexpr int packedEndgame(PackedScore s) { return static_cast<int16_t>(static_cast<uint32_t>(s) & 0xFFFF); }
constexpr int packedOpening(PackedScore s) { return (s - packedEndgame(s)) >> 16; }
