// Perft: leaf counts of the legal move tree, and the suite runner that checks them.
#pragma once

#include <cstdint>
#include <cstdio>

#include "position.h"

// Plain perft makes every move down to the last ply and counts the moves made there; a
// depth below 1 counts like depth 1.
uint64_t perftWhite(Position& position, int depth);
uint64_t perftBlack(Position& position, int depth);
// Bulk perft adds the lengths of the last ply's move lists instead; same counts.
uint64_t perftBulkWhite(Position& position, int depth);
uint64_t perftBulkBlack(Position& position, int depth);

// Runs every test of a suite (count, then per test: name, four FEN fields, depth, expected
// count) and writes one result row per test to output. Mode 0 counts by plain perft, mode
// 1 by bulk perft, any other mode counts 0.
void runPerftSuite(FILE* output, FILE* input, int mode);

// The reply to "perf" and "bulk": "nodes=N time=S.HH" and a newline, the count in full
// however large, elapsed in centiseconds.
void printTimedCount(FILE* stream, uint64_t count, int32_t elapsed);
