// Helpers for the move generation, make/unmake and perft tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fen.h"
#include "move.h"
#include "movegen.h"
#include "position.h"
#include "tables.h"
#include "clock.h"
#include "platform.h"

// What the program's start-up does before any position exists: the clock's rate and the tables.
inline void ensureTablesBuilt() {
    static const bool built =
        (clockFrequency = static_cast<uint64_t>(platform::performanceFrequency()), initTables(), true);
    (void)built;
}

// Positions are about 300 KB: kept off the test's stack.
inline std::unique_ptr<Position> positionFromFen(const std::string& fen) {
    ensureTablesBuilt();
    auto position = std::make_unique<Position>();
    setPositionFromText(*position, fen.c_str());
    return position;
}

inline std::vector<Move> legalMoves(Position& position) {
    Move list[MOVE_LIST_SIZE];
    Move* end = position.sideToMove == 0 ? generateMovesWhite(position, list) : generateMovesBlack(position, list);
    return std::vector<Move>(list, end);
}

// "e2e4"; promotions add the promoted kind as P N D L R Q K (so the bishop's square colour shows).
inline std::string moveText(Move m) {
    char text[6] = {};
    text[0] = static_cast<char>('a' + moveFrom(m) % 8);
    text[1] = static_cast<char>('1' + moveFrom(m) / 8);
    text[2] = static_cast<char>('a' + moveTo(m) % 8);
    text[3] = static_cast<char>('1' + moveTo(m) / 8);
    if (movePromotion(m)) text[4] = "XPNDLRQK"[movePromotion(m) & 7];
    return text;
}

inline std::string listText(const std::vector<Move>& moves) {
    std::string text;
    for (Move m : moves) {
        if (!text.empty()) text.push_back(' ');
        text.append(moveText(m));
    }
    return text;
}
