#pragma once

#include "axis_ticker.h"

#include <qcustomplot.h>

#include <optional>

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

// The read-out of the reading nearest the mouse, in the plotting area's bottom right corner
// (where a diode's I-V and a MOS capacitor's C-V leave room), with a ring around that reading's
// symbol. It has a layer of its own, so that following the mouse
// repaints only the read-out.
class ChartReadout : public QCPLayerable {
    Q_OBJECT

public:
    ChartReadout(QCustomPlot* plot, QCPLayer* layer);

    // The text and the reading's place on the axes; an empty text shows nothing.
    void show(const QString& text, QPointF reading);
    const QString& text() const { return text_; }

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;

private:
    QString text_;
    QPointF reading_;
};

} // namespace chart
