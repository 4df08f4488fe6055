#pragma once

#include "app/chart/live_chart.h"

#include <qcustomplot.h>

#include <QCoreApplication>

#include <vector>

namespace chart::testing {

// Asks for a redraw the way the program does and lets the event loop run it.
inline void redraw(LiveChart& chart) {
    chart.setChartRedraw(kRedrawNow);
    QCoreApplication::processEvents();
}

// The plottable that shows the points.
inline QCPAbstractPlottable* shownPlottable(const LiveChart& chart) {
    for (int i = 0; i < chart.plot()->plottableCount(); ++i) {
        if (chart.plot()->plottable(i)->visible())
            return chart.plot()->plottable(i);
    }
    return nullptr;
}

struct PlottedPoint {
    double key;
    double value;
    bool operator==(const PlottedPoint&) const = default;
};

// The shown points in the order the line goes through them.
inline std::vector<PlottedPoint> plottedPoints(const LiveChart& chart) {
    std::vector<PlottedPoint> points;
    QCPAbstractPlottable* shown = shownPlottable(chart);
    if (auto* graph = qobject_cast<QCPGraph*>(shown)) {
        for (const QCPGraphData& data : *graph->data())
            points.push_back({data.key, data.value});
    } else if (auto* curve = qobject_cast<QCPCurve*>(shown)) {
        for (const QCPCurveData& data : *curve->data())
            points.push_back({data.key, data.value});
    }
    return points;
}

} // namespace chart::testing
