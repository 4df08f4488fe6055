#include "expected_points.h"

#include "hp4140/setup_limits.h"
#include "quenta/numtext/numtext.h"

#include <cmath>

namespace testrun {

namespace {

using hp4140::Ramp;
using hp4140::TestConfig;

bool isSweep(Ramp iRamp) {
    return iRamp == Ramp::SweepUp || iRamp == Ramp::SweepUpDown;
}

double span(const TestConfig& c) {
    return static_cast<double>(c.fStopVoltage) - static_cast<double>(c.fStartVoltage);
}

// Readings of a voltage ramp before rounding: one per step, both ways for an up/down ramp.
double rampReadings(const TestConfig& c) {
    const double oneWay = span(c) / static_cast<double>(c.fStepVoltage) + 1.0;
    return hp4140::goesBothWays(c.iRamp) ? oneWay * 2.0 : oneWay;
}

double rampSeconds(const TestConfig& c, std::int32_t readings) {
    if (isSweep(c.iRamp))
        return span(c) * 1.2 / static_cast<double>(c.fRampRate) + 3.0;
    return (static_cast<double>(c.fStepDelay) + 0.5) * readings + 3.0;
}

std::string most(double value) {
    return numtext::formatGeneral(value);
}

} // namespace

std::optional<std::string> startRefusal(const TestConfig& c) {
    if (auto ignored = hp4140::IgnoredSettingRefusal(c))
        return ignored;
    if (c.iFunction == hp4140::Function::I) {
        if (!(c.fSampleRate > 0.0f))
            return "Sample Rate (sec) must be more than 0.";
        if (std::fabs(c.fMaxSampleTime / static_cast<double>(c.fSampleRate)) + 1.0 > kMostReadings)
            return "Sample Rate (sec) is too short for the Max Sample Time (sec): the test would "
                   "take more than " +
                   most(kMostReadings) + " readings.";
        return std::nullopt;
    }
    if (c.iRamp == Ramp::Constant)
        return std::nullopt;
    const double readings = std::fabs(rampReadings(c));
    if (!(readings <= kMostReadings))
        return "Step Voltage is too small for the span from Start Voltage to Stop Voltage: the "
               "test would take more than " +
               most(kMostReadings) + " readings.";
    const double seconds = std::fabs(rampSeconds(c, numtext::toInt32(readings)));
    if (!(seconds <= kLongestTestSeconds))
        return std::string(isSweep(c.iRamp) ? "dV/dt (V/s)" : "Step Delay") +
               " gives a test longer than " + most(kLongestTestSeconds) + " seconds.";
    return std::nullopt;
}

Expectation CalculateExpectedTimePoints(const TestConfig& c, Expectation previous) {
    Expectation next = previous;
    if (c.iFunction == hp4140::Function::I) {
        next.points = numtext::toInt32(
            static_cast<double>(c.fMaxSampleTime) / static_cast<double>(c.fSampleRate) + 1.0);
        next.time = c.fMaxSampleTime;
    } else if (c.iRamp != Ramp::Constant) {
        next.points = numtext::toInt32(rampReadings(c));
        next.time = static_cast<float>(rampSeconds(c, next.points));
    }
    // The absolute values of the finished sums: a falling ramp counts like a rising one.
    next.points = std::abs(next.points);
    next.time = std::fabs(next.time);
    return next;
}

} // namespace testrun
