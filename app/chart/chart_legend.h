#pragma once

#include "scatter_symbols.h"

#include <qcustomplot.h>

#include <QStringList>

#include <vector>

namespace chart {

// What a legend entry explains.
enum class LegendMark {
    Readings, // the line and symbols of the test's readings
    Negative, // the "-" label over a reading whose value was negative
    AtLimit,  // the star over a reading taken at the current limit
};

// A small legend above the plotting area, right-aligned, so it never hides a reading: it explains
// the marks in use, each drawn as the chart draws it, and wraps to further lines when they do not
// fit in one. Further curves add entries of their own.
class ChartLegend : public QCPLayerable {
public:
    struct Looks {
        SymbolLook reading;
        SymbolLook atLimit;
    };

    ChartLegend(QCustomPlot* plot, Looks looks);

    // The entries become these marks, in this order.
    void show(std::vector<LegendMark> marks) { marks_ = std::move(marks); }
    QStringList texts() const;

    // The lines the entries take in the width, and the height of one.
    int lineCount(int width) const { return static_cast<int>(linesIn(width).size()); }
    int lineHeight() const;

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;

private:
    using Line = std::vector<LegendMark>;
    std::vector<Line> linesIn(int width) const;
    int entryWidth(LegendMark mark) const;
    int lineWidth(const Line& line) const;
    void drawIcon(QCPPainter* painter, LegendMark mark, const QRectF& icon) const;

    Looks looks_;
    QFont font_;
    std::vector<LegendMark> marks_;
};

} // namespace chart
