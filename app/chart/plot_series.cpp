#include "plot_series.h"

namespace chart {

namespace {

constexpr double kSymbolSize = 6.0;

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

void PlotSeries::show(const DrawnPoints& drawn, DrawnPoints::Update update) {
    const bool useCurve = !drawn.keysRise();
    if (update.rebuilt || useCurve != curveActive_) {
        curveActive_ = useCurve;
        fill(drawn);
    } else {
        append(drawn, update.firstNew);
    }
}

void PlotSeries::fill(const DrawnPoints& drawn) {
    graph_->data()->clear();
    curve_->data()->clear();
    graph_->setVisible(!curveActive_);
    curve_->setVisible(curveActive_);
    const std::vector<DrawnPoint>& points = drawn.points();
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
}

// One at a time: the containers append a point whose sort key is not below the last one, and
// keep equal keys in the order they came.
void PlotSeries::append(const DrawnPoints& drawn, std::size_t from) {
    const std::vector<DrawnPoint>& points = drawn.points();
    for (std::size_t i = from; i < points.size(); ++i) {
        if (curveActive_)
            curve_->data()->add(QCPCurveData(points[i].number, points[i].key, points[i].value));
        else
            graph_->data()->add(QCPGraphData(points[i].key, points[i].value));
    }
}

} // namespace chart
