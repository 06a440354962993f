// Set-up shared by the search tests: clean tables, a clock, no deadline and no input.
#pragma once

#include <climits>
#include <cstdio>
#include <cstring>

#include <sys/mman.h>
#include <unistd.h>
#include <memory>
#include <string>

#include "clock.h"
#include "dump.h"
#include "movegen.h"
#include "platform.h"
#include "position.h"
#include "test_support.h"
#include "transposition.h"

// Zeroes a table by handing its whole pages back to the system, which maps zero pages in
// again on the next touch: the tables are 64 MiB each and a search touches few of their pages.
inline void zeroTable(TtEntry* table) {
    const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const uintptr_t begin = reinterpret_cast<uintptr_t>(table);
    const uintptr_t end = begin + TT_ENTRIES * sizeof(TtEntry);
    const uintptr_t first = (begin + page - 1) & ~(page - 1), last = end & ~(page - 1);
    std::memset(table, 0, first - begin);
    std::memset(reinterpret_cast<void*>(last), 0, end - last);
    if (madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED) != 0)
        std::memset(reinterpret_cast<void*>(first), 0, last - first);
}

// Makes a position ready for a search that only its depth ends: cleared counters, no
// deadline, empty transposition tables and history, standard input that never has bytes
// waiting (White's nodes would stop on them). The quiescence never reads the transposition
// tables, so its tests may leave them as they are.
inline void prepareSearch(Position& position, bool clearTables = true) {
    static bool tablesZero = [] {
        clockFrequency = static_cast<uint64_t>(platform::performanceFrequency());
        (void)std::freopen("/dev/null", "r", stdin);
        const bool fresh = ttWhite == nullptr && ttBlack == nullptr;
        allocateTranspositionTables();
        return fresh;
    }();
    if (clearTables && !tablesZero) {
        zeroTable(ttWhite);
        zeroTable(ttBlack);
    }
    tablesZero = false;  // the search about to run may write them
    std::memset(position.history, 0, sizeof position.history);
    std::memset(position.quiescenceNodesByPly, 0, sizeof position.quiescenceNodesByPly);
    position.quiescenceNodes = position.pvNodes = position.zeroWindowNodes = 0;
    position.stopSearch = 0;
    position.searchStart = nowCentiseconds();
    position.searchDeadline = INT_MAX;
}

inline std::unique_ptr<Position> searchPosition(const char* fen, bool clearTables = true) {
    auto p = positionFromFen(fen);
    prepareSearch(*p, clearTables);
    return p;
}

// "e2e4", "e7e8q": the move's squares and promotion letter.
inline std::string moveCoordinates(Move move) {
    if (move == 0) return "none";
    char* text = nullptr;
    size_t size = 0;
    FILE* f = open_memstream(&text, &size);
    printMoveCoordinates(move, f);
    std::fclose(f);
    std::string s(text + 1, size - 1);  // drop the leading space
    std::free(text);
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The legal move of the side to move written as moveCoordinates writes it; 0 when there is none.
inline Move legalMoveFromText(Position& position, const std::string& text) {
    Move list[MOVE_LIST_SIZE];
    if (position.sideToMove == White) generateMovesWhite(position, list);
    else generateMovesBlack(position, list);
    for (const Move* m = list; *m; ++m)
        if (moveCoordinates(*m) == text) return *m;
    return 0;
}
