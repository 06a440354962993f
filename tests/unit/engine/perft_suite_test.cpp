// Every shared perft suite through the suite runner, in both counting modes. The suites are
// cut into chunks of about equal work so that the chunks run in parallel. A missing or
// empty suite fails: the suites always stand beside the repository.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "movegen_test_support.h"
#include "perft.h"

namespace {

struct SuiteTest {
    std::string name;
    std::string line;  // the whole record, as the runner reads it
    unsigned long long expected;
};

struct Suite {
    int announced = 0;
    std::vector<SuiteTest> tests;
};

Suite readSuite(const std::string& file) {
    Suite suite;
    std::ifstream in(std::string(BRELSTAN_SHARED_DIR) + "/perft/" + file);
    in >> suite.announced;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.size() != 7) continue;
        suite.tests.push_back({w[0], line, std::stoull(w[6])});
    }
    return suite;
}

// Contiguous chunk `index` of `chunks`, cut where the running sum of expected counts
// crosses each equal share.
std::vector<SuiteTest> chunkOf(const std::vector<SuiteTest>& tests, int index, int chunks) {
    long double total = 0;
    for (const SuiteTest& t : tests) total += t.expected + 1;
    std::vector<SuiteTest> chunk;
    long double running = 0;
    for (const SuiteTest& t : tests) {
        const int owner = std::min(chunks - 1, static_cast<int>(running * chunks / total));
        running += t.expected + 1;
        if (owner == index) chunk.push_back(t);
    }
    return chunk;
}

struct Row {
    std::string name;
    long long expected;
    unsigned long long count;
    int passed, tallyPassed, tallyRun;
};

std::vector<Row> runSuite(const std::vector<SuiteTest>& tests, int mode) {
    FILE* input = std::tmpfile();
    FILE* output = std::tmpfile();
    std::fprintf(input, "%zu\n", tests.size());
    for (const SuiteTest& t : tests) std::fprintf(input, "%s\n", t.line.c_str());
    std::rewind(input);
    runPerftSuite(output, input, mode);
    std::rewind(output);
    std::vector<Row> rows;
    char line[256], name[64];
    while (std::fgets(line, sizeof line, output)) {
        Row r{};
        if (std::sscanf(line, " %63s %lld %llu %d/1 %d/%d", name, &r.expected, &r.count, &r.passed, &r.tallyPassed,
                        &r.tallyRun) == 6) {
            r.name = name;
            rows.push_back(r);
        }
    }
    std::fclose(input);
    std::fclose(output);
    return rows;
}

using SuiteChunk = std::tuple<std::string, int, int, int>;  // file, chunk, chunks, mode

class PerftSuite : public testing::TestWithParam<SuiteChunk> {};

TEST_P(PerftSuite, EveryTestOfTheChunkPasses) {
    const auto& [file, index, chunks, mode] = GetParam();
    ensureTablesBuilt();
    Suite suite = readSuite(file);
    ASSERT_GT(suite.announced, 0) << "no suite at " << BRELSTAN_SHARED_DIR << "/perft/" << file;
    ASSERT_EQ(suite.tests.size(), static_cast<size_t>(suite.announced)) << file;
    const std::vector<SuiteTest> chunk = chunkOf(suite.tests, index, chunks);
    ASSERT_FALSE(chunk.empty()) << file << " chunk " << index + 1 << " of " << chunks;

    const std::vector<Row> rows = runSuite(chunk, mode);
    ASSERT_EQ(rows.size(), chunk.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].name, chunk[i].name);
        EXPECT_EQ(rows[i].count, chunk[i].expected) << chunk[i].line;
        EXPECT_EQ(rows[i].passed, 1) << chunk[i].line;
    }
    EXPECT_EQ(rows.back().tallyPassed, static_cast<int>(chunk.size()));
    EXPECT_EQ(rows.back().tallyRun, static_cast<int>(chunk.size()));
}

std::vector<SuiteChunk> allChunks() {
    std::vector<SuiteChunk> all;
    for (int mode : {0, 1}) {
        for (int i = 0; i < 8; ++i) all.emplace_back("standard.txt", i, 8, mode);
        for (int i = 0; i < 4; ++i) all.emplace_back("edge.txt", i, 4, mode);
    }
    return all;
}

std::string chunkName(const testing::TestParamInfo<SuiteChunk>& info) {
    const auto& [file, index, chunks, mode] = info.param;
    return file.substr(0, file.find('.')) + "_" + std::to_string(index + 1) + "of" + std::to_string(chunks) +
           (mode == 0 ? "_plain" : "_bulk");
}

INSTANTIATE_TEST_SUITE_P(Shared, PerftSuite, testing::ValuesIn(allChunks()), chunkName);

}  // namespace
