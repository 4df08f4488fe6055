#pragma once

#include "drawn_points.h"
#include "plot_series.h"
#include "scatter_symbols.h"

#include <qcustomplot.h>

#include <cstddef>
#include <optional>

namespace chart {

// One run's line in reading order. An up/down sweep or stair draws its way back, from the
// turning point on, in a lighter shade of the run's colour, and the turning point carries a
// diamond, so that a hysteresis shows.
class RunLine {
public:
    // The line and its symbols in the colour; on the layer when one is given. Tests find the
    // lines by their names: name, and name + " back".
    RunLine(QCPAxis* keyAxis, QCPAxis* valueAxis, const QPen& line, const QString& name,
            QCPLayer* layer = nullptr);
    ~RunLine();
    RunLine(const RunLine&) = delete;
    RunLine& operator=(const RunLine&) = delete;

    // The drawn points after the update; the way back starts at position returnStart of them,
    // if the run turns.
    void show(const DrawnPoints& drawn, DrawnPoints::Update update,
              std::optional<std::size_t> returnStart);
    void setSymbols(bool on, SymbolDrawing drawing);
    void setDrawing(SymbolDrawing drawing);
    SymbolLook symbolLook() const { return out_.symbolLook(); }
    bool turns() const { return turned_; }

    // The shade of the way back, and the turning point's mark, for a colour.
    static QColor backShade(const QColor& colour);
    static SymbolLook turnLook(const QColor& colour);

private:
    PlotSeries out_;
    PlotSeries back_;
    QCPCurve* turn_;
    QColor colour_;
    std::optional<std::size_t> returnStart_;
    std::optional<SymbolDrawing> drawing_;
    bool turned_ = false;
};

} // namespace chart
