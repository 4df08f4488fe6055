#pragma once

#include "hp4140/test_config.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace testrun {

// What a run will do, worked out from the settings as the instrument reads them: how many
// readings a stair or sweep gives, how long the run takes, and how often the instrument must be
// polled so that no reading is overwritten before it is read (the instrument holds one).
struct RunEstimate {
    // Stairs and sweeps only: an I test is paced by time, a constant ramp reads until stopped.
    std::optional<std::int32_t> readings;
    // From the start to the last reading; none for a run that only ends when stopped.
    std::optional<double> seconds;
    // Seconds between two readings of a stair or sweep.
    std::optional<double> readingInterval;
    std::chrono::milliseconds pollInterval{250};
};

RunEstimate EstimateRun(const hp4140::TestConfig& config);

} // namespace testrun
