#pragma once

#include "drawn_points.h"
#include "scatter_symbols.h"

#include <qcustomplot.h>

#include <array>
#include <optional>
#include <span>

namespace chart {

// Shows drawn points as one line through them in reading order. A QCPGraph draws fast even
// with 10^5 points, but keeps its data sorted by key, so it serves only while the keys rise
// (always on the time axis); once a voltage sweep turns back, an order-keeping QCPCurve takes
// over, its parameter being the point number.
class PlotSeries {
public:
    // The line drawn with the pen, the symbols in its colour.
    PlotSeries(QCPAxis* keyAxis, QCPAxis* valueAxis, const QPen& line);
    // Takes its line off the plot.
    ~PlotSeries();
    PlotSeries(const PlotSeries&) = delete;
    PlotSeries& operator=(const PlotSeries&) = delete;

    // The points, of which those shown before are unchanged unless rebuild says otherwise: only
    // the new ones are added.
    void show(std::span<const DrawnPoint> points, bool rebuild);
    void setSymbols(bool on, SymbolDrawing drawing);
    // The symbol at each point: a circle in the line's colour.
    SymbolLook symbolLook() const;
    // Draws the line on this layer of the plot.
    void setLayer(QCPLayer* layer);
    // The name tests and measurements find the line by.
    void setName(const QString& name);

private:
    struct Symbols {
        bool on;
        SymbolDrawing drawing;
        bool operator==(const Symbols&) const = default;
    };

    std::array<QCPAbstractPlottable*, 2> plottables() const;
    void fill(std::span<const DrawnPoint> points);
    void add(const DrawnPoint& point);

    QCPGraph* graph_;
    QCPCurve* curve_;
    QColor colour_;
    bool curveActive_ = false;
    std::size_t shown_ = 0;
    std::optional<Symbols> symbols_;
};

} // namespace chart
