#include "live_chart.h"

#include "axis_range.h"
#include "chart_export.h"
#include "chart_mouse.h"
#include "chart_notes.h"
#include "chart_point.h"
#include "point_label_layer.h"

#include <qcustomplot.h>

#include <QMenu>
#include <QVBoxLayout>

#include <cmath>

namespace chart {

namespace {

const QColor kLineColour(0, 0, 160);
// A manual time axis longer than this many rounding units shows multiples of the unit instead.
constexpr int kMaxManualIntervals = 12;
// A click this close to a symbol's centre selects its point.
constexpr double kClickRadius = 6.0;
constexpr double kLabelOffset = 4.0;
// One wheel notch shows this share of the range.
constexpr double kZoomPerNotch = 0.85;
// Labelled decades are at least this many label heights apart.
constexpr double kDecadeSpacing = 1.8;
constexpr int kHeaderPadding = 8;

void setRange(QCPAxis* axis, AxisRange range) {
    axis->setRange(range.lower, range.upper);
}

bool isLogarithmic(const QCPAxis* axis) {
    return axis->scaleType() == QCPAxis::stLogarithmic;
}

double along(const QCPAxis* axis, QPointF pixel) {
    return axis->pixelToCoord(axis->orientation() == Qt::Horizontal ? pixel.x() : pixel.y());
}

// A layer just beneath the readings', so a reference never hides a reading.
QCPLayer* referencesLayer(QCustomPlot& plot) {
    const QString name = QStringLiteral("references");
    plot.addLayer(name, plot.layer(QStringLiteral("main")), QCustomPlot::limBelow);
    return plot.layer(name);
}

std::optional<ValueRange> united(std::optional<ValueRange> a, std::optional<ValueRange> b) {
    if (!a || !b)
        return a ? a : b;
    return ValueRange{std::min(a->min, b->min), std::max(a->max, b->max)};
}

// Changes the axis's range as the change says, unless the result is no view to show.
template <typename Change> void changeRange(QCPAxis* axis, Change change) {
    const QCPRange before = axis->range();
    change(axis);
    if (!viewable({axis->range().lower, axis->range().upper}, isLogarithmic(axis)))
        axis->setRange(before);
}

} // namespace

LiveChart::LiveChart(QWidget* parent)
    : QWidget(parent), plot_(new QCustomPlot(this)),
      series_(plot_->xAxis, plot_->yAxis, QPen(kLineColour, 1.0)),
      labels_(new PointLabelLayer(plot_->xAxis, plot_->yAxis, drawn_, points_.labelTexts())),
      limitMarks_(plot_->xAxis, plot_->yAxis), referenceLayer_(referencesLayer(*plot_)),
      xTicker_(new AxisTicker), yTicker_(new AxisTicker),
      notes_(new ChartNotes(plot_, *xTicker_, *yTicker_)),
      legend_(new ChartLegend(plot_, {series_.symbolLook(), LimitMarks::look()})) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_);
    // Axis numbers with a decimal point whatever the user's locale.
    plot_->setLocale(QLocale::c());
    plot_->xAxis->setTicker(xTicker_);
    plot_->yAxis->setTicker(yTicker_);
    connect(plot_, &QCustomPlot::beforeReplot, this, &LiveChart::prepareReplot);
    connect(plot_, &QCustomPlot::afterReplot, this, [this] { sinceReplot_.start(); });
    frame_.setSingleShot(true);
    frame_.setTimerType(Qt::PreciseTimer);
    connect(&frame_, &QTimer::timeout, this, [this] { queueReplot(); });
    connect(plot_, &QCustomPlot::afterLayout, this, &LiveChart::refitDecades);
    new ChartMouse(*this);
    createContextMenu();
}

LiveChart::~LiveChart() = default;

void LiveChart::createContextMenu() {
    menu_ = new QMenu(this);
    fitAction_ = menu_->addAction(QStringLiteral("Fit to data"));
    fitAction_->setEnabled(false);
    menu_->addSeparator();
    saveAction_ = menu_->addAction(QStringLiteral("Save chart as…"));
    copyAction_ = menu_->addAction(QStringLiteral("Copy chart"));
    connect(fitAction_, &QAction::triggered, this, &LiveChart::fitToData);
    connect(copyAction_, &QAction::triggered, this, [this] { copyChart(*this); });
}

void LiveChart::setChartRedraw(std::int32_t value) {
    redraw_ = value;
    if (value == kRedrawNow)
        redrawSoon();
}

