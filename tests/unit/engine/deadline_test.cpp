// The clock's origin and the deadline arithmetic of a think with a budget near 2^31
// centiseconds.
#include <climits>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include "search_test_support.h"
#include "think.h"

namespace {

// Centiseconds since this process started, from the kernel's record of its start (in clock
// ticks since boot) and the boot clock: an upper bound of any clock counting from the start.
long long processAgeCentiseconds() {
    std::ifstream in("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The fields after the command name, which is in parentheses and may hold spaces.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i < 22 && fields >> field;) ++i;
    long long startTicks = 0;
    fields >> startTicks;
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const long long nowCentiseconds = now.tv_sec * 100LL + now.tv_nsec / 10000000;
    return nowCentiseconds - startTicks * 100 / sysconf(_SC_CLK_TCK);
}

TEST(Clock, CountsFromTheProgramStart) {
    auto p = searchPosition("4k3/8/8/8/8/8/8/4K3 w - -");  // sets the clock's rate
    const int32_t reading = nowCentiseconds();
    const long long age = processAgeCentiseconds();
    ASSERT_GT(age, -2) << "cannot read this process's start";
    EXPECT_GE(reading, 0);
    // Both are truncated to whole centiseconds; the kernel's start lies a little before ours.
    EXPECT_LE(reading, age + 2);
}

// Stalemate with Black to move: the think sets its deadline and ends at depth 1.
TEST(Think, DeadlineBeyondThirtyTwoBits) {
    auto p = searchPosition("7k/5Q2/6K1/8/8/8/8/8 b - -");  // also sets the clock's rate
    // A 32-bit sum of the start and this budget wraps once the clock reads more than 10.
    while (nowCentiseconds() <= 10) usleep(10000);
    p->movesPerControl = 1;
    p->timeLeft = INT32_MAX;
    testing::internal::CaptureStdout();
    EXPECT_EQ(think(*p), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_GT(p->searchStart, 10);
    EXPECT_EQ(p->searchDeadline - p->searchStart, int64_t{INT32_MAX} - 2 * TIME_MARGIN);

    // 0.4 of that budget is 858993450.8 centiseconds, from a start near the 32-bit limit.
    const int64_t start = INT32_MAX - 100;
    const int64_t deadline = start + INT32_MAX - 2 * TIME_MARGIN;
    EXPECT_FALSE(iterationBudgetSpent(858993450, start, deadline));
    EXPECT_TRUE(iterationBudgetSpent(858993451, start, deadline));
}

}  // namespace
