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

// The plottable that shows the line of that name: the readings' up to the turning point,
// "readings back" after it, "fit", "reference NAME".
inline QCPAbstractPlottable* shownPlottable(const LiveChart& chart,
                                            const QString& name = QStringLiteral("readings")) {
    for (int i = 0; i < chart.plot()->plottableCount(); ++i) {
        QCPAbstractPlottable* plottable = chart.plot()->plottable(i);
        if (plottable->visible() && plottable->name() == name)
            return plottable;
    }
    return nullptr;
}

struct PlottedPoint {
    double key;
    double value;
    bool operator==(const PlottedPoint&) const = default;
};

// The points of a line in the order it goes through them.
inline std::vector<PlottedPoint> pointsOf(const QCPAbstractPlottable* shown) {
    std::vector<PlottedPoint> points;
    if (auto* graph = qobject_cast<const QCPGraph*>(shown)) {
        for (const QCPGraphData& data : *graph->data())
            points.push_back({data.key, data.value});
    } else if (auto* curve = qobject_cast<const QCPCurve*>(shown)) {
        for (const QCPCurveData& data : *curve->data())
            points.push_back({data.key, data.value});
    }
    return points;
}

// The readings' points in the order the line goes through them, the way back (which starts at
// the turning point) after the way out.
inline std::vector<PlottedPoint> plottedPoints(const LiveChart& chart) {
    std::vector<PlottedPoint> points = pointsOf(shownPlottable(chart));
    const std::vector<PlottedPoint> back = pointsOf(shownPlottable(chart, "readings back"));
    if (!back.empty())
        points.insert(points.end(), back.begin() + 1, back.end());
    return points;
}

} // namespace chart::testing
