#include "chart_notes.h"

namespace chart {

namespace {

constexpr int kPadding = 3;
constexpr const char* kUserViewText = "Your view · double-click to fit";

} // namespace

ChartNotes::ChartNotes(QCustomPlot* plot, const AxisTicker& xTicker, const AxisTicker& yTicker)
    : QCPLayerable(plot, QStringLiteral("legend")), xTicker_(xTicker), yTicker_(yTicker) {}

void ChartNotes::applyDefaultAntialiasingHint(QCPPainter* painter) const {
    painter->setAntialiasing(true);
}

void ChartNotes::draw(QCPPainter* painter) {
    const QCPAxisRect* axes = mParentPlot->axisRect();
    const QRect area = axes->rect();
    painter->setPen(Qt::black);
    if (!yTicker_.factor().isEmpty()) {
        painter->setFont(mParentPlot->yAxis->tickLabelFont());
        const int height = painter->fontMetrics().height();
        painter->drawText(QRect(0, area.top() - height - kPadding, area.left(), height),
                          Qt::AlignRight | Qt::AlignBottom, yTicker_.factor());
    }
    if (!xTicker_.factor().isEmpty()) {
        painter->setFont(mParentPlot->xAxis->tickLabelFont());
        const QRect viewport = mParentPlot->viewport();
        painter->drawText(QRect(area.left(), area.bottom(), area.width(),
                                viewport.bottom() - area.bottom() - kPadding),
                          Qt::AlignRight | Qt::AlignBottom, xTicker_.factor());
    }
    if (userView_)
        drawUserViewMarker(painter, area);
}

void ChartNotes::drawUserViewMarker(QCPPainter* painter, const QRect& area) const {
    QFont font = mParentPlot->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    painter->setFont(font);
    const QString marker = QString::fromUtf8(kUserViewText);
    const QRect text = painter->fontMetrics().boundingRect(marker);
    const QRect box(area.left() + 2 * kPadding, area.top() + 2 * kPadding,
                    text.width() + 4 * kPadding, text.height() + 2 * kPadding);
    painter->setPen(QPen(QColor(150, 120, 0)));
    painter->setBrush(QColor(255, 244, 190, 235));
    painter->drawRoundedRect(box, 3, 3);
    painter->setPen(QColor(90, 70, 0));
    painter->drawText(box, Qt::AlignCenter, marker);
}

ChartReadout::ChartReadout(QCustomPlot* plot, QCPLayer* layer) : QCPLayerable(plot) {
    setLayer(layer);
}

void ChartReadout::applyDefaultAntialiasingHint(QCPPainter* painter) const {
    painter->setAntialiasing(true);
}

void ChartReadout::show(const QString& text, QPointF reading) {
    text_ = text;
    reading_ = reading;
}

void ChartReadout::draw(QCPPainter* painter) {
    if (text_.isEmpty())
        return;
    const QRect area = mParentPlot->axisRect()->rect();
    painter->setPen(QPen(QColor(200, 0, 0), 1.5));
    painter->setBrush(Qt::NoBrush);
    // Placed as the axes are now, which may have moved since the mouse did.
    const QPointF ring(mParentPlot->xAxis->coordToPixel(reading_.x()),
                       mParentPlot->yAxis->coordToPixel(reading_.y()));
    painter->drawEllipse(ring, 6.0, 6.0);
    QFont font = mParentPlot->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    painter->setFont(font);
    const QRect text = painter->fontMetrics().boundingRect(text_);
    const QRect box(area.right() - text.width() - 6 * kPadding,
                    area.bottom() - text.height() - 4 * kPadding, text.width() + 4 * kPadding,
                    text.height() + 2 * kPadding);
    painter->setPen(QPen(QColor(120, 120, 120)));
    painter->setBrush(QColor(255, 255, 255, 230));
    painter->drawRoundedRect(box, 3, 3);
    painter->setPen(Qt::black);
    painter->drawText(box, Qt::AlignCenter, text_);
}

} // namespace chart
