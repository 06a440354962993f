// The engine against reference data of ../shared/golden/engine: generation order,
// evaluation and fixed-depth searches. The files come from an independent model written
// from the engine's rules, not from this program's output, so a difference is a fault of
// the engine unless the rules explain it; the data is never regenerated from the engine.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "evaluate.h"
#include "search_test_support.h"
#include "think.h"

namespace {

// One data line: the set-up text and the fields after it, split at " | ".
struct GoldenLine {
    int lineNumber;
    std::string fen;
    std::vector<std::string> fields;
};

std::string trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Every non-comment line of a golden file; an unreadable file fails the calling test.
std::vector<GoldenLine> readGolden(const char* name) {
    const std::string path = std::string(BRELSTAN_SHARED_DIR) + "/golden/engine/" + name;
    std::ifstream in(path);
    EXPECT_TRUE(in.is_open()) << "cannot read " << path;
    std::vector<GoldenLine> lines;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (text.empty() || text[0] == '#') continue;
        GoldenLine line{number, "", {}};
        size_t start = 0;
        for (;;) {
            const size_t bar = text.find('|', start);
            const std::string field = trimmed(text.substr(start, bar == std::string::npos ? bar : bar - start));
            if (line.fen.empty()) line.fen = field;
            else line.fields.push_back(field);
            if (bar == std::string::npos) break;
            start = bar + 1;
        }
        lines.push_back(line);
    }
    return lines;
}

// Coordinate text written here rather than by the engine's printer: the kind of a
// promotion's piece is its code's low three bits (both bishop kinds print as b).
std::string coordinates(Move m) {
    std::string s;
    s += static_cast<char>('a' + moveFrom(m) % 8);
    s += static_cast<char>('1' + moveFrom(m) / 8);
    s += static_cast<char>('a' + moveTo(m) % 8);
    s += static_cast<char>('1' + moveTo(m) / 8);
    if (movePromotion(m)) s += "?pnbbrqk"[movePromotion(m) & 7];
    return s;
}

TEST(Golden, GenerationOrder) {
    const std::vector<GoldenLine> lines = readGolden("order.txt");
    EXPECT_EQ(lines.size(), 300u);
    for (const GoldenLine& line : lines) {
        ASSERT_EQ(line.fields.size(), 1u) << "order.txt line " << line.lineNumber;
        auto p = positionFromFen(line.fen.c_str());
        Move list[MOVE_LIST_SIZE];
        const Move* end = p->sideToMove == White ? generateMovesWhite(*p, list) : generateMovesBlack(*p, list);
        std::string got;
        for (const Move* m = list; m != end; ++m) got += (got.empty() ? "" : " ") + coordinates(*m);
        EXPECT_EQ(got, line.fields[0]) << "order.txt line " << line.lineNumber << ": " << line.fen;
    }
}

TEST(Golden, Evaluation) {
    const std::vector<GoldenLine> lines = readGolden("eval.txt");
    EXPECT_EQ(lines.size(), 500u);
    for (const GoldenLine& line : lines) {
        ASSERT_EQ(line.fields.size(), 2u) << "eval.txt line " << line.lineNumber;
        auto p = positionFromFen(line.fen.c_str());
        EXPECT_EQ(std::to_string(evaluateWithMaterialCases(*p)), line.fields[0])
            << "eval.txt line " << line.lineNumber << ": " << line.fen;
        EXPECT_EQ(std::to_string(quickEval(*p)), line.fields[1])
            << "eval.txt line " << line.lineNumber << ": " << line.fen;
    }
}

// The searches, split into shards that run as separate tests: the sanitized 32-bit build
// runs emulated and each line costs it far more than natively.
constexpr int SEARCH_LINES = 48;
constexpr int SEARCH_SHARDS = 8;

// The state the reference searches start from: both tables, the pawn cache and the history
// zeroed, a fresh position set up from the four fields, nothing waiting on standard input.
std::unique_ptr<Position> referenceSearchStart(const std::string& fen) {
    auto p = positionFromFen(fen.c_str());
    prepareSearch(*p);
    std::memset(pawnHashTable, 0, sizeof pawnHashTable);
    return p;
}

class GoldenSearch : public ::testing::TestWithParam<int> {};

TEST_P(GoldenSearch, FixedDepthDeepening) {
    const std::vector<GoldenLine> lines = readGolden("search.txt");
    ASSERT_EQ(lines.size(), static_cast<size_t>(SEARCH_LINES));
    for (size_t i = static_cast<size_t>(GetParam()); i < lines.size(); i += SEARCH_SHARDS) {
        const GoldenLine& line = lines[i];
        ASSERT_EQ(line.fields.size(), 4u) << "search.txt line " << line.lineNumber;
        auto p = referenceSearchStart(line.fen);
        const Move move = searchToDepth(*p, std::stoi(line.fields[0]), nullptr);
        std::ostringstream got;
        got << coordinates(move) << " | " << p->currentPly->bestScore << " | " << p->quiescenceNodes << ' '
            << p->pvNodes << ' ' << p->zeroWindowNodes;
        EXPECT_EQ(got.str(), line.fields[1] + " | " + line.fields[2] + " | " + line.fields[3])
            << "search.txt line " << line.lineNumber << ": " << line.fen << " depth " << line.fields[0];
    }
}

INSTANTIATE_TEST_SUITE_P(Shard, GoldenSearch, ::testing::Range(0, SEARCH_SHARDS));

}  // namespace
