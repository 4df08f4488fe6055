#include "app/runtime/virtual_run.h"
#include "platform/timer.h"

#include <gtest/gtest.h>

namespace {

TEST(VirtualRun, FiresTheTimerUntilTheTestIsOverAndRefreshesAtTheEnd) {
    platform::VirtualClock clock;
    platform::VirtualTimer timer(clock);
    int ticks = 0;
    timer.setHandler([&] { ++ticks; });
    timer.setInterval(std::chrono::milliseconds(100));
    timer.start();
    int refreshes = 0;
    EXPECT_TRUE(runtime::runInVirtualTime(
        clock, [&] { return ticks < 60001; }, [&] { ++refreshes; }, std::chrono::hours(1)));
    EXPECT_EQ(ticks, 60001);
    EXPECT_DOUBLE_EQ(clock.elapsedSeconds(), 6000.1);
    EXPECT_EQ(refreshes, 1);
}

TEST(VirtualRun, AStoppedTimerEndsTheRunInsteadOfSpinning) {
    platform::VirtualClock clock;
    platform::VirtualTimer timer(clock);
    int refreshes = 0;
    EXPECT_FALSE(runtime::runInVirtualTime(
        clock, [] { return true; }, [&] { ++refreshes; }));
    EXPECT_EQ(refreshes, 1);
}

} // namespace
