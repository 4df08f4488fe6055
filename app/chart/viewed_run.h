#pragma once

#include "drawn_points.h"
#include "run_view.h"

#include <cstddef>
#include <optional>

namespace chart {

// The drawing of one run's points in the chart's view, and where its way back begins. Drawn as
// they are, new points at the end cost the same however many are already drawn; another view is
// drawn afresh from every point whenever a point changes.
class ViewedRun {
public:
    // Brings the drawing in line with the records and the view (nothing: the records as they
    // are); rebuild draws every point afresh.
    DrawnPoints::Update update(ChartPoints& records, std::optional<analysis::View> derived,
                               AxisScales scales, bool rebuild);

    const DrawnPoints& drawn() const { return drawn_; }
    // The position in drawn() of the first point on the way back, if the run turns.
    std::optional<std::size_t> returnStart() const { return returnStart_; }
    // The run's readings as of the last update in a view other than the records as they are.
    const RunReadings& readings() const { return readings_; }

private:
    DrawnPoints drawn_;
    RunReadings readings_;
    TurnFinder turn_;
    std::optional<std::size_t> returnStart_;
};

} // namespace chart
