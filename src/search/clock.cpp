#include "clock.h"

#include "platform.h"

uint64_t clockFrequency = 0;
int64_t (*clockCounter)() = platform::performanceCounter;

// Taken when the program is loaded. Counting from here rather than from the counter's own
// origin (the machine's start) keeps the 32-bit readings from wrapping during a search on a
// machine that has been up for more than 2^31 centiseconds, about 248 days.
int64_t clockOrigin = platform::performanceCounter();

int32_t nowCentiseconds() {
    const int64_t ticks = clockCounter() - clockOrigin;
    return static_cast<int32_t>(ticks * 100 / static_cast<int64_t>(clockFrequency));
}
