#include "axis_range.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

constexpr double kMarginShare = 0.05;
// A reading has about 7 significant digits; a view narrower than this share of its values
// would show differences the readings do not hold.
constexpr double kNarrowestShare = 1e-6;
// Far beyond any reading, yet well inside what the drawing can map to pixels.
constexpr double kFarthest = 1e200;

} // namespace

AxisRange fittedRange(ValueRange values, bool logarithmic) {
    if (logarithmic) {
        const double ratio = values.max / values.min;
        const double factor = ratio > 1.0 ? std::pow(ratio, kMarginShare) : 2.0;
        return {values.min / factor, values.max * factor};
    }
    const double span = values.max - values.min;
    double margin = span * kMarginShare;
    if (!(span > 0.0))
        margin = values.max != 0.0 ? std::fabs(values.max) * 0.1 : 1.0;
    return {values.min - margin, values.max + margin};
}

std::optional<AxisRange> manualRange(double a, double b, bool logarithmic) {
    if (!std::isfinite(a) || !std::isfinite(b))
        return std::nullopt;
    AxisRange range{std::min(a, b), std::max(a, b)};
    if (logarithmic && range.lower <= 0.0)
        return std::nullopt;
    if (range.upper == range.lower)
        range.upper = logarithmic
                          ? range.lower * 10.0
                          : range.lower + (range.lower != 0.0 ? std::fabs(range.lower) : 1.0);
    return range;
}

bool viewable(AxisRange range, bool logarithmic) {
    if (!(range.lower < range.upper) || !(std::fabs(range.lower) < kFarthest) ||
        !(std::fabs(range.upper) < kFarthest))
        return false;
    if (logarithmic)
        return range.lower > 1.0 / kFarthest && range.upper / range.lower > 1.0 + kNarrowestShare;
    return range.upper - range.lower >
           kNarrowestShare * std::max(std::fabs(range.lower), std::fabs(range.upper));
}

} // namespace chart
