// The few operating-system services the programs need: a monotonic high-resolution
// counter with its rate, and a non-blocking look at standard input.
#pragma once

#include <cstdint>

namespace platform {

// Ticks of a monotonic counter; only differences of two readings mean anything.
int64_t performanceCounter();

// Ticks per second of performanceCounter.
int64_t performanceFrequency();

// True when standard input is a pipe or socket with bytes waiting in it. A terminal or
// a regular file never counts as waiting input. Reads nothing.
bool inputWaiting();

}  // namespace platform
