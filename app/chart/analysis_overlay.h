#pragma once

#include "analysis/readings.h"

#include <QString>

#include <optional>
#include <vector>

namespace chart {

// What the chart shows of an analysis: its window as a band (an end not given is open) and its
// fit, (x, value) points as the readings' are, as a line named in the legend.
struct AnalysisOverlay {
    bool shown = false;
    bool againstTime = false; // the window's and the fit's horizontal values are times
    std::optional<double> from;
    std::optional<double> to;
    std::vector<analysis::Point> fitted;
    QString fitName; // "diode fit"
};

} // namespace chart
