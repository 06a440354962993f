// Shared set-up of the engine unit tests.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>

#include "fen.h"
#include "position.h"
#include "tables.h"

// The tables are built once per test program, as the engine does at start-up.
inline void ensureTables() {
    static const bool built = (initTables(), true);
    (void)built;
}

// Positions are large (the ply stack); keep them off the stack.
inline std::unique_ptr<Position> newPosition() {
    ensureTables();
    auto p = std::make_unique<Position>();
    resetPosition(*p);
    return p;
}

inline std::unique_ptr<Position> positionFromFen(const char* fen) {
    auto p = newPosition();
    setPositionFromText(*p, fen);
    return p;
}

// Square from its name ("e4").
constexpr Square sq(const char* name) { return (name[0] - 'a') + 8 * (name[1] - '1'); }

inline Bitboard squares(std::initializer_list<const char*> names) {
    Bitboard b = 0;
    for (const char* n : names) b |= Bitboard{1} << sq(n);
    return b;
}

inline std::string fenOf(const Position& p) {
    char* text = nullptr;
    size_t size = 0;
    FILE* f = open_memstream(&text, &size);
    writeFen(p, f);
    std::fclose(f);
    std::string s(text, size);
    std::free(text);
    return s;
}
