#include "live_chart.h"

#include "axis_range.h"
#include "point_label_layer.h"

#include <qcustomplot.h>

#include <QVBoxLayout>

namespace chart {

namespace {

// A manual time axis longer than this many rounding units shows multiples of the unit instead.
constexpr int kMaxManualIntervals = 12;
// A click this close to a symbol's centre selects its point.
constexpr double kClickRadius = 6.0;
constexpr double kLabelOffset = 4.0;

void setRange(QCPAxis* axis, AxisRange range) {
    axis->setRange(range.lower, range.upper);
}

} // namespace

LiveChart::LiveChart(QWidget* parent)
    : QWidget(parent), plot_(new QCustomPlot(this)), series_(plot_->xAxis, plot_->yAxis),
      labels_(new PointLabelLayer(plot_->xAxis, plot_->yAxis, drawn_, points_.labelTexts())),
      xAutoTicker_(new QCPAxisTicker), xStepTicker_(new StepTicker),
      yAutoTicker_(new QCPAxisTicker), yIntervalTicker_(new IntervalTicker),
      yLogTicker_(new QCPAxisTickerLog) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_);
    // Axis numbers with a decimal point whatever the user's locale.
    plot_->setLocale(QLocale::c());
    plot_->yAxis->setNumberFormat("gb");
    plot_->yAxis->setNumberPrecision(3);
    connect(plot_, &QCustomPlot::beforeReplot, this, &LiveChart::prepareReplot);
    connect(plot_, &QCustomPlot::mousePress, this, &LiveChart::onPlotPress);
}

LiveChart::~LiveChart() = default;

void LiveChart::setChartRedraw(std::int32_t value) {
    redraw_ = value;
    if (value == kRedrawNow)
        plot_->replot(QCustomPlot::rpQueuedReplot);
}

void LiveChart::setChartType(ChartType type) {
    if (type != type_)
        rebuildNeeded_ = true;
    type_ = type;
}

void LiveChart::setChartPointLabel(std::int32_t p, const QString& text) {
    points_.setLabel(p, text.toStdString());
}

QString LiveChart::chartPointLabel(std::int32_t p) const {
    return QString::fromStdString(points_.label(p));
}

std::optional<double> LiveChart::setting(std::int32_t id) const {
    const auto found = settings_.find(id);
    if (found == settings_.end())
        return std::nullopt;
    return found->second;
}

void LiveChart::setIndexedSetting(std::int32_t id, std::int32_t index, double value) {
    indexedSettings_[{id, index}] = value;
}

std::optional<double> LiveChart::indexedSetting(std::int32_t id, std::int32_t index) const {
    const auto found = indexedSettings_.find({id, index});
    if (found == indexedSettings_.end())
        return std::nullopt;
    return found->second;
}

// Every repaint shows the chart's current points and settings.
void LiveChart::prepareReplot() {
    const bool logY = type_ == ChartType::LogY;
    series_.show(drawn_, drawn_.update(points_, logY, std::exchange(rebuildNeeded_, false)));
    const bool symbols = style_ == ChartStyle::LinesAndSymbols;
    series_.setSymbols(symbols);
    labels_->setVisible(labelsOn_ != 0);
    labels_->setOffset(symbols ? kLabelOffset : 1.0);
    plot_->xAxis->setLabel(xTitle_);
    plot_->yAxis->setLabel(yTitle_);
    applyXAxis();
    applyYAxis();
}

void LiveChart::applyXAxis() {
    QCPAxis* axis = plot_->xAxis;
    if (x_.mode == ScaleMode::Manual) {
        if (const auto range = manualRange(x_.min, x_.max, false)) {
            setRange(axis, *range);
            xStepTicker_->setLayout(manualTickLayout(
                x_.minorTicks, x_.ticks, range->upper - range->lower, kMaxManualIntervals));
            axis->setTicker(xStepTicker_);
            return;
        }
    }
    axis->setTicker(xAutoTicker_);
    if (const auto keys = drawn_.keyRange())
        setRange(axis, fittedRange(*keys, false));
}

void LiveChart::applyYAxis() {
    QCPAxis* axis = plot_->yAxis;
    const bool logY = type_ == ChartType::LogY;
    axis->setScaleType(logY ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    if (y_.mode == ScaleMode::Manual) {
        if (const auto range = manualRange(y_.min, y_.max, logY)) {
            setRange(axis, *range);
            yIntervalTicker_->setIntervals(y_.ticks);
            axis->setTicker(logY ? QSharedPointer<QCPAxisTicker>(yLogTicker_)
                                 : QSharedPointer<QCPAxisTicker>(yIntervalTicker_));
            return;
        }
    }
    axis->setTicker(logY ? QSharedPointer<QCPAxisTicker>(yLogTicker_) : yAutoTicker_);
    if (const auto values = drawn_.valueRange())
        setRange(axis, fittedRange(*values, logY));
}

void LiveChart::onPlotPress(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || style_ != ChartStyle::LinesAndSymbols)
        return;
    const QPointF at = event->position();
    std::int32_t nearest = 0;
    double nearestDistance = kClickRadius * kClickRadius;
    for (const DrawnPoint& point : drawn_.points()) {
        const double dx = plot_->xAxis->coordToPixel(point.key) - at.x();
        const double dy = plot_->yAxis->coordToPixel(point.value) - at.y();
        const double distance = dx * dx + dy * dy;
        if (distance <= nearestDistance) {
            nearest = point.number;
            nearestDistance = distance;
        }
    }
    if (nearest > 0)
        emit pointClicked(nearest);
}

} // namespace chart
