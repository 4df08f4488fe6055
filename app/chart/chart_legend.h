#pragma once

#include "scatter_symbols.h"

#include <qcustomplot.h>

#include <QStringList>

#include <vector>

namespace chart {

// What a legend entry explains.
enum class LegendMark {
    Readings,  // the line and symbols of the test's readings
    Negative,  // the "-" label over a reading whose value was negative
    AtLimit,   // the star over a reading taken at the current limit
    Reference, // the line of a run shown to compare with
    Back,      // the lighter line of the readings' way back after the turning point
    Turn,      // the diamond at the turning point
    Fit,       // the line of a fit over the readings
    NotDrawn,  // a run shown to compare with that this chart cannot draw, and why
};

// One entry: a mark, or a reference with its name and line.
struct LegendEntry {
    LegendMark mark;
    QString name; // a reference's, a fit's or a run not drawn
    QPen line;    // a reference's, the way back's or a fit's
};

// A small legend above the plotting area, right-aligned, so it never hides a reading: it explains
// the marks in use and names the references, each drawn as the chart draws it, and wraps to
// further lines when they do not fit in one.
class ChartLegend : public QCPLayerable {
    Q_OBJECT

public:
    struct Looks {
        SymbolLook reading;
        SymbolLook atLimit;
        SymbolLook turn;
    };

    ChartLegend(QCustomPlot* plot, Looks looks);

    // The entries become these, in this order.
    void show(std::vector<LegendEntry> entries) { entries_ = std::move(entries); }
    QStringList texts() const;

    // The lines the entries take in the width, and the height of one.
    int lineCount(int width) const { return static_cast<int>(linesIn(width).size()); }
    int lineHeight() const;

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;

private:
    using Line = std::vector<const LegendEntry*>;
    std::vector<Line> linesIn(int width) const;
    QString textOf(const LegendEntry& entry) const;
    int entryWidth(const LegendEntry& entry) const;
    int lineWidth(const Line& line) const;
    void drawIcon(QCPPainter* painter, const LegendEntry& entry, const QRectF& icon) const;

    Looks looks_;
    QFont font_;
    std::vector<LegendEntry> entries_;
};

} // namespace chart
