#pragma once

#include "axis_ticker.h"

#include <qcustomplot.h>

namespace chart {

// The chart's small print: each axis's common factor at its end ("×10⁻¹²" above the vertical
// axis, at the right under the horizontal one), and, while the user has zoomed or panned, a
// marker in the top left corner saying that the view is theirs.
class ChartNotes : public QCPLayerable {
    Q_OBJECT

public:
    ChartNotes(QCustomPlot* plot, const AxisTicker& xTicker, const AxisTicker& yTicker);

    void setUserView(bool on) { userView_ = on; }

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;

private:
    void drawUserViewMarker(QCPPainter* painter, const QRect& area) const;

    const AxisTicker& xTicker_;
    const AxisTicker& yTicker_;
    bool userView_ = false;
};

} // namespace chart
