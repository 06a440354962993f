// Timed runs of the bit operations and slider lookups. Each prints one line with a check
// value that depends only on the count, so that the work cannot be skipped and the two
// builds can be compared.
#pragma once

#include <cstdint>
#include <cstdio>

// Odd, so the running value is never 0 within 2^64 steps and the scans never see an empty set.
constexpr uint64_t SPEED_TEST_STEP = 0x831993AF1D7BFFD9ULL;
constexpr int SPEED_TEST_SQUARE_STEP = 23;

// The line endings of the three kinds of result line.
enum class SpeedLineStyle { BitOperation, RookAttacks, SliderAttacks };

// Writes " value=... count=... time=...s speed=...mps" as the style wants; elapsed is in
// centiseconds. The count prints as typed and in full, however large; a negative count
// ran no step and has rate 0.
void printSpeedResult(FILE* stream, SpeedLineStyle style, uint32_t checkValue, int64_t count, int32_t elapsed);

// The count is as typed; a negative one runs no step.
void benchBitScanForward(int64_t count, FILE* stream = stdout);
void benchBitScanReverse(int64_t count, FILE* stream = stdout);
void benchPopCount(int64_t count, FILE* stream = stdout);
void benchRookAttacks(int64_t count, FILE* stream = stdout);
void benchBishopAttacks(int64_t count, FILE* stream = stdout);
void benchQueenAttacks(int64_t count, FILE* stream = stdout);
