#pragma once

#include "chart_legend.h"
#include "chart_point.h"
#include "chart_points.h"
#include "run_line.h"
#include "viewed_run.h"

#include <qcustomplot.h>

#include <QColor>
#include <QString>

#include <optional>
#include <vector>

namespace chart {

// A run to compare the readings with, as the chart is given it: a name for the legend, the
// number of its colour, and its points, their horizontal values on the axis shown.
struct ReferenceCurve {
    QString name;
    QColor colour;
    std::vector<ChartPoint> points;
};

// The colour of a reference of that number, or the one chosen for it (an RGB value).
QColor referenceColour(int number, std::optional<std::uint32_t> chosen = std::nullopt);

// One reference drawn as a plain line in its own colour, beneath the readings and in the same
// view: it has no symbols, labels or limit marks, and a click never selects it.
class ReferenceSeries {
public:
    // Draws on the layer (one below the readings').
    ReferenceSeries(QCPAxis* keyAxis, QCPAxis* valueAxis, QCPLayer* layer,
                    const ReferenceCurve& curve);

    // Brings the drawing in line with the view and the axes; rebuild redraws every point.
    void show(std::optional<analysis::View> derived, AxisScales scales, bool rebuild,
              SymbolDrawing drawing);
    const DrawnPoints& drawn() const { return run_.drawn(); }
    LegendEntry legendEntry() const;

private:
    QString name_;
    QPen line_;
    ChartPoints points_;
    ViewedRun run_;
    RunLine series_;
};

} // namespace chart
