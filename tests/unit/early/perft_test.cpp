// Perft through the earlier engine's own generators and make/unmake, over the shared
// suites. The suites are cut into parts so that ctest can run them side by side.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "early_test_support.h"
#include "makemove.h"
#include "movegen.h"

using namespace early;

namespace {

constexpr int PARTS_PER_SUITE = 6;

uint64_t perft(Position& pos, int depth) {
    MoveList list;
    const Bitboard checkers = pos.currentState->checkers;
    Move* end;
    if (pos.sideToMove == 0) {
        end = checkers == 0                 ? generateMovesWhite(pos, list)
              : (checkers & (checkers - 1)) ? generateKingMovesWhite(pos, list)
                                            : generateEvasionsWhite(pos, list);
    } else {
        end = generateSearchMovesBlack(pos, list);
    }
    if (depth == 1) return static_cast<uint64_t>(end - list);
    uint64_t nodes = 0;
    for (Move* m = list; m != end; ++m) {
        if (!makeMove(pos, *m)) return 0;
        nodes += perft(pos, depth - 1);
        unmakeMove(pos, *m);
    }
    return nodes;
}

struct SuitePart {
    const char* file;
    int part;
};

void PrintTo(const SuitePart& p, std::ostream* os) { *os << p.file << " part " << p.part; }

std::string partName(const ::testing::TestParamInfo<SuitePart>& info) {
    std::string name = info.param.file;
    name = name.substr(0, name.find('.'));
    return name + "_" + std::to_string(info.param.part);
}

class EarlyPerft : public ::testing::TestWithParam<SuitePart> {};

std::vector<SuitePart> allParts() {
    std::vector<SuitePart> parts;
    for (const char* file : {"standard.txt", "edge.txt"})
        for (int part = 0; part < PARTS_PER_SUITE; ++part) parts.push_back({file, part});
    return parts;
}

}  // namespace

TEST_P(EarlyPerft, SuiteRowsMatch) {
    const std::vector<early_test::SuiteRow> rows = early_test::readSuite(GetParam().file);
    ASSERT_GT(rows.size(), 100u) << "suite not found or unreadable";
    auto pos = std::make_unique<Position>();
    int checked = 0;
    for (size_t i = GetParam().part; i < rows.size(); i += PARTS_PER_SUITE) {
        const early_test::SuiteRow& row = rows[i];
        early_test::setFen(*pos, row.fen);
        EXPECT_EQ(perft(*pos, row.depth), row.expected) << row.name << ": " << row.fen << " depth " << row.depth;
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

INSTANTIATE_TEST_SUITE_P(Suites, EarlyPerft, ::testing::ValuesIn(allParts()), partName);
