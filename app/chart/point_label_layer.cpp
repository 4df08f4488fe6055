#include "point_label_layer.h"

#include <QFontMetrics>
#include <QPainter>

#include <cstdint>

namespace chart {

namespace {

// Labels closer than this to an equal label already drawn are skipped.
constexpr int kCellPixels = 3;
// Distinct label texts are few ("+" and "-"); a stream of different ones must not grow forever.
constexpr std::size_t kMaxPictures = 256;

QPixmap pictureOf(const std::string& text, const QFont& font, const QColor& colour, qreal ratio) {
    const QString label = QString::fromStdString(text);
    const QSize size = QFontMetrics(font).size(Qt::TextSingleLine, label);
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, label);
    return pixmap;
}

} // namespace

PointLabelLayer::PointLabelLayer(QCPAxis* keyAxis, QCPAxis* valueAxis, const DrawnPoints& drawn,
                                 const ChartPoints& points)
    : QCPLayerable(keyAxis->parentPlot()), keyAxis_(keyAxis), valueAxis_(valueAxis), drawn_(drawn),
      points_(points) {}

void PointLabelLayer::applyDefaultAntialiasingHint(QCPPainter* painter) const {
    painter->setAntialiasing(false);
}

QRect PointLabelLayer::clipRect() const {
    return keyAxis_->axisRect()->rect();
}

std::size_t PointLabelLayer::slotFor(const std::string& text) {
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        if (pictures_[i].text == text)
            return i + 1;
    }
    if (pictures_.size() >= kMaxPictures)
        pictures_.clear();
    pictures_.push_back({text, pictureOf(text, mParentPlot->font(), Qt::black,
                                         mParentPlot->bufferDevicePixelRatio())});
    return pictures_.size();
}

void PointLabelLayer::draw(QCPPainter* painter) {
    const QRect area = clipRect();
    if (area.isEmpty())
        return;
    const int columns = area.width() / kCellPixels + 1;
    const int rows = area.height() / kCellPixels + 1;
    std::vector<std::uint16_t> drawnHere(static_cast<std::size_t>(columns) * rows, 0);

    for (const DrawnPoint& point : drawn_.points()) {
        const QPointF at(keyAxis_->coordToPixel(point.key), valueAxis_->coordToPixel(point.value));
        if (!QRectF(area).contains(at))
            continue;
        const std::string& text = points_.atIndex(static_cast<std::size_t>(point.number - 1)).label;
        if (text.empty())
            continue;
        const std::size_t slot = slotFor(text);
        const auto cell = static_cast<std::size_t>(
            (static_cast<int>(at.y()) - area.top()) / kCellPixels * columns +
            (static_cast<int>(at.x()) - area.left()) / kCellPixels);
        if (drawnHere[cell] == slot)
            continue;
        drawnHere[cell] = static_cast<std::uint16_t>(slot);
        const QPixmap& pixmap = pictures_[slot - 1].pixmap;
        const QSizeF size = pixmap.deviceIndependentSize();
        painter->drawPixmap(QPointF(at.x() - size.width() / 2, at.y() - offset_ - size.height()),
                            pixmap);
    }
}

} // namespace chart
