// The engine's one clock, in centiseconds.
#pragma once

#include <cstdint>

// Ticks per second of the platform counter; set once by main before any reading.
extern uint64_t clockFrequency;

// Centiseconds since the program started: the counter's ticks since then * 100 / frequency
// in signed 64-bit arithmetic, kept as its low 32 bits. Only differences of two readings
// are used.
int32_t nowCentiseconds();
