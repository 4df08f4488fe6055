#include "run_estimate.h"

#include "hp4140/command_set.h"
#include "hp4140/instrument_timing.h"
#include "quenta/numtext/numtext.h"

#include <algorithm>
#include <cmath>

namespace testrun {

namespace {

using hp4140::Ramp;
using hp4140::TestConfig;

// Steps counted from decimal settings must not lose one to rounding (1 / 0.05 = 19.9999...).
constexpr double kSlack = 1e-6;
constexpr std::chrono::milliseconds kSlowPoll{250};
constexpr std::chrono::milliseconds kFastestPoll{10};
constexpr double kFastReadings = 0.5; // seconds between readings below which polls speed up

// Polled at half the time between readings, so every reading meets a poll before the next one
// takes its place.
std::chrono::milliseconds pollIntervalFor(double readingInterval) {
    if (!(readingInterval < kFastReadings))
        return kSlowPoll;
    const auto half = std::chrono::milliseconds(numtext::toInt32(readingInterval * 500.0));
    return std::max(half, kFastestPoll);
}

RunEstimate softwarePaced(const TestConfig& c) {
    RunEstimate estimate;
    estimate.pollInterval =
        std::chrono::milliseconds(numtext::toInt32(static_cast<double>(c.fSampleRate) * 1000.0));
    const double tick = static_cast<double>(estimate.pollInterval.count()) / 1000.0;
    // The first tick after the maximum time ends the test.
    if (tick > 0.0)
        estimate.seconds =
            (std::floor(static_cast<double>(c.fMaxSampleTime) / tick + kSlack) + 1.0) * tick;
    return estimate;
}

// The number the instrument reads: the decimal text the setting is sent as, not the float
// nearest to it (0.1 V is 0.100000001 as a float, and 10 V / 0.1 V would count 99 steps).
double asRead(float setting) {
    return numtext::readNumber(numtext::formatGeneralSingle(setting));
}

RunEstimate instrumentPaced(const TestConfig& typed) {
    const TestConfig c = hp4140::SettingsAsSent(typed);
    const double step = std::fabs(asRead(c.fStepVoltage));
    const double rate = asRead(c.fRampRate);
    const bool stair = hp4140::isStair(c);
    const bool moves = step > 0.0 && (stair || rate > 0.0);
    const double span = std::fabs(asRead(c.fStopVoltage) - asRead(c.fStartVoltage));
    const double oneWay = moves ? std::floor(span / step + kSlack) + 1.0 : 1.0;
    const double readings = hp4140::goesBothWays(c.iRamp) ? 2.0 * oneWay - 1.0 : oneWay;
    const double readingTime = hp4140::readingSeconds(c.iIntegration);
    const double hold = c.iHoldTime;

    RunEstimate estimate;
    estimate.readings = numtext::toInt32(readings);
    if (stair) {
        const double interval = std::max(asRead(c.fStepDelay), readingTime);
        estimate.readingInterval = interval;
        estimate.seconds = hold + readings * interval;
    } else {
        const double interval = moves ? step / rate : readingTime;
        estimate.readingInterval = interval;
        estimate.seconds = hold + (readings - 1.0) * interval + readingTime;
    }
    estimate.pollInterval = pollIntervalFor(*estimate.readingInterval);
    return estimate;
}

} // namespace

RunEstimate EstimateRun(const TestConfig& c) {
    if (c.iFunction == hp4140::Function::I)
        return softwarePaced(c);
    if (c.iRamp == Ramp::Constant)
        return {};
    return instrumentPaced(c);
}

} // namespace testrun
