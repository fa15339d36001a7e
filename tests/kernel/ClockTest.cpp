// The virtual clock: Sleep and timers move time without waiting on the wall.
#include "kernel/Clock.h"
#include "kernel/TimeApi.h"

#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace {

TEST(VirtualClock, DatesSleepAndTimersFollowTheClockWithoutWaiting)
{
    TempRoot root; // local time is UTC, the clock at 2026-03-14 09:26:53
    wchar_t date[9] = {};
    wchar_t time[9] = {};
    ASSERT_EQ(_wstrdate_s(date, 9), 0);
    ASSERT_EQ(_wstrtime_s(time, 9), 0);
    EXPECT_STREQ(date, L"03/14/26");
    EXPECT_STREQ(time, L"09:26:53");
    EXPECT_NE(_wstrdate_s(date, 8), 0);
    EXPECT_EQ(FormatTime(_time64(nullptr), L"%a %b %e %H:%M:%S %Y"), L"Sat Mar 14 09:26:53 2026");
    EXPECT_EQ(FormatTime(1'000'000'000, L"%Y-%m-%dT%H:%M:%S%z", true), L"2001-09-09T01:46:40+0000");

    const auto wallStart = std::chrono::steady_clock::now();
    const std::int64_t start = Clock::nowMs();
    const DWORD ticks = GetTickCount();

    Sleep(3'600'000);
    EXPECT_EQ(Clock::nowMs() - start, 3'600'000);
    EXPECT_EQ(GetTickCount() - ticks, 3'600'000u);
    EXPECT_EQ(_time64(nullptr), (start + 3'600'000) / 1000);

    std::vector<std::int64_t> fired;
    const auto every250 = Clock::addTimer(250, [&] { fired.push_back(Clock::nowMs() - start); });
    const auto remover = Clock::addTimer(1000, [&] { Clock::removeTimer(every250); });
    while (Clock::advanceToNextTimer() && Clock::nowMs() - start < 3'602'000) {
    }
    // The 250 ms timer fired three times, then once more together with the timer that removed it.
    EXPECT_EQ(fired, (std::vector<std::int64_t>{3'600'250, 3'600'500, 3'600'750, 3'601'000}));
    EXPECT_LT(std::chrono::steady_clock::now() - wallStart, std::chrono::seconds(1));
    Clock::removeTimer(remover);

    // A timer removed by another one due at the same moment does not run.
    int ranFirst = 0;
    int ranSecond = 0;
    Clock::TimerId second = 0;
    const Clock::TimerId first = Clock::addTimer(500, [&] {
        ++ranFirst;
        Clock::removeTimer(second);
    });
    second = Clock::addTimer(500, [&] { ++ranSecond; });
    EXPECT_TRUE(Clock::advanceToNextTimer());
    Clock::removeTimer(first);
    EXPECT_FALSE(Clock::advanceToNextTimer());
    EXPECT_EQ(ranFirst, 1);
    EXPECT_EQ(ranSecond, 0);
    EXPECT_EQ(Clock::nextDueMs(), std::nullopt);
}

} // namespace
