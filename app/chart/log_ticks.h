#pragma once

// Where the ticks of a logarithmic axis go. Over two or more whole decades the major ticks are
// decades, every one of them or, when that many would not fit, every second, fifth, tenth, ...
// decade, counted from 10⁰ so they stay evenly spaced. A narrower range gets ticks at 1, 2 and 5
// (or at every digit) times a power of ten.

#include "axis_range.h"

#include <optional>
#include <vector>

namespace chart {

struct LogTicks {
    std::vector<double> major;
    std::vector<double> minor;
    bool decades; // the major ticks are whole decades, labelled as powers of ten
};

// At most maxMajor major ticks of decades (never fewer than two). Nothing when the range is not a
// positive one or holds fewer than two ticks of any kind (a deep zoom): such an axis is as good as
// linear and is ticked like one.
std::optional<LogTicks> logTicks(AxisRange range, int maxMajor);

} // namespace chart
