#include <chrono>
#include <climits>
#include <thread>

#include <unistd.h>

#include <gtest/gtest.h>

#include "clock.h"
#include "platform.h"

// The clock is the counter in centiseconds, kept to its low 32 bits: checked on a stand-in
// counter, then on the platform's, which must move at least as far as a sleep lasts.
TEST(Clock, CentisecondsOfTheCounter) {
    const auto savedCounter = clockCounter;
    const int64_t savedOrigin = clockOrigin;
    static int64_t ticks = 0;
    clockCounter = [] { return ticks; };
    clockOrigin = 0;
    struct Case {
        uint64_t frequency;
        int64_t ticks;
        int32_t centiseconds;
    } cases[] = {
        {1000000, 0, 0},
        {1000000, 9999, 0},
        {1000000, 10000, 1},
        {1000000, 123456789, 12345},
        {3579545, 3579545LL * 7, 700},
        {1000000, (int64_t{1} << 31) * 10000 + 50000, INT32_MIN + 5},  // 2^31 cs and 5 more
    };
    for (const Case& c : cases) {
        clockFrequency = c.frequency;
        ticks = c.ticks;
        EXPECT_EQ(nowCentiseconds(), c.centiseconds) << c.ticks << " at " << c.frequency;
    }
    clockCounter = savedCounter;
    clockOrigin = savedOrigin;

    clockFrequency = static_cast<uint64_t>(platform::performanceFrequency());
    const int32_t start = nowCentiseconds();
    const int64_t ticksStart = platform::performanceCounter();
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    const int64_t ticksEnd = platform::performanceCounter();
    const int32_t end = nowCentiseconds();
    EXPECT_GE(ticksEnd - ticksStart, platform::performanceFrequency() * 15 / 100);
    EXPECT_GE(end - start, 15);
}

// Puts fd on standard input for the duration of a check, then restores the original.
template <typename Check>
void withStandardInput(int fd, Check check) {
    const int saved = dup(STDIN_FILENO);
    ASSERT_GE(saved, 0);
    ASSERT_EQ(dup2(fd, STDIN_FILENO), STDIN_FILENO);
    check();
    dup2(saved, STDIN_FILENO);
    close(saved);
}

TEST(Platform, InputWaitingOnlyForAPipeWithBytes) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    withStandardInput(fds[0], [&] {
        EXPECT_FALSE(platform::inputWaiting());
        ASSERT_EQ(write(fds[1], "go\n", 3), 3);
        EXPECT_TRUE(platform::inputWaiting());
        EXPECT_TRUE(platform::inputWaiting());  // looking reads nothing
    });
    close(fds[0]);
    close(fds[1]);

    char name[] = "/tmp/brelstan-input-XXXXXX";
    const int file = mkstemp(name);
    ASSERT_GE(file, 0);
    ASSERT_EQ(write(file, "quit\n", 5), 5);
    lseek(file, 0, SEEK_SET);
    withStandardInput(file, [] { EXPECT_FALSE(platform::inputWaiting()); });
    close(file);
    unlink(name);
}
