// Helpers of the earlier engine's search tests: the search works on gamePosition and on
// tables that outlive a search, so tests start from cleared tables where results depend
// on them.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include "clock.h"
#include "early_test_support.h"
#include "ordering.h"
#include "position.h"
#include "score.h"
#include "transposition.h"

namespace early_test {

// Set once a test may have written the tables; a fresh test program starts with them zero,
// so the first clear of each program (each test, under ctest) costs nothing.
inline bool searchTablesUsed = false;

inline void clearSearchTables() {
    if (!searchTablesUsed) return;
    searchTablesUsed = false;
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
    searchTablesUsed = true;
    early::Position& pos = early::gamePosition;
    setFen(pos, fen);
    pos.postThinking = 0;
    pos.stopSearch = 0;
    pos.nodes = 1;  // off the clock poll's multiples of 2048
    pos.bestMove = 0;
    pos.bestScore = pos.bestDepth = pos.bestNodes = pos.bestTime = 0;
    pos.searchStart = 0;
    // A quarter of the clock's wrap ahead of now: clockReached compares wrapped differences,
    // so a fixed far value would count as passed on a machine up for 25 to 50 days.
    pos.searchDeadline = static_cast<int32_t>(static_cast<uint32_t>(early::currentTimeMs()) + 0x3FFFFFFFu);
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

// What run() prints on standard output.
template <typename Run> std::string printedOnStdout(Run run) {
    std::fflush(stdout);
    FILE* capture = std::tmpfile();
    const int saved = dup(fileno(stdout));
    dup2(fileno(capture), fileno(stdout));
    run();
    std::fflush(stdout);
    dup2(saved, fileno(stdout));
    close(saved);
    std::string text;
    std::rewind(capture);
    for (int c; (c = std::fgetc(capture)) != EOF;) text += static_cast<char>(c);
    std::fclose(capture);
    return text;
}

}  // namespace early_test
