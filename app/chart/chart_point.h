#pragma once

// How one reading becomes one chart point: the magnitude on the vertical axis (so a logarithmic
// axis can show it), its sign in the point's label, and time or voltage on the horizontal axis.

#include <cstdint>
#include <string>

namespace chart {

// The labels of a point: its reading's sign.
inline constexpr const char* kNegativeLabel = "-";
inline constexpr const char* kPositiveLabel = "+";

// What the chart needs of a reading.
struct ChartReading {
    std::int32_t number = 0; // the reading's number in the current test, from 1
    float time = 0.0f;       // seconds since the test start
    float voltage = 0.0f;    // applied voltage
    float measurement = 0.0f;
    bool atLimit = false; // taken at the current limit
};

struct ChartPoint {
    float x;
    float y;
    float voltage;
    float time;
    std::string label;
    bool atLimit;
};

float xValueFor(const ChartReading& reading, bool xAxisIsTime);
ChartPoint chartPointFor(const ChartReading& reading, bool xAxisIsTime);

} // namespace chart
