#pragma once

#include "drawn_points.h"

#include <optional>

namespace chart {

struct AxisRange {
    double lower;
    double upper;
};

// Automatic scaling: every drawn value in view, with a little room so no symbol sits on the
// frame. A single value gets a range around it.
AxisRange fittedRange(ValueRange values, bool logarithmic);

// Manual limits made drawable: in order and never empty. Nothing where the axis cannot show
// them (a limit that is not finite, or at or below zero on a logarithmic axis).
std::optional<AxisRange> manualRange(double a, double b, bool logarithmic);

// A view the user may zoom or pan to: finite, in order, wide enough for its ticks to differ in a
// reading's precision, and above zero on a logarithmic axis.
bool viewable(AxisRange range, bool logarithmic);

} // namespace chart
