#pragma once

#include "app/datafile/data_collection.h"
#include "app/runtime/qt_yield.h"
#include "app/session/session.h"
#include "bus/driver_binding.h"
#include "bus/gpib.h"
#include "bus/gpib_calls.h"
#include "bus/gpib_device.h"
#include "diagnostics/debug_log.h"
#include "diagnostics/error_queue.h"
#include "hp4140/test_config.h"
#include "platform/clock.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace app {

// What the program keeps while it runs, made once at start-up and handed down to the window and
// the test run: the error queue and debug log; the instrument objects (the driver library, bound
// on first use from the candidates so a missing driver only matters when a test starts, its
// calls, the bus operations and the one GPIBDevice, which starts on the board id of the
// application settings); the session (the configuration file in use, the data file, the sample);
// the test record as the panel last described it and the current test's readings.
class Application {
public:
    // A dry run keeps the program's time on a virtual clock, which only the run moves.
    Application(bus::DriverChoice driver, std::int16_t boardId, bool virtualTime = false);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    diagnostics::oocErrorQueue& errorQueue() { return errorQueue_; }
    diagnostics::oocDebugLog& debugLog() { return debugLog_; }

    bus::DriverBinding& binding() { return binding_; }
    bus::GpibCalls& calls() { return calls_; }
    bus::Gpib& gpib() { return gpib_; }
    bus::GPIBDevice& device() { return device_; }
    platform::Clock& clock() {
        return virtualClock_ ? static_cast<platform::Clock&>(*virtualClock_) : steadyClock_;
    }
    // The dry run's clock; null in real time.
    platform::VirtualClock* virtualClock() { return virtualClock_.get(); }
    // A dry run: simulated readings in virtual time, as fast as they can be filed.
    bool dryRun() const { return virtualClock_ != nullptr; }
    platform::Yield& yield() { return yield_; }

    // The test as the panel last described it.
    hp4140::TestConfig& testConfig() { return testConfig_; }
    Session& session() { return session_; }
    // The current test's readings, emptied when the next test starts.
    datafile::DataCollection& readings() { return readings_; }

private:
    // The log keeps steady time even in a dry run, and its clock outlives it.
    platform::SteadyClock logClock_;
    diagnostics::oocErrorQueue errorQueue_;
    diagnostics::oocDebugLog debugLog_{logClock_};
    // The program's time: the dry run's virtual clock when there is one, else the steady one.
    platform::SteadyClock steadyClock_;
    std::unique_ptr<platform::VirtualClock> virtualClock_;
    runtime::QtYield yield_;
    bus::DriverBinding binding_;
    bus::GpibCalls calls_;
    bus::Gpib gpib_;
    bus::GPIBDevice device_;
    hp4140::TestConfig testConfig_;
    Session session_;
    datafile::DataCollection readings_;
};

} // namespace app
