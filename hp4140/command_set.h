#pragma once

#include "hp4140/test_config.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {
class Clock;
}

namespace bus {
class GPIBDevice;
class Gpib;
} // namespace bus

namespace hp4140 {

// One command of the configuration, and whether the instrument is polled right after it.
struct Command {
    std::string text;
    bool pollAfter = false;
};

// The configuration commands for a test, in the order they are sent ("T1", "L1", ... "I1").
// Numbers always carry a decimal point, whatever the locale: the instrument reads nothing else.
std::vector<Command> ConfigurationCommands(const TestConfig& config);

// The settings as the instrument reads them from those commands: each number rounded as its
// command writes it (a step of 0.002 V is sent as PE0.0).
TestConfig SettingsAsSent(const TestConfig& config);

// Sends the configuration, pauses 1000 ms without running the event loop, polls twice and
// switches the data output on. Results are not examined: a failed write is in the bus log.
// stopRequested is asked before each command: once it says stop, nothing more is sent and the
// download returns false (a slow bus may take a minute over the whole of it).
bool DownloadTestConfig(const TestConfig& config, bus::GPIBDevice& device, platform::Clock& clock,
                        const std::function<bool()>& stopRequested = {});

// Stops the output, switches data output off, returns to function I and to local control.
void SetInstrumentIdle(const TestConfig& config, bus::GPIBDevice& device, bus::Gpib& gpib);

} // namespace hp4140
