#include "app/runtime/simulator_time.h"
#include "bus/driver_binding.h"
#include "bus/gpib_calls.h"
#include "platform/app_error.h"
#include "platform/timer.h"
#include "support/sim_library.h"

#include <gtest/gtest.h>

namespace {

TEST(SimulatorTime, TheSimulatorFollowsTheVirtualClock) {
    testsupport::SimLibrary sim;
    bus::DriverBinding binding({testsupport::simulatorPath()});
    bus::GpibCalls calls(binding);
    platform::VirtualClock clock;
    platform::VirtualTimer timer(clock);
    std::vector<double> simulatorAtTick;
    timer.setHandler([&] { simulatorAtTick.push_back(sim.call<double()>("gpibsim_time")); });
    timer.setInterval(std::chrono::milliseconds(250));
    {
        runtime::SimulatorTime link(calls, clock);
        timer.start();
        clock.advance(std::chrono::seconds(1));
        clock.sleep(std::chrono::milliseconds(500));
        EXPECT_DOUBLE_EQ(sim.call<double()>("gpibsim_time"), 1.5);
    }
    EXPECT_EQ(simulatorAtTick, (std::vector<double>{0.25, 0.5, 0.75, 1.0}));
    clock.sleep(std::chrono::seconds(10)); // the link is gone
    EXPECT_DOUBLE_EQ(sim.call<double()>("gpibsim_time"), 1.5);
}

TEST(SimulatorTime, TheProgramFollowsTheTimeAReadSpends) {
    testsupport::SimLibrary sim;
    bus::DriverBinding binding({testsupport::simulatorPath()});
    bus::GpibCalls calls(binding);
    platform::VirtualClock clock;
    runtime::SimulatorTime link(calls, clock);
    clock.sleep(std::chrono::milliseconds(500));
    calls.Receive(0, 16, std::string(200, ' '), 10); // nothing to read: the 3 s timeout passes
    EXPECT_DOUBLE_EQ(clock.elapsedSeconds(), 3.5);
    EXPECT_DOUBLE_EQ(sim.call<double()>("gpibsim_time"), 3.5);
}

TEST(SimulatorTime, AnotherDriverIsRefusedWithItsName) {
    bus::DriverBinding binding({"/nonexistent/libgpib.so.0"});
    bus::GpibCalls calls(binding);
    platform::VirtualClock clock;
    EXPECT_THROW(runtime::SimulatorTime(calls, clock), platform::AppError);
}

} // namespace
