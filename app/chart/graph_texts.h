#pragma once

// The chart's fixed texts: axis titles, the rounding notes beside the manual limits, and the
// items of the four scale lists.

#include <string>
#include <string_view>
#include <vector>

namespace chart {

std::string xAxisTitle(bool xAxisIsTime);
std::string yAxisTitle(bool capacitance);

// The notes say the rounding the manual axis will apply to the two limits, in either order.
std::string timeRoundingNote(float a, float b);
std::string voltageRoundingNote(float a, float b);

// Why a run is not drawn on this chart: "cv.txt holds capacitances (Farads) and the chart shows
// currents (Amps)", the units as data files give them.
std::string otherQuantityText(std::string_view run, std::string_view runUnits,
                              std::string_view chartUnits);

// "1E-16" to "1E-3", the items of every scale list.
std::vector<std::string> graphScaleListItems();

// Positions selected when the lists are filled: list 0 holds 1E-3, list 1 holds 1E-15.
inline constexpr int kScaleList0DefaultPosition = 13;
inline constexpr int kScaleList1DefaultPosition = 1;

} // namespace chart
