#pragma once

// How one reading becomes one chart point: the magnitude on the vertical axis (so a logarithmic
// axis can show it), its sign in the point's label, and time or voltage on the horizontal axis.

#include <cstdint>
#include <string>

namespace chart {

// What the chart needs of a reading.
struct ChartReading {
    std::int32_t number = 0; // the reading's number in the current test, from 1
    float time = 0.0f;       // seconds since the test start
    float voltage = 0.0f;    // applied voltage
    float measurement = 0.0f;
};

struct ChartPoint {
    float x;
    float y;
    float voltage;
    float time;
    std::string label;
};

float xValueFor(const ChartReading& reading, bool xAxisIsTime);
ChartPoint chartPointFor(const ChartReading& reading, bool xAxisIsTime);

} // namespace chart
