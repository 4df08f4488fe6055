#include "app/runtime/qt_timer.h"

#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(QtTimer, TicksRepeatedlyUntilStopped) {
    runtime::QtTimer timer;
    int ticks = 0;
    timer.setHandler([&] {
        if (++ticks == 3)
            timer.stop();
    });
    timer.setInterval(std::chrono::milliseconds(5));
    EXPECT_EQ(timer.interval(), std::chrono::milliseconds(5));
    timer.start();
    EXPECT_TRUE(timer.isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks == 3; }, 5000));
    EXPECT_FALSE(timer.isActive());
    QTest::qWait(20);
    EXPECT_EQ(ticks, 3);
}

TEST(QtTimer, AZeroIntervalStillLeavesTheEventLoopRunning) {
    runtime::QtTimer timer;
    timer.setInterval(std::chrono::milliseconds(0));
    EXPECT_EQ(timer.interval(), std::chrono::milliseconds(1));
}

} // namespace
