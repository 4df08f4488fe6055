#pragma once

#include "hp4140/hp4140_data.h"
#include "hp4140/test_config.h"

#include <optional>
#include <string>

namespace bus {
class Gpib;
class GPIBDevice;
} // namespace bus

namespace diagnostics {
class oocErrorQueue;
}

namespace platform {
class Clock;
class LogSink;
} // namespace platform

namespace testrun {

// Readings taken by hand outside any test, to check a probe's contact: the instrument holds VA
// (and VB) as a current test with a Constant ramp would, and each reading is read as it comes.
// Nothing read is filed. Ending it returns the instrument to idle and local control exactly as
// the end of a test does.
class SpotReading {
public:
    struct Services {
        bus::Gpib& gpib;
        bus::GPIBDevice& device;
        diagnostics::oocErrorQueue& errorQueue;
        platform::Clock& clock;
        platform::LogSink* logWindow;
    };

    explicit SpotReading(Services services) : s_(services) {}

    // The set-up a spot reading holds: the panel's, as a current test with a Constant ramp and
    // no hold, so VA is applied at once and a reading comes every reading time.
    static hp4140::TestConfig holding(hp4140::TestConfig panel);

    // Readies the instrument, sends the set-up and switches the output on. Why not, or nullopt.
    std::optional<std::string> outputOn(const hp4140::TestConfig& setUp);
    // The next reading the instrument offers (within a few seconds), parsed; nullopt when the
    // output is off or no reading came.
    std::optional<HP4140DataType> read();
    // Switches the output off; the instrument stays in remote for the next reading.
    void outputOff();
    // The instrument idle and local, as at the end of a test; nothing happens when it was never
    // reached.
    void end();

    bool outputIsOn() const { return outputOn_; }

private:
    Services s_;
    hp4140::TestConfig setUp_;
    bool reached_ = false;
    bool outputOn_ = false;
};

} // namespace testrun
