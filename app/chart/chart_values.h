#pragma once

// The values the chart's settings take. They keep the numbers the program has always written,
// so a setting read from or written to a stored description keeps its meaning.

#include <cstdint>

namespace chart {

enum class ChartStyle : std::int16_t {
    Lines = 4,           // lines without symbols
    LinesAndSymbols = 5, // lines with a symbol at each point
};

enum class ChartType : std::int32_t {
    Linear = 6, // linear axes
    LogY = 7,   // logarithmic vertical axis
};

enum class ScaleMode : std::int16_t {
    Automatic = 0,
    Manual = 2,
};

// ChartPointMark: only filled points are drawn.
inline constexpr std::int16_t kMarkFilled = 0;
inline constexpr std::int16_t kMarkNotFilled = 1;

// Writing this to ChartRedraw redraws the chart.
inline constexpr std::int32_t kRedrawNow = 2;

} // namespace chart
