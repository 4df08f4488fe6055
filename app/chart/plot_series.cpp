#include "plot_series.h"

namespace chart {

namespace {

constexpr double kSymbolSize = 6.0;

bool keysRise(std::span<const DrawnPoint> points) {
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i].key < points[i - 1].key)
            return false;
    return true;
}

} // namespace

SymbolLook PlotSeries::symbolLook() const {
    return {QCPScatterStyle::ssCircle, colour_, Qt::white, kSymbolSize};
}

PlotSeries::PlotSeries(QCPAxis* keyAxis, QCPAxis* valueAxis, const QPen& line)
    : graph_(new QCPGraph(keyAxis, valueAxis)), curve_(new QCPCurve(keyAxis, valueAxis)),
      colour_(line.color()) {
    for (QCPAbstractPlottable* plottable : plottables()) {
        plottable->setPen(line);
        plottable->setSelectable(QCP::stNone);
    }
    curve_->setVisible(false);
    setSymbols(true, SymbolDrawing::Cached);
}

PlotSeries::~PlotSeries() {
    for (QCPAbstractPlottable* plottable : plottables())
        plottable->parentPlot()->removePlottable(plottable);
}

std::array<QCPAbstractPlottable*, 2> PlotSeries::plottables() const {
    return {graph_, curve_};
}

void PlotSeries::setLayer(QCPLayer* layer) {
    for (QCPAbstractPlottable* plottable : plottables())
        plottable->setLayer(layer);
}

void PlotSeries::setName(const QString& name) {
    for (QCPAbstractPlottable* plottable : plottables())
        plottable->setName(name);
}

void PlotSeries::setSymbols(bool on, SymbolDrawing drawing) {
    const Symbols wanted{on, drawing};
    if (symbols_ && *symbols_ == wanted)
        return;
    symbols_ = wanted;
    const QCPScatterStyle style =
        on ? scatterStyle(symbolLook(), drawing) : QCPScatterStyle(QCPScatterStyle::ssNone);
    graph_->setScatterStyle(style);
    curve_->setScatterStyle(style);
}

// One at a time: the containers append a point whose sort key is not below the last one, and
// keep equal keys in the order they came.
void PlotSeries::show(std::span<const DrawnPoint> points, bool rebuild) {
    if (rebuild || points.size() < shown_) {
        fill(points);
        return;
    }
    for (; shown_ < points.size(); ++shown_) {
        if (!curveActive_ && shown_ > 0 && points[shown_].key < points[shown_ - 1].key) {
            fill(points);
            return;
        }
        add(points[shown_]);
    }
}

void PlotSeries::fill(std::span<const DrawnPoint> points) {
    curveActive_ = !keysRise(points);
    graph_->data()->clear();
    curve_->data()->clear();
    graph_->setVisible(!curveActive_);
    curve_->setVisible(curveActive_);
    if (curveActive_) {
        QVector<QCPCurveData> data;
        data.reserve(static_cast<qsizetype>(points.size()));
        for (const DrawnPoint& point : points)
            data.append(QCPCurveData(point.number, point.key, point.value));
        curve_->data()->set(data, true);
    } else {
        QVector<QCPGraphData> data;
        data.reserve(static_cast<qsizetype>(points.size()));
        for (const DrawnPoint& point : points)
            data.append(QCPGraphData(point.key, point.value));
        graph_->data()->set(data, true);
    }
    shown_ = points.size();
}

void PlotSeries::add(const DrawnPoint& point) {
    if (curveActive_)
        curve_->data()->add(QCPCurveData(point.number, point.key, point.value));
    else
        graph_->data()->add(QCPGraphData(point.key, point.value));
}

} // namespace chart
