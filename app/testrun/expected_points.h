#pragma once

#include "hp4140/test_config.h"

#include <cstdint>
#include <optional>
#include <string>

namespace testrun {

// How many readings a test will give and how long it will take, for the chart and the progress.
struct Expectation {
    std::int32_t points = 100;
    float time = 20.0f;
};

// Above this many readings a set-up is refused: the step is surely a typing slip, and the
// readings would not fit in memory anyway.
inline constexpr double kMostReadings = 1'000'000;
inline constexpr double kLongestTestSeconds = 1'000'000;

// Why the set-up cannot run, naming the field and the rule; nullopt when it can: a setting the
// instrument would ignore as it is sent (which also keeps the expected length from dividing by
// a zero step or rate), or a test too long or with too many readings.
std::optional<std::string> startRefusal(const hp4140::TestConfig& config);

// The expected readings and seconds of a test; a "Constant" ramp in I-V or C-V keeps the
// previous values. Call only for a set-up that startRefusal accepts.
Expectation CalculateExpectedTimePoints(const hp4140::TestConfig& config, Expectation previous);

} // namespace testrun
