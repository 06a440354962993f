// The engine's one clock, in centiseconds.
#pragma once

#include <cstdint>

// Ticks per second of the platform counter; set once by main before any reading.
extern uint64_t clockFrequency;

// The counter the clock reads: the platform's, or a stand-in that a test steps itself so
// that what a search does by the clock does not depend on the machine's speed.
extern int64_t (*clockCounter)();

// Counter * 100 / frequency in signed 64-bit arithmetic, kept as its low 32 bits. Only
// differences of two readings are used.
int32_t nowCentiseconds();
