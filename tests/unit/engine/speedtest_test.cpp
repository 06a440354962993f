#include <bit>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "clock.h"
#include "platform.h"
#include "speedtest.h"
#include "test_support.h"

namespace {

using Bench = void (*)(int64_t, FILE*);

std::string capture(Bench bench, int64_t count) {
    ensureTables();
    clockFrequency = static_cast<uint64_t>(platform::performanceFrequency());
    char* text = nullptr;
    size_t size = 0;
    FILE* f = open_memstream(&text, &size);
    bench(count, f);
    std::fclose(f);
    std::string s(text, size);
    std::free(text);
    return s;
}

// Timings vary from run to run; everything else must match byte for byte.
std::string maskTimings(const std::string& line) {
    return std::regex_replace(line, std::regex("time=[0-9]+\\.[0-9]{2}(s?) speed=[0-9]+mps"), "time=T$1 speed=Smps");
}

std::string hex8(uint32_t v) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", v);
    return buffer;
}

// Check values from the standard library and plain ray walks, independent of the
// engine's bit operations and magic tables.
uint32_t expectedScan(int kind, uint64_t count) {
    uint64_t x = 0;
    uint32_t v = 0;
    for (uint64_t i = 1; i <= count; ++i) {
        x += SPEED_TEST_STEP;
        v += kind == 0 ? std::countr_zero(x) : kind == 1 ? 63 - std::countl_zero(x) : std::popcount(x);
    }
    return v;
}

uint32_t expectedAttacks(int firstDirection, int directionStep, uint64_t count) {
    Bitboard b = 0;
    for (uint64_t i = 1; i <= count; ++i) {
        const Square s = static_cast<Square>((23 * i) % 64);
        Bitboard a = 0;
        for (int d = firstDirection; d < 8; d += directionStep) a |= rayWalk(d, s, b);
        b ^= a;
    }
    return static_cast<uint32_t>(b);
}

struct BenchCase {
    const char* name;
    Bench bench;
    const char* ending;  // what follows the hundredths of the time
    uint32_t (*expected)(uint64_t);
};

const BenchCase BENCHES[] = {
    {"testlsb", benchBitScanForward, "s speed=Smps\n", [](uint64_t n) { return expectedScan(0, n); }},
    {"testmsb", benchBitScanReverse, "s speed=Smps\n", [](uint64_t n) { return expectedScan(1, n); }},
    {"testpop", benchPopCount, "s speed=Smps\n", [](uint64_t n) { return expectedScan(2, n); }},
    {"testgenr", benchRookAttacks, " speed=Smps\n\n", [](uint64_t n) { return expectedAttacks(0, 2, n); }},
    {"testgenb", benchBishopAttacks, " speed=Smps\n", [](uint64_t n) { return expectedAttacks(1, 2, n); }},
    {"testgenq", benchQueenAttacks, " speed=Smps\n", [](uint64_t n) { return expectedAttacks(0, 1, n); }},
};

}  // namespace

// Both word sizes run this test, so equal expectations prove equal check values.
TEST(SpeedTest, CheckValuesAndLinesForEveryBench) {
    for (const BenchCase& b : BENCHES) {
        for (int64_t n : {0, 1, 2, 5, 1000, 100003}) {
            SCOPED_TRACE(std::string(b.name) + " " + std::to_string(n));
            const std::string expected =
                " value=" + hex8(b.expected(n)) + " count=" + std::to_string(n) + " time=T" + b.ending;
            EXPECT_EQ(maskTimings(capture(b.bench, n)), expected);
        }
    }
}

TEST(SpeedTest, KnownCheckValues) {
    EXPECT_EQ(capture(benchBitScanForward, 1).substr(0, 18), " value=0x00000000 ");
    EXPECT_EQ(capture(benchBitScanForward, 2).substr(0, 18), " value=0x00000001 ");
    EXPECT_EQ(capture(benchBitScanReverse, 1).substr(0, 18), " value=0x0000003F ");
    for (const BenchCase& b : BENCHES) {
        EXPECT_EQ(maskTimings(capture(b.bench, 0)).substr(0, 26), " value=0x00000000 count=0 ") << b.name;
        // A negative count typed at the command runs no step rather than 2^64 of them, and
        // shows as typed.
        EXPECT_EQ(maskTimings(capture(b.bench, -5)).substr(0, 27), " value=0x00000000 count=-5 ") << b.name;
    }
}

TEST(SpeedTest, ResultLineFields) {
    struct Case {
        SpeedLineStyle style;
        int64_t count;
        int32_t elapsed;
        const char* line;
    } cases[] = {
        {SpeedLineStyle::BitOperation, 1000000000, 100, " value=0x0000ABCD count=1000000000 time=1.00s speed=1000mps\n"},
        {SpeedLineStyle::RookAttacks, 7, 12345, " value=0x0000ABCD count=7 time=123.45 speed=0mps\n\n"},
        {SpeedLineStyle::SliderAttacks, 250000, 3, " value=0x0000ABCD count=250000 time=0.03 speed=8mps\n"},
        // Under one centisecond the whole count is the rate.
        {SpeedLineStyle::BitOperation, 1000000, 0, " value=0x0000ABCD count=1000000 time=0.00s speed=100mps\n"},
        // Counts beyond 32 bits print in full and never negative.
        {SpeedLineStyle::BitOperation, 3000000000, 2, " value=0x0000ABCD count=3000000000 time=0.02s speed=150000mps\n"},
        {SpeedLineStyle::SliderAttacks, 0x100000005ull, 0,
         " value=0x0000ABCD count=4294967301 time=0.00 speed=429496mps\n"},
        {SpeedLineStyle::BitOperation, -5, 0, " value=0x0000ABCD count=-5 time=0.00s speed=0mps\n"},
        {SpeedLineStyle::RookAttacks, -4294967296, 3, " value=0x0000ABCD count=-4294967296 time=0.03 speed=0mps\n\n"},
    };
    for (const Case& c : cases) {
        char* text = nullptr;
        size_t size = 0;
        FILE* f = open_memstream(&text, &size);
        printSpeedResult(f, c.style, 0xABCD, c.count, c.elapsed);
        std::fclose(f);
        EXPECT_EQ(std::string(text, size), c.line);
        std::free(text);
    }
}
