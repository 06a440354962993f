// The earlier engine against reference data computed by an independent implementation of
// its rules (../shared/golden/early): the order in which every generator writes its moves
// and the static evaluation. Perft counts cannot see either; a differing line here is an
// engine fault unless the rules say otherwise.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "early_test_support.h"
#include "evaluate.h"
#include "movegen.h"

using namespace early;

namespace {

struct GoldenRow {
    int line;
    std::string fen;   // the four FEN fields
    std::string data;  // what follows " | "
};

// The rows of a file of the shared golden folder; a missing or empty file fails the test.
std::vector<GoldenRow> readGolden(const std::string& fileName) {
    const std::string path = std::string(BRELSTAN_SHARED_DIR) + "/golden/early/" + fileName;
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << path;
    std::vector<GoldenRow> rows;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        if (text.empty() || text[0] == '#') continue;
        const size_t bar = text.find(" |");
        if (bar == std::string::npos) {
            ADD_FAILURE() << path << ":" << line << ": no separator";
            continue;
        }
        const size_t start = text.find_first_not_of(' ', bar + 2);
        rows.push_back({line, text.substr(0, bar), start == std::string::npos ? "" : text.substr(start)});
    }
    EXPECT_FALSE(rows.empty()) << path;
    return rows;
}

std::string joined(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& t : texts) out += (out.empty() ? "" : " ") + t;
    return out;
}

std::string listText(const Move* begin, const Move* end) {
    return joined(early_test::moveTexts(early_test::toVector(begin, end)));
}

}  // namespace

// The game-level dispatcher on gamePosition and the search-level generators on a position
// of their own must both write each list move for move.
TEST(EarlyGolden, LegalMovesInGenerationOrder) {
    for (const GoldenRow& row : readGolden("order.txt")) {
        early_test::setFen(gamePosition, row.fen);
        MoveList list;
        const Move* end = generateLegalMoves(list);
        EXPECT_EQ(listText(list, end), row.data) << "order.txt:" << row.line << " " << row.fen << " (game level)";
        const auto pos = early_test::positionFromFen(row.fen);
        EXPECT_EQ(joined(early_test::moveTexts(early_test::legalMoves(*pos))), row.data)
            << "order.txt:" << row.line << " " << row.fen << " (search level)";
    }
    constructGamePosition();
}

TEST(EarlyGolden, CaptureGeneratorOrder) {
    for (const GoldenRow& row : readGolden("captures.txt")) {
        const auto pos = early_test::positionFromFen(row.fen);
        ASSERT_EQ(pos->currentState->checkers, 0u) << "captures.txt:" << row.line << " " << row.fen;
        MoveList list;
        const Move* end = pos->sideToMove == 0 ? generateCapturesWhite(*pos, list) : generateCapturesBlack(*pos, list);
        EXPECT_EQ(listText(list, end), row.data) << "captures.txt:" << row.line << " " << row.fen;
    }
}

TEST(EarlyGolden, StaticEvaluation) {
    for (const GoldenRow& row : readGolden("eval.txt")) {
        const auto pos = early_test::positionFromFen(row.fen);
        int32_t expected = 0;
        std::istringstream value(row.data);
        ASSERT_TRUE(value >> expected) << "eval.txt:" << row.line;
        EXPECT_EQ(evaluate(*pos), expected) << "eval.txt:" << row.line << " " << row.fen;
    }
}
