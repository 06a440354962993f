#include "clock.h"

#include "platform.h"

namespace early {

uint64_t perfFrequency = 0;

int32_t currentTimeMs() {
    if (perfFrequency == 0) perfFrequency = static_cast<uint64_t>(platform::performanceFrequency());
    const int64_t counter = platform::performanceCounter();
    return static_cast<int32_t>(counter * 1000 / static_cast<int64_t>(perfFrequency));
}

int32_t elapsedMs(int32_t start) {
    return static_cast<int32_t>(static_cast<uint32_t>(currentTimeMs()) - static_cast<uint32_t>(start));
}

}  // namespace early
