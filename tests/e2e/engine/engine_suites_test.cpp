// The shared perft suites through both engine builds, and the two builds side by side.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "program_runner.h"

namespace {

struct SuiteRow {
    std::string name;
    long long expected = 0;
    unsigned long long count = 0;
    int passed = 0, tally = 0, run = 0;
};

std::vector<SuiteRow> parseRows(const std::string& output) {
    std::vector<SuiteRow> rows;
    for (const std::string& line : splitLines(output)) {
        SuiteRow r;
        char name[64] = "";
        if (std::sscanf(line.c_str(), " %63s %lld %llu %d/1 %d/%d", name, &r.expected, &r.count, &r.passed, &r.tally,
                        &r.run) == 6) {
            r.name = name;
            rows.push_back(r);
        }
    }
    return rows;
}

int announcedTests(const std::string& path) {
    std::ifstream file(path);
    int n = 0;
    file >> n;
    return n;
}

// Every row passes, the last reads n/n, and both builds count alike.
void checkSuite(const std::string& command, const std::string& file) {
    const std::string path = std::string(BRELSTAN_SHARED_DIR) + "/perft/" + file;
    const int n = announcedTests(path);
    ASSERT_GT(n, 0) << path;
    std::vector<std::vector<SuiteRow>> perBuild;
    for (const std::string& program : enginePrograms()) {
        const ProgramRun r = runProgram(program, command + " " + path + "\nquit\n", {}, 1800);
        ASSERT_EQ(r.exitStatus, 0) << program;
        const std::vector<SuiteRow> rows = parseRows(r.output);
        ASSERT_EQ(static_cast<int>(rows.size()), n) << program;
        for (const SuiteRow& row : rows) {
            EXPECT_EQ(row.passed, 1) << program << " " << row.name;
            EXPECT_EQ(row.count, static_cast<unsigned long long>(row.expected)) << program << " " << row.name;
        }
        EXPECT_EQ(rows.back().tally, n) << program;
        EXPECT_EQ(rows.back().run, n) << program;
        perBuild.push_back(rows);
    }
    for (size_t b = 1; b < perBuild.size(); ++b)
        for (size_t i = 0; i < perBuild[0].size(); ++i)
            EXPECT_EQ(perBuild[b][i].count, perBuild[0][i].count) << perBuild[0][i].name;
}

}  // namespace

TEST(EngineSuites, StandardByPlainPerft) { checkSuite("testperf", "standard.txt"); }
TEST(EngineSuites, StandardByBulkPerft) { checkSuite("testbulk", "standard.txt"); }
TEST(EngineSuites, EdgeByPlainPerft) { checkSuite("testperf", "edge.txt"); }
TEST(EngineSuites, EdgeByBulkPerft) { checkSuite("testbulk", "edge.txt"); }

TEST(EngineBuilds, SpeedTestsPrintTheSameCheckValues) {
    const std::string script =
        "testlsb 300000\ntestmsb 300000\ntestpop 300000\ntestgenr 300000\ntestgenb 300000\ntestgenq 300000\nquit\n";
    std::vector<std::string> outputs;
    for (const std::string& program : enginePrograms()) {
        const ProgramRun r = runProgram(program, script);
        EXPECT_EQ(r.exitStatus, 0) << program;
        outputs.push_back(maskTimes(r.output));
        EXPECT_EQ(splitLines(outputs.back()).size(), 7u) << outputs.back();
    }
    for (size_t b = 1; b < outputs.size(); ++b) EXPECT_EQ(outputs[b], outputs[0]);
}
