// The earlier engine's one clock, in milliseconds.
#pragma once

#include <cstdint>

namespace early {

// Counts per second of the platform counter, read once by main before any search. While
// it is still 0 the clock asks the platform for the rate itself rather than divide by 0.
extern uint64_t perfFrequency;

// Counter * 1000 / frequency in signed 64-bit arithmetic, kept as its low 32 bits. Only
// differences of two readings mean anything.
int32_t currentTimeMs();

// currentTimeMs() - start, taken modulo 2^32, so it stays right across the wrap of the
// 32-bit value.
int32_t elapsedMs(int32_t start);

// True when the clock value now is at or past deadline. Compared as the wrapped
// difference, so a search that spans the wrap of the 32-bit millisecond count still stops
// on time (deadlines lie less than 2^31 ms ahead).
constexpr bool clockReached(int32_t now, int32_t deadline) {
    return static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(deadline)) >= 0;
}

}  // namespace early
