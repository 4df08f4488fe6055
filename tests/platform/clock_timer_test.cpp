#include "platform/clock.h"
#include "platform/timer.h"

#include <gtest/gtest.h>
#include <vector>

using namespace std::chrono_literals;

namespace {

TEST(VirtualClock, SleepMovesTimeWithoutFiringTimers) {
    platform::VirtualClock clock;
    platform::VirtualTimer timer(clock);
    int ticks = 0;
    timer.setHandler([&] { ++ticks; });
    timer.setInterval(100ms);
    timer.start();
    clock.sleep(1000ms);
    EXPECT_DOUBLE_EQ(clock.elapsedSeconds(), 1.0);
    EXPECT_EQ(ticks, 0);
}

TEST(VirtualClock, TheListenerHearsEveryMoveBeforeTheTimerFires) {
    platform::VirtualClock clock;
    platform::VirtualTimer timer(clock);
    std::vector<double> heard;
    std::vector<double> heardAtTick;
    clock.setTimeListener([&](platform::VirtualClock::Duration now) {
        heard.push_back(std::chrono::duration<double>(now).count());
    });
    timer.setHandler([&] { heardAtTick.push_back(heard.back()); });
    timer.setInterval(500ms);
    timer.start();
    clock.sleep(200ms);
    clock.advance(800ms);
    EXPECT_EQ(heard, (std::vector<double>{0.2, 0.5, 1.0}));
    EXPECT_EQ(heardAtTick, (std::vector<double>{0.5, 1.0}));
}

TEST(VirtualClock, WallTimeFollowsElapsedTime) {
    const platform::Clock::WallTime origin = std::chrono::system_clock::now();
    platform::VirtualClock clock(origin);
    clock.advance(90s);
    EXPECT_EQ(clock.wallTime() - origin, std::chrono::seconds(90));
}

TEST(VirtualTimer, FiresAtEachDeadlineWithTheClockAtTheDeadline) {
    platform::VirtualClock clock;
    platform::VirtualTimer timer(clock);
    std::vector<double> firedAt;
    timer.setHandler([&] { firedAt.push_back(clock.elapsedSeconds()); });
    timer.setInterval(4000ms);
    timer.start();
    clock.advance(13s);
    EXPECT_EQ(firedAt, (std::vector<double>{4.0, 8.0, 12.0}));
    EXPECT_DOUBLE_EQ(clock.elapsedSeconds(), 13.0);
}

TEST(VirtualTimer, StopInsideTheHandlerEndsTheTicks) {
    platform::VirtualClock clock;
    platform::VirtualTimer timer(clock);
    int ticks = 0;
    timer.setHandler([&] {
        if (++ticks == 2)
            timer.stop();
    });
    timer.setInterval(250ms);
    timer.start();
    clock.advance(10s);
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(clock.fireNextTimer());
}

TEST(VirtualTimer, TicksMissedDuringASlowHandlerAreNotMadeUp) {
    platform::VirtualClock clock;
    platform::VirtualTimer timer(clock);
    std::vector<double> firedAt;
    timer.setHandler([&] {
        firedAt.push_back(clock.elapsedSeconds());
        if (firedAt.size() == 1)
            clock.sleep(1000ms); // blocks through three later deadlines
    });
    timer.setInterval(250ms);
    timer.start();
    clock.advance(1500ms);
    EXPECT_EQ(firedAt, (std::vector<double>{0.25, 1.5}));
}

TEST(VirtualTimer, FireNextTimerJumpsToTheEarliestDeadline) {
    platform::VirtualClock clock;
    platform::VirtualTimer slow(clock);
    platform::VirtualTimer fast(clock);
    std::vector<char> order;
    slow.setHandler([&] { order.push_back('s'); });
    fast.setHandler([&] { order.push_back('f'); });
    slow.setInterval(300ms);
    fast.setInterval(200ms);
    slow.start();
    fast.start();
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(clock.fireNextTimer());
    EXPECT_EQ(order, (std::vector<char>{'f', 's', 'f', 's'}));
    EXPECT_DOUBLE_EQ(clock.elapsedSeconds(), 0.6);
}

TEST(VirtualTimer, ADestroyedTimerNeverFires) {
    platform::VirtualClock clock;
    {
        platform::VirtualTimer timer(clock);
        timer.setInterval(10ms);
        timer.start();
    }
    EXPECT_FALSE(clock.fireNextTimer());
}

} // namespace
