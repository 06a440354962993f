// The engine's one clock, in centiseconds.
#pragma once

#include <cstdint>

// Ticks per second of the platform counter; set once by main before any reading.
extern uint64_t clockFrequency;

// The counter the clock reads: the platform's, or a stand-in that a test steps itself so
// that what a search does by the clock does not depend on the machine's speed.
extern int64_t (*clockCounter)();

// The counter's reading when the program was loaded; a test that steps a stand-in counter
// sets it to the stand-in's own origin.
extern int64_t clockOrigin;

// Centiseconds since the program started: the counter's ticks since clockOrigin * 100 /
// frequency in signed 64-bit arithmetic, kept as its low 32 bits. Only differences of two
// readings are used.
int32_t nowCentiseconds();
