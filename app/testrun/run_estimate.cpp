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
// Below the panel's fastest reading interval (a 0.01 V step at 1 V/s: 10 ms) by a margin, so
// even that pace meets three polls per reading.
constexpr std::chrono::milliseconds kFastestPoll{3};
constexpr double kFastReadings = 0.5; // seconds between readings below which polls speed up
constexpr double kPollsPerReading = 3.0;

// Polled three times per reading interval, so every reading meets a poll before the next one
// takes its place even when the window thread is late for one of them.
std::chrono::milliseconds pollIntervalFor(double readingInterval) {
    if (!(readingInterval < kFastReadings))
        return kSlowPoll;
    const auto third =
        std::chrono::milliseconds(numtext::toInt32(readingInterval * 1000.0 / kPollsPerReading));
    return std::max(third, kFastestPoll);
}

double tickSeconds(std::chrono::milliseconds interval) {
    return static_cast<double>(interval.count()) / 1000.0;
}

// The first reading of an I test falls due after the hold time (whole seconds, as PH sends it)
// and one reading time; from then on one every reading time, read at the sample ticks.
double firstReadingSeconds(const TestConfig& sent) {
    return static_cast<double>(sent.iHoldTime) + hp4140::readingSeconds(sent.iIntegration);
}

RunEstimate softwarePaced(const TestConfig& c) {
    const TestConfig sent = hp4140::SettingsAsSent(c);
    RunEstimate estimate;
    estimate.readingTime = hp4140::readingSeconds(sent.iIntegration);
    estimate.pollInterval =
        std::chrono::milliseconds(numtext::toInt32(static_cast<double>(c.fSampleRate) * 1000.0));
    const double tick = tickSeconds(estimate.pollInterval);
    if (!(tick > 0.0))
        return estimate;
    const double most = static_cast<double>(c.fMaxSampleTime);
    // The first tick after the maximum time ends the test.
    estimate.seconds = (std::floor(most / tick + kSlack) + 1.0) * tick;
    // One reading less than the span holds, for the phase of the readings against the ticks.
    const double span = most - firstReadingSeconds(sent);
    const double fewest = std::floor(span / std::max(tick, estimate.readingTime) + kSlack) - 1.0;
    estimate.fewestReadings = numtext::toInt32(std::max(fewest, 0.0));
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
    estimate.readingTime = readingTime;
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

std::string secondsText(double seconds) {
    return numtext::formatGeneral(seconds) + " s";
}

std::string perSecondText(double interval) {
    return numtext::formatGeneral(std::round(10.0 / interval) / 10.0) + " readings/s";
}

} // namespace

std::optional<std::string> noReadingRefusal(const TestConfig& c) {
    if (c.iFunction != hp4140::Function::I)
        return std::nullopt;
    const RunEstimate estimate = softwarePaced(c);
    const double tick = tickSeconds(estimate.pollInterval);
    if (!(tick > 0.0))
        return std::nullopt;
    const double first = firstReadingSeconds(hp4140::SettingsAsSent(c));
    const double firstTick = std::ceil(first / tick - kSlack) * tick;
    if (firstTick <= static_cast<double>(c.fMaxSampleTime) + kSlack)
        return std::nullopt;
    return "The test would take no reading: its first reading is ready " + secondsText(first) +
           " after the start (the Hold Time and one reading), and no sample every " +
           secondsText(tick) + " falls between then and the Max Sample Time (sec) of " +
           secondsText(static_cast<double>(c.fMaxSampleTime)) + ".";
}

std::optional<std::string> fastPaceNote(const RunEstimate& estimate) {
    if (!estimate.readingInterval || !(*estimate.readingInterval < estimate.readingTime))
        return std::nullopt;
    return "The set-up asks for a reading every " + secondsText(*estimate.readingInterval) + " (" +
           perSecondText(*estimate.readingInterval) + "), but the integration takes " +
           secondsText(estimate.readingTime) + " per reading (" +
           perSecondText(estimate.readingTime) +
           "): choose a larger step, a slower ramp or a shorter integration.";
}

RunEstimate EstimateRun(const TestConfig& c) {
    if (c.iFunction == hp4140::Function::I)
        return softwarePaced(c);
    if (c.iRamp == Ramp::Constant)
        return {};
    return instrumentPaced(c);
}

} // namespace testrun
