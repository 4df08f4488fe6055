#include "run_line.h"

#include <span>

namespace chart {

namespace {

constexpr double kTurnSize = 11.0;

QPen withColour(QPen pen, const QColor& colour) {
    pen.setColor(colour);
    return pen;
}

} // namespace

QColor RunLine::backShade(const QColor& colour) {
    return QColor((colour.red() + 255) / 2, (colour.green() + 255) / 2, (colour.blue() + 255) / 2);
}

SymbolLook RunLine::turnLook(const QColor& colour) {
    return {QCPScatterStyle::ssDiamond, colour, Qt::NoBrush, kTurnSize};
}

RunLine::RunLine(QCPAxis* keyAxis, QCPAxis* valueAxis, const QPen& line, const QString& name,
                 QCPLayer* layer)
    : out_(keyAxis, valueAxis, line),
      back_(keyAxis, valueAxis, withColour(line, backShade(line.color()))),
      turn_(new QCPCurve(keyAxis, valueAxis)), colour_(line.color()) {
    out_.setName(name);
    back_.setName(name + QStringLiteral(" back"));
    turn_->setName(name + QStringLiteral(" turn"));
    turn_->setLineStyle(QCPCurve::lsNone);
    turn_->setSelectable(QCP::stNone);
    if (layer) {
        out_.setLayer(layer);
        back_.setLayer(layer);
        turn_->setLayer(layer);
    }
    setDrawing(SymbolDrawing::Cached);
}

RunLine::~RunLine() {
    turn_->parentPlot()->removePlottable(turn_);
}

void RunLine::setSymbols(bool on, SymbolDrawing drawing) {
    out_.setSymbols(on, drawing);
    back_.setSymbols(on, drawing);
    setDrawing(drawing);
}

void RunLine::setDrawing(SymbolDrawing drawing) {
    if (drawing_ == drawing)
        return;
    drawing_ = drawing;
    turn_->setScatterStyle(scatterStyle(turnLook(colour_), drawing));
}

void RunLine::show(const DrawnPoints& drawn, DrawnPoints::Update update,
                   std::optional<std::size_t> returnStart) {
    const std::span<const DrawnPoint> points = drawn.points();
    const bool rebuild = update.rebuilt || returnStart_ != returnStart;
    returnStart_ = returnStart;
    const std::size_t start = std::min(returnStart.value_or(points.size()), points.size());
    turned_ = start > 0 && start < points.size();
    out_.show(points.first(start), rebuild);
    // From the turning point on, so that the line goes on without a gap.
    back_.show(turned_ ? points.subspan(start - 1) : std::span<const DrawnPoint>(), rebuild);
    if (rebuild) {
        turn_->data()->clear();
        if (turned_)
            turn_->data()->add(QCPCurveData(0, points[start - 1].key, points[start - 1].value));
    }
}

} // namespace chart
