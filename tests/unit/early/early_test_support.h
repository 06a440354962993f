// Shared helpers of the earlier engine's unit tests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "move.h"
#include "position.h"

namespace early_test {

struct SuiteRow {
    std::string name;
    std::string fen;  // four fields plus " 0 1"
    int depth;
    uint64_t expected;
};

// Reads a perft suite of the shared folder ("standard.txt", "edge.txt").
std::vector<SuiteRow> readSuite(const std::string& fileName);

// The distinct positions of the given suites.
std::vector<std::string> distinctSuitePositions();

// A zero-filled position record set from a FEN (four fields get " 0 1").
std::unique_ptr<early::Position> positionFromFen(const std::string& fen);

// Sets pos from a FEN; four-field texts get " 0 1".
void setFen(early::Position& pos, const std::string& fen);

// The legal moves of pos's side to move through the search generators.
std::vector<early::Move> legalMoves(const early::Position& pos);

std::vector<early::Move> toVector(const early::Move* begin, const early::Move* end);

// Coordinate texts of a list ("e2e4", "e7e8q").
std::vector<std::string> moveTexts(const std::vector<early::Move>& moves);

std::string moveText(early::Move move);

// The legal move with that coordinate text; 0 when none.
early::Move findMove(const early::Position& pos, const std::string& text);

}  // namespace early_test
