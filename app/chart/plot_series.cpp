#include "plot_series.h"

namespace chart {

namespace {

const QColor kLineColour(0, 0, 160);
constexpr int kSymbolSize = 7;

// A symbol drawn once and copied to every point: far cheaper than drawing each circle.
QPixmap symbolPicture() {
    QPixmap pixmap(kSymbolSize, kSymbolSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kLineColour, 1.0));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(0.5, 0.5, kSymbolSize - 1.0, kSymbolSize - 1.0));
    return pixmap;
}

} // namespace

PlotSeries::PlotSeries(QCPAxis* keyAxis, QCPAxis* valueAxis)
    : graph_(new QCPGraph(keyAxis, valueAxis)), curve_(new QCPCurve(keyAxis, valueAxis)) {
    for (QCPAbstractPlottable* plottable :
         {static_cast<QCPAbstractPlottable*>(graph_), static_cast<QCPAbstractPlottable*>(curve_)}) {
        plottable->setPen(QPen(kLineColour, 1.0));
        plottable->setSelectable(QCP::stNone);
    }
    curve_->setVisible(false);
    setSymbols(true);
}

void PlotSeries::setSymbols(bool on) {
    if (on == symbolsOn_)
        return;
    symbolsOn_ = on;
    const QCPScatterStyle symbols =
        on ? QCPScatterStyle(symbolPicture()) : QCPScatterStyle(QCPScatterStyle::ssNone);
    graph_->setScatterStyle(symbols);
    curve_->setScatterStyle(symbols);
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
