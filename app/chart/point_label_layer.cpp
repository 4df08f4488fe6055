#include "point_label_layer.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

// Labels closer than this to an equal label already drawn are skipped.
constexpr int kCellPixels = 3;

// Pixel = scale * coordinate + offset, the coordinate in axis units (decimal logarithms on a
// logarithmic axis): one multiply-add per point instead of the axis's general mapping.
struct PixelMap {
    double scale;
    double offset;
    double operator()(double coordinate) const { return scale * coordinate + offset; }
};

PixelMap pixelMapOf(const QCPAxis* axis) {
    const QCPRange range = axis->range();
    const bool logarithmic = axis->scaleType() == QCPAxis::stLogarithmic;
    const double lower = logarithmic ? std::log10(range.lower) : range.lower;
    const double upper = logarithmic ? std::log10(range.upper) : range.upper;
    const double lowerPixel = axis->coordToPixel(range.lower);
    const double scale = (axis->coordToPixel(range.upper) - lowerPixel) / (upper - lower);
    return {scale, lowerPixel - scale * lower};
}

QPixmap pictureOfText(const QString& text, const QFont& font, qreal ratio) {
    const QSize size = QFontMetrics(font).size(Qt::TextSingleLine, text);
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, text);
    return pixmap;
}

} // namespace

QPointF labelCorner(QPointF point, QSizeF label, double offset, const QRectF& area) {
    const double left = std::max(
        area.left(), std::min(point.x() - label.width() / 2, area.right() - label.width()));
    const double above = point.y() - offset - label.height();
    return {left, above >= area.top() ? above : point.y() + offset};
}

PointLabelLayer::PointLabelLayer(QCPAxis* keyAxis, QCPAxis* valueAxis, const DrawnPoints& drawn,
                                 const LabelTexts& texts)
    : QCPLayerable(keyAxis->parentPlot()), keyAxis_(keyAxis), valueAxis_(valueAxis), drawn_(drawn),
      texts_(texts) {}

void PointLabelLayer::applyDefaultAntialiasingHint(QCPPainter* painter) const {
    painter->setAntialiasing(false);
}

QRect PointLabelLayer::clipRect() const {
    return keyAxis_->axisRect()->rect();
}

const PointLabelLayer::Picture& PointLabelLayer::pictureOf(std::uint32_t label) {
    if (label >= pictures_.size())
        pictures_.resize(label + 1);
    std::optional<Picture>& picture = pictures_[label];
    if (!picture) {
        const QPixmap pixmap =
            pictureOfText(QString::fromStdString(texts_.text(label)), mParentPlot->font(),
                          mParentPlot->bufferDevicePixelRatio());
        picture = Picture{pixmap, pixmap.deviceIndependentSize()};
    }
    return *picture;
}

void PointLabelLayer::draw(QCPPainter* painter) {
    const QRect area = clipRect();
    if (area.isEmpty())
        return;
    const int columns = area.width() / kCellPixels + 1;
    const int rows = area.height() / kCellPixels + 1;
    labelInCell_.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), 0);
    const PixelMap toX = pixelMapOf(keyAxis_);
    const PixelMap toY = pixelMapOf(valueAxis_);
    const double left = area.left();
    const double top = area.top();
    // A picture for a report draws the texts themselves, sharp at any scale and vectors in a PDF.
    const bool asText = painter->modes().testFlag(QCPPainter::pmNoCaching);
    if (asText) {
        painter->setFont(mParentPlot->font());
        painter->setPen(Qt::black);
    }

    for (const DrawnPoint& point : drawn_.points()) {
        const double x = toX(point.scaledKey) - left;
        const double y = toY(point.scaledValue) - top;
        if (point.label == 0 || !(x >= 0.0 && x < area.width() && y >= 0.0 && y < area.height()))
            continue;
        std::uint32_t& inCell = labelInCell_[static_cast<std::size_t>(
            static_cast<int>(y) / kCellPixels * columns + static_cast<int>(x) / kCellPixels)];
        if (inCell == point.label)
            continue;
        inCell = point.label;
        const Picture& picture = pictureOf(point.label);
        const QPointF corner =
            labelCorner(QPointF(left + x, top + y), picture.size, offset_, QRectF(area));
        if (asText)
            painter->drawText(QRectF(corner, picture.size), Qt::AlignCenter,
                              QString::fromStdString(texts_.text(point.label)));
        else
            painter->drawPixmap(corner, picture.pixmap);
    }
}

} // namespace chart
