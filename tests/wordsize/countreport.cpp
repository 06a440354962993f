// The count fields of the "perf"/"bulk" replies and of the speed-test lines for counts
// around and beyond 2^32, printed with fixed times: the 32-bit and the 64-bit builds must
// print them alike. The routines are called with the counts directly; no count this large
// is reached by a short perft or speed test.
#include <cstdint>
#include <cstdio>

#include "perft.h"
#include "speedtest.h"

int main() {
    constexpr uint64_t COUNTS[] = {
        0x7FFFFFFFull, 0x80000000ull, 3195901860ull, 0xFFFFFFFFull, 0x100000000ull, 0x100000005ull,
        119060324ull * 1000, 0x7FFFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFFFFFull,
    };
    for (const uint64_t count : COUNTS) printTimedCount(stdout, count, 12345);
    for (const uint64_t count : COUNTS) {
        const auto typed = static_cast<int64_t>(count);  // the speed tests take a signed count
        printSpeedResult(stdout, SpeedLineStyle::BitOperation, 0x89ABCDEF, typed, 0);
        printSpeedResult(stdout, SpeedLineStyle::RookAttacks, 0x89ABCDEF, typed, 7);
        printSpeedResult(stdout, SpeedLineStyle::SliderAttacks, 0x89ABCDEF, -typed, 300);
    }
    return 0;
}
