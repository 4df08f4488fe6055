#pragma once

#include "hp4140/test_config.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace testrun {

// What a run will do, worked out from the settings as the instrument reads them: how many
// readings a stair or sweep gives, how long the run takes, and how often the instrument must be
// polled so that no reading is overwritten before it is read (the instrument holds one).
struct RunEstimate {
    // Stairs and sweeps only: an I test is paced by time, a constant ramp reads until stopped.
    std::optional<std::int32_t> readings;
    // An I test: the readings it gives at the least, whatever the phase of the instrument's
    // readings against the sample ticks; fewer are missing.
    std::optional<std::int32_t> fewestReadings;
    // From the start to the last reading; none for a run that only ends when stopped.
    std::optional<double> seconds;
    // Seconds between two readings of a stair or sweep.
    std::optional<double> readingInterval;
    // Seconds one reading takes at the integration chosen.
    double readingTime = 0.0;
    std::chrono::milliseconds pollInterval{250};
};

RunEstimate EstimateRun(const hp4140::TestConfig& config);

// An I test whose sample ticks all fall before its first reading is due (after the hold time and
// one reading time) or after its Max Sample Time can take no reading: why, or nullopt.
std::optional<std::string> noReadingRefusal(const hp4140::TestConfig& config);

// A stair or sweep that asks for readings faster than its integration takes them: the pace it
// asks for and the one the integration allows, or nullopt.
std::optional<std::string> fastPaceNote(const RunEstimate& estimate);

} // namespace testrun
