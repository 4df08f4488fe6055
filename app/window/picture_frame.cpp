#include "picture_frame.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace app {

namespace {

constexpr const char* kCaption = "  I-V  C-V  I-t";

} // namespace

PictureFrame::PictureFrame(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

QSize PictureFrame::sizeHint() const {
    const int line = fontMetrics().height();
    return {line * 8, line * 4};
}

QSize PictureFrame::minimumSizeHint() const {
    const int line = fontMetrics().height();
    return {fontMetrics().horizontalAdvance(kCaption) + line * 2, line * 2};
}

void PictureFrame::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = contentsRect().adjusted(6, 6, -6, -6);
    painter.fillRect(contentsRect(), QColor(16, 32, 48));
    painter.setPen(QPen(QColor(90, 110, 130), 1));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.bottomLeft(), area.topLeft());
    // An exponential diode-like current against voltage.
    QPainterPath curve;
    constexpr int kSteps = 40;
    for (int k = 0; k <= kSteps; ++k) {
        const double x = static_cast<double>(k) / kSteps;
        const double y = (std::exp(4.0 * x) - 1.0) / (std::exp(4.0) - 1.0);
        const QPointF point(area.left() + x * area.width(), area.bottom() - y * area.height());
        if (k == 0)
            curve.moveTo(point);
        else
            curve.lineTo(point);
    }
    painter.setPen(QPen(QColor(255, 200, 40), 2));
    painter.drawPath(curve);
    painter.setPen(QColor(220, 230, 240));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, kCaption);
}

} // namespace app
