#pragma once

// The main window's chart routines, written once against the chart's settings: preparing the
// chart for a test, plotting a reading, applying the settings view, and the empty chart shown at
// start-up.

#include "analysis/views.h"
#include "chart_point.h"
#include "graph_texts.h"
#include "manual_axis.h"

#include <cstdint>

namespace chart {

class LiveChart;

// Prepares the chart for a test of about expectedPoints readings (it grows beyond that if need
// be): the axes back to the settings' rules, fixed settings, the vertical title, and every point
// unfilled.
void initChart(LiveChart& chart, std::int32_t expectedPoints, bool capacitance);

// One reading as point number reading.number. The caller then asks for a redraw.
void plotReading(LiveChart& chart, const ChartReading& reading, bool xAxisIsTime);

// What the settings view and the window hold when the chart settings are applied.
struct GraphSettings {
    bool xAxisIsTime = true;
    bool capacitance = false;   // the current test's function is C-V
    bool logY = true;           // "Logarithmic Y-Axis"
    bool manualScaling = false; // "Manual Scaling:" rather than "Auto Scaling"
    float timeMin = 0.0f;       // the numbers in the two time fields
    float timeMax = 50.0f;
    float voltageMin = 0.0f; // the numbers in the two voltage fields
    float voltageMax = 50.0f;
    // The selected items of scale lists 0 and 1 of the measured quantity.
    ScaleListSelection yList0{"1E-3", kScaleList0DefaultPosition};
    ScaleListSelection yList1{"1E-15", kScaleList1DefaultPosition};
    bool showPolarity = true; // "Display Measurement Polarity"
    bool showSymbols = true;  // "Display Point Symbols ..."
    // The view chosen above the chart; the curve's own by default.
    analysis::View view = analysis::View::AbsoluteCurrent;
};

// Titles, axis type, scaling, display switches and the view, then a redraw; a view the user
// zoomed or panned to ends. The points and their marks are kept.
void applyGraphSettings(LiveChart& chart, const GraphSettings& settings);

// The empty chart at start-up: points 1 and 2 at the horizontal minimum, half-way between the
// vertical limits (both unfilled), then a redraw.
void placeStartupPoints(LiveChart& chart);

} // namespace chart
