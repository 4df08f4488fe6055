#pragma once

#include "drawn_points.h"
#include "scatter_symbols.h"

#include <qcustomplot.h>

#include <cstddef>
#include <optional>

namespace chart {

// A star over the symbol of every drawn point taken at the current limit, as the table marks
// its row with "*". Shown whether or not the points have symbols: it is a warning, not a style.
class LimitMarks {
public:
    LimitMarks(QCPAxis* keyAxis, QCPAxis* valueAxis);

    void show(const DrawnPoints& drawn, DrawnPoints::Update update);
    void setDrawing(SymbolDrawing drawing);
    static SymbolLook look();

private:
    QCPCurve* curve_;
    std::optional<SymbolDrawing> drawing_;
    std::size_t shown_ = 0; // how many of the drawn points' limit marks the curve holds
};

} // namespace chart
