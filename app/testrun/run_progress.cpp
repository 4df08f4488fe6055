#include "run_progress.h"

#include "quenta/numtext/numtext.h"

#include <algorithm>
#include <cmath>

namespace testrun {

namespace {

// The estimated pace counts as this many readings' worth of observation, so the first few
// readings, each stamped at the poll that found it, cannot throw the forecast about.
constexpr double kEstimateWeight = 3.0;
// A bar at its end says the run is over; until then it stops short.
constexpr double kMostWhileRunning = 0.99;
// Below this, time left is counted in seconds, above it in minutes.
constexpr double kSecondsShown = 120.0;

std::string leftText(double seconds) {
    if (seconds < kSecondsShown)
        return std::to_string(static_cast<long>(std::ceil(seconds))) + " s left";
    return std::to_string(static_cast<long>(std::ceil(seconds / 60.0))) + " min left";
}

std::string elapsedText(double seconds) {
    return "elapsed " + numtext::formatPicture(seconds, "0.0") + " s";
}

} // namespace

void RunPace::noteReading(double seconds) {
    if (readings_ == 0)
        first_ = seconds;
    last_ = seconds;
    ++readings_;
}

// A timed run (function I) keeps to its clock. A stair or sweep is forecast from its last
// reading: the readings still to come at a pace that starts as the estimate's and moves to the
// one observed.
std::optional<double> RunPace::expectedSeconds() const {
    if (!estimate_.seconds || !estimate_.readings || !estimate_.readingInterval || readings_ == 0)
        return estimate_.seconds;
    const double observed = last_ - first_;
    const double intervals = readings_ - 1.0;
    const double pace =
        (observed + kEstimateWeight * *estimate_.readingInterval) / (intervals + kEstimateWeight);
    const double toCome = std::max(*estimate_.readings - readings_, 0);
    return last_ + toCome * pace;
}

std::string RunPace::readingsText() const {
    if (estimate_.readings)
        return std::to_string(readings_) + " of about " + std::to_string(*estimate_.readings) +
               (*estimate_.readings == 1 ? " reading" : " readings");
    return std::to_string(readings_) + (readings_ == 1 ? " reading" : " readings");
}

RunProgress RunPace::progress(double elapsed, bool over,
                              std::optional<std::string> cutShortAs) const {
    if (over && cutShortAs) {
        std::optional<double> share;
        if (estimate_.readings && *estimate_.readings > 0)
            share = std::min(static_cast<double>(readings_) / *estimate_.readings, 1.0);
        else if (estimate_.seconds && *estimate_.seconds > 0.0)
            share = std::min(elapsed / *estimate_.seconds, 1.0);
        return {share.value_or(0.0), readingsText() + ", " + *cutShortAs};
    }
    if (over)
        return {1.0, readingsText() + ", " + elapsedText(elapsed)};
    const std::optional<double> expected = expectedSeconds();
    if (!expected)
        return {std::nullopt, readingsText() + ", " + elapsedText(elapsed)};
    const double total = std::max(*expected, elapsed);
    const double fraction = total > 0.0 ? std::min(elapsed / total, kMostWhileRunning) : 0.0;
    return {fraction, readingsText() + ", " + leftText(total - elapsed)};
}

} // namespace testrun
