#include "scatter_symbols.h"

#include <cmath>

namespace chart {

QCPScatterStyle scatterStyle(const SymbolLook& look, SymbolDrawing drawing) {
    const QPen pen(look.colour, 1.0);
    QCPScatterStyle shape(look.shape, pen, look.fill, look.size);
    if (drawing == SymbolDrawing::Shapes)
        return shape;
    const int side = static_cast<int>(std::ceil(look.size)) + 1;
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QCPPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    shape.applyTo(&painter, pen);
    shape.drawShape(&painter, side / 2.0, side / 2.0);
    return QCPScatterStyle(pixmap);
}

} // namespace chart