void LiveChart::setUnwatched(bool unwatched) {
    unwatched_ = unwatched;
    // Hidden, the drawing surface is neither laid out nor drawn when the window is shown.
    plot_->setVisible(!unwatched);
    if (!unwatched)
        queueReplot();
}

void LiveChart::queueReplot() {
    if (!unwatched_)
        plot_->replot(QCustomPlot::rpQueuedReplot);
}

void LiveChart::setFrameLimited(bool limited) {
    frameLimited_ = limited;
    if (!limited && frame_.isActive()) {
        frame_.stop();
        queueReplot();
    }
}

// Drawing every point takes milliseconds, and a real instrument's readings may come every few:
// while the chart is frame-limited it is drawn at most once a frame, with every point that
// arrived meanwhile, so the window thread keeps the time it needs to poll the instrument.
void LiveChart::redrawSoon() {
    if (!frameLimited_) {
        queueReplot();
        return;
    }
    if (frame_.isActive())
        return;
    const qint64 since = sinceReplot_.isValid() ? sinceReplot_.elapsed() : kFrame.count();
    if (since >= kFrame.count())
        queueReplot();
    else
        frame_.start(kFrame - std::chrono::milliseconds(since));
}

void LiveChart::setChartType(ChartType type) {
    if (type != type_) {
        rebuildNeeded_ = true;
        endUserView(); // a view of the other scale would mean something else
    }
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

void LiveChart::setReferences(const std::vector<ReferenceCurve>& curves) {
    references_.clear();
    for (const ReferenceCurve& curve : curves)
        references_.push_back(
            std::make_unique<ReferenceSeries>(plot_->xAxis, plot_->yAxis, referenceLayer_, curve));
}

// Every repaint shows the chart's current points and settings.
void LiveChart::prepareReplot() {
    const bool logY = type_ == ChartType::LogY;
    const bool rebuild = std::exchange(rebuildNeeded_, false);
    const DrawnPoints::Update update = drawn_.update(points_, logY, rebuild);
    series_.show(drawn_, update);
    for (const auto& reference : references_)
        reference->show(logY, rebuild);
    limitMarks_.show(drawn_, update);
    const bool symbols = style_ == ChartStyle::LinesAndSymbols;
    series_.setSymbols(symbols, drawing_);
    limitMarks_.setDrawing(drawing_);
    labels_->setVisible(labelsOn_ != 0);
    labels_->setOffset(symbols ? kLabelOffset : 1.0);
    plot_->xAxis->setLabel(xTitle_);
    plot_->yAxis->setLabel(yTitle_);
    applyXAxis();
    applyYAxis();
    notes_->setUserView(userView_.has_value());
    legend_->show(legendEntries());
    fitHeader();
}

void LiveChart::applyXAxis() {
    QCPAxis* axis = plot_->xAxis;
    xTicker_->setAutomatic();
    if (userView_) {
        axis->setRange(userView_->x);
        return;
    }
    if (x_.mode == ScaleMode::Manual) {
        if (const auto range = manualRange(x_.min, x_.max, false)) {
            setRange(axis, *range);
            xTicker_->setSteps(manualTickLayout(x_.minorTicks, x_.ticks,
                                                range->upper - range->lower, kMaxManualIntervals));
            return;
        }
    }
    if (const auto keys = rangeOfAll(&DrawnPoints::keyRange))
        setRange(axis, fittedRange(*keys, false));
}

void LiveChart::applyYAxis() {
    QCPAxis* axis = plot_->yAxis;
    const bool logY = type_ == ChartType::LogY;
    axis->setScaleType(logY ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    if (logY)
        yTicker_->setDecades(decadesThatFit());
    else
        yTicker_->setAutomatic();
    if (userView_) {
        axis->setRange(userView_->y);
        return;
    }
    if (y_.mode == ScaleMode::Manual) {
        if (const auto range = manualRange(y_.min, y_.max, logY)) {
            setRange(axis, *range);
            if (!logY)
                yTicker_->setIntervals(y_.ticks);
            return;
        }
    }
    if (const auto values = rangeOfAll(&DrawnPoints::valueRange))
        setRange(axis, fittedRange(*values, logY));
}

// As many labelled decades as the axis's height holds.
int LiveChart::decadesThatFit() const {
    const int labelHeight = QFontMetrics(plot_->yAxis->tickLabelFont()).height();
    return static_cast<int>(plot_->axisRect()->height() / (labelHeight * kDecadeSpacing));
}

// The ticks are placed before the layout knows the axis's new height (after a resize, say); when
// the height holds another number of decades, the chart is drawn once more.
void LiveChart::refitDecades() {
    if (type_ == ChartType::LogY && yTicker_->maxDecades() != decadesThatFit())
        queueReplot();
}

// Room above the plotting area for the legend's lines and the vertical axis's common factor.
void LiveChart::fitHeader() {
    const int factorHeight = QFontMetrics(plot_->yAxis->tickLabelFont()).height();
    const int legendHeight = legend_->lineCount(plot_->axisRect()->width()) * legend_->lineHeight();
    QMargins margins = plot_->axisRect()->minimumMargins();
    margins.setTop(std::max(factorHeight, legendHeight) + kHeaderPadding);
    plot_->axisRect()->setMinimumMargins(margins);
}

std::optional<ValueRange> LiveChart::rangeOfAll(std::optional<ValueRange> (DrawnPoints::*range)()
                                                    const) const {
    std::optional<ValueRange> all = (drawn_.*range)();
    for (const auto& reference : references_)
        all = united(all, (reference->drawn().*range)());
    return all;
}

std::vector<LegendEntry> LiveChart::legendEntries() const {
    std::vector<LegendEntry> entries;
    if (!drawn_.points().empty()) {
        entries.push_back({LegendMark::Readings, {}, {}});
        const std::optional<std::uint32_t> negative = points_.labelTexts().find(kNegativeLabel);
        if (labelsOn_ != 0 && negative && drawn_.usesLabel(*negative))
            entries.push_back({LegendMark::Negative, {}, {}});
        if (!drawn_.atLimit().empty())
            entries.push_back({LegendMark::AtLimit, {}, {}});
    }
    for (const auto& reference : references_)
        entries.push_back(reference->legendEntry());
    return entries;
}

void LiveChart::takeUserView() {
    userView_ = View{plot_->xAxis->range(), plot_->yAxis->range()};
    fitAction_->setEnabled(true);
    queueReplot();
}

void LiveChart::endUserView() {
    userView_.reset();
    fitAction_->setEnabled(false);
}

void LiveChart::zoomAt(QPointF pixel, double steps, int axes) {
    const double factor = std::pow(kZoomPerNotch, steps);
    for (QCPAxis* axis : {plot_->xAxis, plot_->yAxis}) {
        if (axes & (axis == plot_->xAxis ? XAxis : YAxis))
            changeRange(axis, [&](QCPAxis* a) { a->scaleRange(factor, along(a, pixel)); });
    }
    takeUserView();
}

void LiveChart::panBy(QPointF from, QPointF to, int axes) {
    for (QCPAxis* axis : {plot_->xAxis, plot_->yAxis}) {
        if (!(axes & (axis == plot_->xAxis ? XAxis : YAxis)))
            continue;
        const double start = along(axis, from);
        const double end = along(axis, to);
        changeRange(
            axis, [&](QCPAxis* a) { a->moveRange(isLogarithmic(a) ? start / end : start - end); });
    }
    takeUserView();
}

void LiveChart::fitToData() {
    endUserView();
    queueReplot();
}

void LiveChart::clickAt(QPointF pixel) {
    if (const std::int32_t point = pointAt(pixel))
        emit pointClicked(point);
}

std::int32_t LiveChart::pointAt(QPointF pixel) const {
    if (style_ != ChartStyle::LinesAndSymbols)
        return 0;
    std::int32_t nearest = 0;
    double nearestDistance = kClickRadius * kClickRadius;
    for (const DrawnPoint& point : drawn_.points()) {
        const double dx = plot_->xAxis->coordToPixel(point.key) - pixel.x();
        const double dy = plot_->yAxis->coordToPixel(point.value) - pixel.y();
        const double distance = dx * dx + dy * dy;
        if (distance <= nearestDistance) {
            nearest = point.number;
            nearestDistance = distance;
        }
    }
    return nearest;
}

void LiveChart::render(QCPPainter& painter, QSize size) {
    drawing_ = SymbolDrawing::Shapes;
    prepareReplot();
    const QRect shown = plot_->viewport();
    plot_->setViewport(QRect(QPoint(0, 0), size));
    // Laid out once at the new size first, so the ticks are chosen for it.
    for (const auto phase :
         {QCPLayoutElement::upPreparation, QCPLayoutElement::upMargins, QCPLayoutElement::upLayout})
        plot_->plotLayout()->update(phase);
    fitHeader();
    if (type_ == ChartType::LogY)
        yTicker_->setDecades(decadesThatFit());
    plot_->toPainter(&painter, size.width(), size.height());
    drawing_ = SymbolDrawing::Cached;
    plot_->setViewport(shown);
    queueReplot();
}

} // namespace chart
