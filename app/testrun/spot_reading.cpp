#include "spot_reading.h"

#include "bus/gpib_device.h"
#include "hp4140/command_set.h"
#include "hp4140/instrument_timing.h"
#include "hp4140/parse_hp4140_data.h"
#include "hp4140/status_byte.h"
#include "instrument_ready.h"
#include "platform/clock.h"

#include <chrono>

namespace testrun {

namespace {

namespace bits = hp4140::status;

// A reading comes every reading time (at most 320 ms); a few seconds allow for a slow bus.
constexpr double kLongestWait = 3.0;
constexpr auto kPollEvery = std::chrono::milliseconds(10);

} // namespace

hp4140::TestConfig SpotReading::holding(hp4140::TestConfig panel) {
    panel.iFunction = hp4140::Function::I;
    panel.iRamp = hp4140::Ramp::Constant;
    panel.iHoldTime = 0;
    return panel;
}

std::optional<std::string> SpotReading::outputOn(const hp4140::TestConfig& setUp) {
    if (const auto refusal =
            readyInstrument(s_.gpib, s_.device, s_.errorQueue, setUp.iBoardID, setUp.iGPIBAddress))
        return refusal;
    reached_ = true;
    setUp_ = setUp;
    hp4140::DownloadTestConfig(setUp_, s_.device, s_.clock);
    s_.device.Send("W1");
    outputOn_ = true;
    return std::nullopt;
}

std::optional<HP4140DataType> SpotReading::read() {
    if (!outputOn_)
        return std::nullopt;
    const double until =
        s_.clock.elapsedSeconds() + kLongestWait + hp4140::readingSeconds(setUp_.iIntegration);
    while (s_.clock.elapsedSeconds() < until) {
        const std::int16_t status = s_.device.SPOLL();
        if (!s_.device.lastPollFailed() && bits::has(status, bits::kReadingReady)) {
            HP4140DataType reading;
            reading.RawData = s_.device.Receive();
            reading.AtCurrentLimit = bits::has(status, bits::kAtCurrentLimit);
            reading.Time = s_.clock.wallTime();
            ParseHP4140Data(reading, s_.logWindow);
            return reading;
        }
        s_.clock.sleep(kPollEvery);
    }
    return std::nullopt;
}

void SpotReading::outputOff() {
    if (!outputOn_)
        return;
    s_.device.Send("W7");
    outputOn_ = false;
}

void SpotReading::end() {
    if (!reached_)
        return;
    hp4140::SetInstrumentIdle(setUp_, s_.device, s_.gpib);
    reached_ = false;
    outputOn_ = false;
}

} // namespace testrun
