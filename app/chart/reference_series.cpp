#include "reference_series.h"

#include <array>

namespace chart {

namespace {

// As thin as the readings' line: a wider one takes several times as long to draw with 10^4
// points.
constexpr double kLineWidth = 1.0;

} // namespace

// Far from the readings' dark blue and the limit marks' orange, and from each other.
QColor referenceColour(int number, std::optional<std::uint32_t> chosen) {
    if (chosen)
        return QColor::fromRgb(static_cast<QRgb>(*chosen));
    static const std::array<QColor, 6> colours{QColor(0, 150, 70),   QColor(190, 30, 60),
                                               QColor(140, 60, 180), QColor(0, 150, 170),
                                               QColor(120, 120, 0),  QColor(110, 110, 110)};
    return colours[static_cast<std::size_t>(number) % colours.size()];
}

ReferenceSeries::ReferenceSeries(QCPAxis* keyAxis, QCPAxis* valueAxis, QCPLayer* layer,
                                 const ReferenceCurve& curve)
    : name_(curve.name), line_(curve.colour, kLineWidth),
      series_(keyAxis, valueAxis, line_, QStringLiteral("reference ") + curve.name, layer) {
    series_.setSymbols(false, SymbolDrawing::Cached);
    points_.setCount(static_cast<std::int32_t>(curve.points.size()));
    std::int32_t p = 0;
    for (const ChartPoint& point : curve.points) {
        ++p;
        points_.set(p, &ChartPointRecord::x, point.x);
        points_.set(p, &ChartPointRecord::y, point.y);
        points_.set(p, &ChartPointRecord::voltage, point.voltage);
        points_.set(p, &ChartPointRecord::time, point.time);
        points_.setLabel(p, point.label);
        points_.set(p, &ChartPointRecord::mark, kMarkFilled);
    }
}

void ReferenceSeries::show(std::optional<analysis::View> derived, AxisScales scales, bool rebuild,
                           SymbolDrawing drawing) {
    const DrawnPoints::Update update = run_.update(points_, derived, scales, rebuild);
    series_.show(run_.drawn(), update, run_.returnStart());
    series_.setDrawing(drawing);
}

LegendEntry ReferenceSeries::legendEntry() const {
    return {LegendMark::Reference, name_, line_};
}

} // namespace chart
