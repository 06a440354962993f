// Helpers for the move generation, make/unmake and perft tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fen.h"
#include "makemove.h"
#include "move.h"
#include "movegen.h"
#include "position.h"
#include "tables.h"
#include "clock.h"
#include "platform.h"
#include "test_support.h"

// What the program's start-up does before a suite is timed: the clock's rate and the tables.
inline void ensureTablesBuilt() {
    clockFrequency = static_cast<uint64_t>(platform::performanceFrequency());
    ensureTables();
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

// Makes a line of moves given as moveText writes them ("e1g1", "b2a1Q"); false at the first
// one that is not legal where it comes.
inline bool playLine(Position& position, const std::vector<const char*>& line) {
    for (const char* text : line) {
        Move move = 0;
        for (Move m : legalMoves(position))
            if (moveText(m) == text) move = m;
        if (move == 0) return false;
        if (position.sideToMove == 0) makeMoveWhite(position, move);
        else makeMoveBlack(position, move);
    }
    return true;
}
