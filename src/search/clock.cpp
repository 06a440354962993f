#include "clock.h"

#include "platform.h"

uint64_t clockFrequency = 0;
int64_t (*clockCounter)() = platform::performanceCounter;

int32_t nowCentiseconds() {
    const int64_t ticks = clockCounter();
    return static_cast<int32_t>(ticks * 100 / static_cast<int64_t>(clockFrequency));
}
