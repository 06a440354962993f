#include "early_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "bitboards.h"
#include "movegen.h"
#include "movetext.h"

namespace early_test {

namespace {

// The tables are built once for the whole test binary, as the program builds them at start.
class EarlyTablesEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { early::initBitboardTables(); }
};

::testing::Environment* const tablesEnvironment = ::testing::AddGlobalTestEnvironment(new EarlyTablesEnvironment);

}  // namespace

std::vector<SuiteRow> readSuite(const std::string& fileName) {
    std::ifstream in(std::string(BRELSTAN_SHARED_DIR) + "/perft/" + fileName);
    std::vector<SuiteRow> rows;
    std::string line;
    if (!std::getline(in, line)) return rows;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        SuiteRow row;
        std::string placement, side, castling, ep;
        if (!(fields >> row.name >> placement >> side >> castling >> ep >> row.depth >> row.expected)) continue;
        row.fen = placement + " " + side + " " + castling + " " + ep + " 0 1";
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> distinctSuitePositions() {
    std::vector<std::string> positions;
    std::set<std::string> seen;
    for (const char* file : {"standard.txt", "edge.txt"})
        for (const SuiteRow& row : readSuite(file))
            if (seen.insert(row.fen).second) positions.push_back(row.fen);
    return positions;
}

void setFen(early::Position& pos, const std::string& fen) {
    std::string text = fen;
    if (std::count(text.begin(), text.end(), ' ') == 3) text += " 0 1";
    early::setPositionFromFen(pos, text.c_str());
}

std::unique_ptr<early::Position> positionFromFen(const std::string& fen) {
    auto pos = std::make_unique<early::Position>();
    setFen(*pos, fen);
    return pos;
}

std::vector<early::Move> legalMoves(const early::Position& pos) {
    early::MoveList list;
    const early::Bitboard checkers = pos.currentState->checkers;
    early::Move* end;
    if (pos.sideToMove == 0) {
        end = checkers == 0                 ? early::generateMovesWhite(pos, list)
              : (checkers & (checkers - 1)) ? early::generateKingMovesWhite(pos, list)
                                            : early::generateEvasionsWhite(pos, list);
    } else {
        end = early::generateSearchMovesBlack(pos, list);
    }
    return toVector(list, end);
}

std::vector<early::Move> toVector(const early::Move* begin, const early::Move* end) {
    return std::vector<early::Move>(begin, end);
}

std::string moveText(early::Move move) {
    std::string text;
    for (early::PackedText packed = early::moveToPackedText(move); packed != 0; packed >>= 8)
        text.insert(text.begin(), static_cast<char>(packed & 0xFF));
    return text;
}

std::vector<std::string> moveTexts(const std::vector<early::Move>& moves) {
    std::vector<std::string> texts;
    for (early::Move m : moves) texts.push_back(moveText(m));
    return texts;
}

early::Move findMove(const early::Position& pos, const std::string& text) {
    for (early::Move m : legalMoves(pos))
        if (moveText(m) == text) return m;
    return 0;
}

}  // namespace early_test
