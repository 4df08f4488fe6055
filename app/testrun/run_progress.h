#pragma once

#include "run_estimate.h"

#include <cstdint>
#include <optional>
#include <string>

namespace testrun {

// How far a run has got, as the window's progress bar and a headless run's progress line show
// it.
struct RunProgress {
    // 0 to 1, and exactly 1 once the run is over; none while a run that ends only when stopped
    // goes on.
    std::optional<double> fraction;
    // "21 of about 21 readings, 4 s left"; once over "21 of about 21 readings, elapsed 10.0 s".
    std::string text;
};

// The pace of a run: its estimate, corrected by the pace of its readings once they arrive.
class RunPace {
public:
    RunPace() = default;
    explicit RunPace(const RunEstimate& estimate) : estimate_(estimate) {}

    // A reading was filed this many seconds after the start.
    void noteReading(double seconds);
    // The seconds the whole run should take; none for a run that ends only when stopped.
    std::optional<double> expectedSeconds() const;
    // Where the run stands `elapsed` seconds after its start, running or over. A run cut short
    // (aborted, lost ...) says so in place of its time and shows the share it got through:
    // "16 of about 201 readings, aborted".
    RunProgress progress(double elapsed, bool over,
                         std::optional<std::string> cutShortAs = std::nullopt) const;

private:
    std::string readingsText() const;

    RunEstimate estimate_;
    std::int32_t readings_ = 0;
    double first_ = 0.0;
    double last_ = 0.0;
};

} // namespace testrun
