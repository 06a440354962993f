// Helpers of the earlier engine's search tests: the search works on gamePosition and on
// tables that outlive a search, so tests start from cleared tables where results depend
// on them.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "early_test_support.h"
#include "ordering.h"
#include "position.h"
#include "score.h"
#include "transposition.h"

namespace early_test {

inline void clearSearchTables() {
    std::memset(early::ttWhite, 0, sizeof early::ttWhite);
    std::memset(early::ttBlack, 0, sizeof early::ttBlack);
    std::memset(early::historyWhite, 0, sizeof early::historyWhite);
    std::memset(early::historyBlack, 0, sizeof early::historyBlack);
    std::memset(early::historyStampWhite, 0, sizeof early::historyStampWhite);
    std::memset(early::historyStampBlack, 0, sizeof early::historyStampBlack);
}

// gamePosition set from a FEN, ready for a search routine called directly: quiet output,
// a deadline far away, counters of a fresh search.
inline early::Position& searchPosition(const std::string& fen) {
    early::Position& pos = early::gamePosition;
    setFen(pos, fen);
    pos.postThinking = 0;
    pos.stopSearch = 0;
    pos.nodes = 1;  // off the clock poll's multiples of 2048
    pos.searchStart = 0;
    pos.searchDeadline = 0x7FFFFFFF;
    pos.rootPly = pos.sideToMove == 0 ? pos.movesMadeWhite : pos.movesMadeBlack;
    pos.rootSide = pos.sideToMove;
    return pos;
}

// What write() prints to its stream.
template <typename Write> std::string printed(Write write) {
    char* text = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&text, &size);
    write(stream);
    std::fclose(stream);
    std::string result(text, size);
    std::free(text);
    return result;
}

}  // namespace early_test
