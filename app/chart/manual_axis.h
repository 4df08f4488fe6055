#pragma once

// Manual axis scaling: the horizontal axis rounded to whole time or voltage units, and the
// vertical limits taken from the two scale lists.

#include <cstdint>
#include <optional>
#include <string>

namespace chart {

// The unit a manual axis is rounded to and the minor setting drawn with it. A coarse voltage
// axis counts its ticks on the unrounded range.
struct AxisRounding {
    float unit;
    std::int16_t minorTicks;
    bool tickBaseRounded;
};

// 60 s above a 90 s span, 10 s above 10 s, otherwise 1 s.
AxisRounding timeRounding(float span);
// 50 V above a 100 V span, 10 V above 10 V, otherwise 1 V.
AxisRounding voltageRounding(float span);

// The horizontal axis as the chart takes it: limits, major tick intervals, minor setting.
struct ManualXAxis {
    float min;
    float max;
    float ticks;
    std::int16_t minorTicks;
};

// From the two numbers of the time (or voltage) fields, in either order. Equal limits widen to
// one unit, so the axis never has an empty range.
ManualXAxis manualTimeAxis(float a, float b);
ManualXAxis manualVoltageAxis(float a, float b);

// Where the major and minor ticks of a manual horizontal axis go.
struct TickLayout {
    double step;
    int subTicks;
};

// A manual axis puts its major ticks one rounding unit apart (the minor setting tells which unit
// the axis was built on) and divides each by the minor setting's sub-ticks. Where that would
// crowd the axis with more than maxIntervals labels, the step grows to 2, 5, 10, 20, ... units.
// A minor setting no manual axis uses gets span / ticks.
TickLayout manualTickLayout(std::int16_t minorTicks, float ticks, double span, int maxIntervals);

// The selected item of a scale list: its text and its position in the list.
struct ScaleListSelection {
    std::string text;
    int position = 0;
};

// The vertical limits; the number of tick intervals only for a linear axis.
struct ManualYAxis {
    double min;
    double max;
    std::optional<std::int16_t> ticks;
};

// Equal selections widen to a decade; ten intervals when the selections lie two or more
// positions apart, otherwise nine.
ManualYAxis manualYAxis(const ScaleListSelection& first, const ScaleListSelection& second,
                        bool logarithmic);

} // namespace chart
