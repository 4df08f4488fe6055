#pragma once

// A run's points as the analysis reads them, and the views of them the chart draws: the readings
// as they are, or a view of theirs (I, dI/dV, 1/C², C/Cmax, log–log) against its own axis.

#include "analysis/readings.h"
#include "analysis/views.h"
#include "chart_points.h"
#include "drawn_points.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace chart {

// The filled points of a run in reading order as readings: voltage, time and the signed value
// (a point labelled "-" was negative), with the number of the point each comes from.
struct RunReadings {
    std::vector<analysis::Reading> readings;
    std::vector<std::int32_t> numbers;
};
RunReadings runReadings(const ChartPoints& points);

// Where an up/down sweep or stair turns back, found as its readings arrive: each point is looked
// at once, in reading order, the way analysis::secondBranchStart looks at readings.
class TurnFinder {
public:
    // Looks at the filled points from the first changed one on (everything again when that is
    // one looked at before), up to the first one not yet filled.
    void scan(const ChartPoints& points, std::int32_t firstChanged);
    // The number of the first point on the way back; nothing while the run has not turned.
    std::optional<std::int32_t> returnStart() const { return start_; }

private:
    std::int32_t next_ = 0; // the index of the first point not looked at
    float lastVoltage_ = 0.0f;
    int direction_ = 0;
    std::optional<std::int32_t> start_;
};

// The curve's own view, the one the settings draw on the axis chosen: |I| (of an I-V or an I
// test) or C. Every other view is drawn against its own axis with its own scales.
bool isUsualView(analysis::View view);
// Whether the view is drawn against time rather than voltage.
bool viewAgainstTime(analysis::View view);

// The view of the run: each point keeps its number, its limit mark and, where the view shows
// magnitudes, its label.
std::vector<SourcePoint> viewOfRun(const RunReadings& run, const ChartPoints& points,
                                   analysis::View view);

// A fit's (x, value) points in the view (magnitudes in a usual view); C/Cmax is scaled by the
// run's largest value, as the readings are.
std::vector<SourcePoint> viewOfFit(std::span<const analysis::Point> fitted, const RunReadings& run,
                                   analysis::View view);

// The read-out of a point in a view: "V = 0.45 V   |I| = 1.234568E-09 A", against time
// "t = 12.5 s   …". Numbers in the general form of a reading.
std::string readoutLine(analysis::View view, bool againstTime, double x, double y);

} // namespace chart
