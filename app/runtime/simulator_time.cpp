#include "app/runtime/simulator_time.h"

#include "bus/driver_binding.h"
#include "bus/gpib_calls.h"
#include "platform/app_error.h"

#include <chrono>

namespace runtime {

namespace {

template <typename Function>
Function* simulatorFunction(bus::DriverBinding& binding, const char* name) {
    binding.api();
    auto* function = reinterpret_cast<Function*>(binding.symbol(name));
    if (!function)
        throw platform::AppError(platform::errnum::LibraryLoad,
                                 "A dry run needs the simulated instrument, but the driver " +
                                     binding.boundName() + " has no function " + name,
                                 "SimulatorTime");
    return function;
}

} // namespace

SimulatorTime::SimulatorTime(bus::GpibCalls& calls, platform::VirtualClock& clock)
    : calls_(calls), clock_(clock) {
    bus::DriverBinding& binding = calls.binding();
    auto* setVirtual = simulatorFunction<int(int)>(binding, "gpibsim_set_virtual_time");
    auto* setTime = simulatorFunction<int(double)>(binding, "gpibsim_set_time");
    auto* now = simulatorFunction<double()>(binding, "gpibsim_time");
    setVirtual(1);
    setTime(clock.elapsedSeconds());
    // A bus call that waits (a timeout) moves the simulator ahead; it never goes back.
    clock.setTimeListener([setTime, now](platform::VirtualClock::Duration time) {
        const double seconds = std::chrono::duration<double>(time).count();
        if (seconds > now())
            setTime(seconds);
    });
    calls.setAfterCall([now, &clock] {
        clock.catchUp(std::chrono::duration_cast<platform::VirtualClock::Duration>(
            std::chrono::duration<double>(now())));
    });
}

SimulatorTime::~SimulatorTime() {
    calls_.setAfterCall({});
    clock_.setTimeListener({});
}

} // namespace runtime
