#pragma once

#include <qcustomplot.h>

namespace chart {

// How a plottable draws its symbols: on screen as a picture drawn once and copied to every point
// (far cheaper than drawing each shape), in a saved or copied chart as shapes, which stay sharp
// at any size and are vectors in a PDF.
enum class SymbolDrawing { Cached, Shapes };

struct SymbolLook {
    QCPScatterStyle::ScatterShape shape;
    QColor colour;
    QBrush fill;
    double size;
};

QCPScatterStyle scatterStyle(const SymbolLook& look, SymbolDrawing drawing);

} // namespace chart
