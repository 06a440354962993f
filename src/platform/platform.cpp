#include "platform.h"

#include <sys/ioctl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace platform {

namespace {
constexpr int64_t TICKS_PER_SECOND = 1000000;  // microseconds: no overflow in counter * 1000
}

int64_t performanceCounter() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * TICKS_PER_SECOND + ts.tv_nsec / 1000;
}

int64_t performanceFrequency() { return TICKS_PER_SECOND; }

bool inputWaiting() {
    struct stat st {};
    if (fstat(STDIN_FILENO, &st) != 0) return false;
    if (!S_ISFIFO(st.st_mode) && !S_ISSOCK(st.st_mode)) return false;
    int available = 0;
    if (ioctl(STDIN_FILENO, FIONREAD, &available) != 0) return false;
    return available > 0;
}

}  // namespace platform
