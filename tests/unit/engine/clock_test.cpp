#include <chrono>
#include <thread>

#include <unistd.h>

#include <gtest/gtest.h>

#include "clock.h"
#include "platform.h"

TEST(Clock, CentisecondsFollowThePlatformCounter) {
    clockFrequency = static_cast<uint64_t>(platform::performanceFrequency());
    const int32_t start = nowCentiseconds();
    const int64_t ticksStart = platform::performanceCounter();
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    const int32_t elapsed = nowCentiseconds() - start;
    const int64_t ticks = platform::performanceCounter() - ticksStart;
    EXPECT_GE(elapsed, 15);
    EXPECT_NEAR(elapsed, ticks * 100 / platform::performanceFrequency(), 1);
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
