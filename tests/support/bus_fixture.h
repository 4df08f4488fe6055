#pragma once

// The program's bus layer bound to the simulator through the real dlopen path, with a virtual
// clock that moves the simulator's clock along, and the log lines and commands captured.

#include "bus/driver_binding.h"
#include "bus/gpib.h"
#include "bus/gpib_calls.h"
#include "diagnostics/debug_log.h"
#include "diagnostics/error_queue.h"
#include "platform/clock.h"
#include "platform/log_sink.h"
#include "support/sim_library.h"
#include "support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

class RecordingSink : public platform::LogSink {
public:
    void SendString(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

// Sleeping on this clock also advances the simulator, as the program's dry runs do.
class SimulatorClock : public platform::Clock {
public:
    explicit SimulatorClock(SimLibrary& sim) : sim_(sim) {
        sim_.call<int(int)>("gpibsim_set_virtual_time", 1);
    }
    double elapsedSeconds() const override { return clock_.elapsedSeconds(); }
    WallTime wallTime() const override { return clock_.wallTime(); }
    void sleep(std::chrono::milliseconds duration) override {
        clock_.sleep(duration);
        sim_.call<int(double)>("gpibsim_advance", duration.count() / 1000.0);
    }

private:
    SimLibrary& sim_;
    platform::VirtualClock clock_;
};

class BusFixture : public testing::Test {
protected:
    static constexpr std::int16_t kAddress = 17;

    BusFixture() {
        sim.call<int(int)>("gpibsim_set_address", kAddress);
        sim.call<int(const char*)>("gpibsim_set_trace", trace_.c_str());
        log.setEnabled(true);
        log.setLogWindow(&window);
    }
    ~BusFixture() override { sim.call<int(const char*)>("gpibsim_set_trace", ""); }

    // The simulator's trace lines, without their time field.
    std::vector<std::string> traceLines() const {
        std::ifstream file(trace_);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);)
            lines.push_back(line.substr(line.find('\t') + 1));
        return lines;
    }

    SimLibrary sim;
    SimulatorClock clock{sim};
    bus::DriverBinding binding{{simulatorPath()}};
    bus::GpibCalls calls{binding};
    diagnostics::oocDebugLog log{clock};
    diagnostics::oocErrorQueue errors;
    RecordingSink window;
    bus::Gpib gpib{calls, log, errors};

private:
    testsupport::TempFolder folder_;
    std::filesystem::path trace_ = folder_ / "trace.txt";
};

} // namespace testsupport
