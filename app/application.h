#pragma once

#include "app/runtime/qt_yield.h"
#include "bus/driver_binding.h"
#include "bus/gpib.h"
#include "bus/gpib_calls.h"
#include "bus/gpib_device.h"
#include "platform/clock.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace app {

// The application-wide instrument objects, made once at start-up and kept until the program
// ends: the driver library (bound on first use from the candidates, so a missing driver only
// matters when a test starts), its calls, the bus operations and the one GPIBDevice, which
// starts on the board id of the application settings.
class Application {
public:
    // A dry run keeps the program's time on a virtual clock, which only the run moves.
    Application(std::vector<std::string> driverCandidates, std::int16_t boardId,
                bool virtualTime = false);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    bus::DriverBinding& binding() { return binding_; }
    bus::GpibCalls& calls() { return calls_; }
    bus::Gpib& gpib() { return gpib_; }
    bus::GPIBDevice& device() { return device_; }
    platform::Clock& clock() { return *clock_; }
    // The dry run's clock; null in real time.
    platform::VirtualClock* virtualClock() { return virtualClock_; }
    platform::Yield& yield() { return yield_; }

private:
    std::unique_ptr<platform::Clock> clock_;
    platform::VirtualClock* virtualClock_ = nullptr;
    runtime::QtYield yield_;
    bus::DriverBinding binding_;
    bus::GpibCalls calls_;
    bus::Gpib gpib_;
    bus::GPIBDevice device_;
};

} // namespace app
