// Coordinate move text (e2e4, e7e8q) held as one packed number instead of a string.
#pragma once

#include <cstdint>
#include <cstdio>

#include "move.h"

namespace early {

// Packed text: the characters one per byte, the first in the most significant non-zero
// byte and the last in the lowest byte, zero bytes above the first. A four-character text
// fills the low 32 bits and a five-character text the low 40 bits, so texts of different
// lengths never compare equal.
using PackedText = uint64_t;

// Indexed by piece code: the letter a promotion to that piece is written with.
inline constexpr char PROMOTION_LETTERS_LOWER[12] = {'?', 'q', 'r', 'b', 'n', '?', '?', 'q', 'r', 'b', 'n', '?'};

// The packed form of the word's first four characters, and of the fifth when the word has
// one; anything beyond is ignored. A shorter word packs to what it holds and so matches no
// move.
PackedText packMoveText(const char* text);

PackedText moveToPackedText(Move move);

// Writes the characters of a packed text, flushing after each; no line end.
void printPackedText(FILE* stream, PackedText packed);

}  // namespace early
