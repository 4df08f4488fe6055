#include "chart_legend.h"

#include <algorithm>

namespace chart {

namespace {

constexpr int kIconWidth = 22;
constexpr int kIconHeight = 14;
constexpr int kIconGap = 4;
constexpr int kEntryGap = 12;
// A long file name is shortened in its middle to this many average characters.
constexpr int kLongestName = 32;

void drawSymbol(QCPPainter* painter, const SymbolLook& look, QPointF at) {
    const QCPScatterStyle style = scatterStyle(look, SymbolDrawing::Shapes);
    style.applyTo(painter, QPen(look.colour));
    style.drawShape(painter, at);
}

} // namespace

ChartLegend::ChartLegend(QCustomPlot* plot, Looks looks)
    : QCPLayerable(plot, QStringLiteral("legend")), looks_(std::move(looks)), font_(plot->font()) {
    font_.setPointSizeF(font_.pointSizeF() * 0.85);
}

QStringList ChartLegend::texts() const {
    QStringList texts;
    for (const LegendEntry& entry : entries_)
        texts.append(textOf(entry));
    return texts;
}

QString ChartLegend::textOf(const LegendEntry& entry) const {
    switch (entry.mark) {
    case LegendMark::Readings:
        return QStringLiteral("Readings");
    case LegendMark::Negative:
        return QStringLiteral("Negative (magnitude)");
    case LegendMark::AtLimit:
        return QStringLiteral("At current limit");
    case LegendMark::Back:
        return QStringLiteral("Way back");
    case LegendMark::Turn:
        return QStringLiteral("Turning point");
    case LegendMark::Fit:
    case LegendMark::NotDrawn:
        return entry.name;
    case LegendMark::Reference: {
        const QFontMetrics metrics(font_);
        return metrics.elidedText(entry.name, Qt::ElideMiddle,
                                  metrics.averageCharWidth() * kLongestName);
    }
    }
    return {};
}

int ChartLegend::lineHeight() const {
    return std::max(QFontMetrics(font_).height(), kIconHeight);
}

int ChartLegend::entryWidth(const LegendEntry& entry) const {
    return kIconWidth + kIconGap + QFontMetrics(font_).horizontalAdvance(textOf(entry));
}

int ChartLegend::lineWidth(const Line& line) const {
    int width = 0;
    for (const LegendEntry* entry : line)
        width += (width > 0 ? kEntryGap : 0) + entryWidth(*entry);
    return width;
}

std::vector<ChartLegend::Line> ChartLegend::linesIn(int width) const {
    std::vector<Line> lines;
    for (const LegendEntry& entry : entries_) {
        if (lines.empty() || lineWidth(lines.back()) + kEntryGap + entryWidth(entry) > width)
            lines.emplace_back();
        lines.back().push_back(&entry);
    }
    return lines;
}

void ChartLegend::applyDefaultAntialiasingHint(QCPPainter* painter) const {
    painter->setAntialiasing(true);
}

// Right-aligned with the plotting area, the last line just above it.
void ChartLegend::draw(QCPPainter* painter) {
    const QRect area = mParentPlot->axisRect()->rect();
    const std::vector<Line> lines = linesIn(area.width());
    const int height = lineHeight();
    int top = area.top() - 4 - static_cast<int>(lines.size()) * height;
    painter->setFont(font_);
    for (const Line& line : lines) {
        int left = area.right() - lineWidth(line);
        for (const LegendEntry* entry : line) {
            drawIcon(painter, *entry,
                     QRectF(left, top + (height - kIconHeight) / 2.0, kIconWidth, kIconHeight));
            painter->setPen(Qt::black);
            const int textLeft = left + kIconWidth + kIconGap;
            painter->drawText(QRect(textLeft, top, area.right() - textLeft + 1, height),
                              Qt::AlignLeft | Qt::AlignVCenter, textOf(*entry));
            left += entryWidth(*entry) + kEntryGap;
        }
        top += height;
    }
}

void ChartLegend::drawIcon(QCPPainter* painter, const LegendEntry& entry,
                           const QRectF& icon) const {
    const SymbolLook& reading = looks_.reading;
    const QLineF across(icon.left(), icon.center().y(), icon.right(), icon.center().y());
    switch (entry.mark) {
    case LegendMark::Readings:
        painter->setPen(QPen(reading.colour, 1.0));
        painter->drawLine(across);
        drawSymbol(painter, reading, icon.center());
        break;
    case LegendMark::Reference:
    case LegendMark::Back:
    case LegendMark::Fit:
        painter->setPen(entry.line);
        painter->drawLine(across);
        break;
    case LegendMark::Turn:
        drawSymbol(painter, looks_.turn, icon.center());
        break;
    case LegendMark::NotDrawn:
        painter->setPen(QPen(QColor(150, 150, 150), 1.0, Qt::DotLine));
        painter->drawLine(across);
        break;
    case LegendMark::Negative: {
        const QPointF symbol(icon.center().x(), icon.center().y() + 2.0);
        drawSymbol(painter, reading, symbol);
        const double dashY = symbol.y() - reading.size / 2 - 3.5;
        painter->setPen(QPen(Qt::black, 1.0));
        painter->drawLine(QLineF(symbol.x() - 2.0, dashY, symbol.x() + 2.0, dashY));
        break;
    }
    case LegendMark::AtLimit:
        drawSymbol(painter, reading, icon.center());
        drawSymbol(painter, looks_.atLimit, icon.center());
        break;
    }
}

} // namespace chart
