#include "speedtest.h"

#include "bitops.h"
#include "clock.h"
#include "magic.h"

namespace {

// Centiseconds between two clock readings; the clock keeps only its low 32 bits.
int32_t elapsedSince(int32_t start) {
    return static_cast<int32_t>(static_cast<uint32_t>(nowCentiseconds()) - static_cast<uint32_t>(start));
}

uint64_t stepsOf(int64_t count) {
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // A fuzzing run is there to explore input: a handful of steps whatever the count.
    if (count > 1000) count = 1000;
#endif
    return count > 0 ? static_cast<uint64_t>(count) : 0;
}

template <typename Scan> void benchScan(int64_t count, FILE* stream, Scan scan) {
    const int32_t start = nowCentiseconds();
    const uint64_t steps = stepsOf(count);
    uint64_t x = 0;
    uint32_t v = 0;
    for (uint64_t i = 0; i < steps; ++i) {
        x += SPEED_TEST_STEP;
        v += static_cast<uint32_t>(scan(x));
    }
    printSpeedResult(stream, SpeedLineStyle::BitOperation, v, count, elapsedSince(start));
}

// The running result is also the occupancy of the next lookup.
template <typename Attacks> void benchAttacks(int64_t count, FILE* stream, SpeedLineStyle style, Attacks attacks) {
    const int32_t start = nowCentiseconds();
    const uint64_t steps = stepsOf(count);
    Bitboard b = 0;
    Square s = 0;
    for (uint64_t i = 0; i < steps; ++i) {
        s = (s + SPEED_TEST_SQUARE_STEP) & 63;
        b ^= attacks(s, b);
    }
    printSpeedResult(stream, style, static_cast<uint32_t>(b), count, elapsedSince(start));
}

}  // namespace

void printSpeedResult(FILE* stream, SpeedLineStyle style, uint32_t checkValue, int64_t count, int32_t elapsed) {
    // A run shorter than one centisecond counts as one centisecond's work. The count prints
    // as typed, in 64 bits so that a large one never shows cut; a negative one ran no step,
    // so its rate is 0.
    const uint64_t steps = stepsOf(count);
    const uint64_t perCentisecond = elapsed <= 0 ? steps : steps / static_cast<uint64_t>(elapsed);
    const long long n = count;
    const unsigned long long speed = perCentisecond / 10000;
    const int seconds = elapsed / 100, hundredths = elapsed % 100;
    switch (style) {
        case SpeedLineStyle::BitOperation:
            std::fprintf(stream, " value=0x%08X count=%lld time=%d.%02ds speed=%llumps\n", checkValue, n, seconds,
                         hundredths, speed);
            break;
        case SpeedLineStyle::RookAttacks:
            std::fprintf(stream, " value=0x%08X count=%lld time=%d.%02d speed=%llumps\n\n", checkValue, n, seconds,
                         hundredths, speed);
            break;
        case SpeedLineStyle::SliderAttacks:
            std::fprintf(stream, " value=0x%08X count=%lld time=%d.%02d speed=%llumps\n", checkValue, n, seconds,
                         hundredths, speed);
            break;
    }
}

void benchBitScanForward(int64_t count, FILE* stream) {
    benchScan(count, stream, [](Bitboard x) { return bitScanForward(x); });
}

void benchBitScanReverse(int64_t count, FILE* stream) {
    benchScan(count, stream, [](Bitboard x) { return bitScanReverse(x); });
}

void benchPopCount(int64_t count, FILE* stream) {
    benchScan(count, stream, [](Bitboard x) { return popCount64(x); });
}

void benchRookAttacks(int64_t count, FILE* stream) {
    benchAttacks(count, stream, SpeedLineStyle::RookAttacks, [](Square s, Bitboard b) { return rookAttacks(s, b); });
}

void benchBishopAttacks(int64_t count, FILE* stream) {
    benchAttacks(count, stream, SpeedLineStyle::SliderAttacks,
                 [](Square s, Bitboard b) { return bishopAttacks(s, b); });
}

void benchQueenAttacks(int64_t count, FILE* stream) {
    benchAttacks(count, stream, SpeedLineStyle::SliderAttacks, [](Square s, Bitboard b) { return queenAttacks(s, b); });
}
