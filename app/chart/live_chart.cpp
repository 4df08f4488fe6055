#include "live_chart.h"

#include "axis_range.h"
#include "chart_export.h"
#include "chart_mouse.h"
#include "chart_notes.h"
#include "chart_point.h"
#include "graph_texts.h"
#include "point_label_layer.h"

#include <qcustomplot.h>

#include <QMenu>
#include <QVBoxLayout>

#include <cmath>

namespace chart {

namespace {

const QColor kLineColour(0, 0, 160);
const QColor kFitColour(210, 0, 0);
const QColor kBandColour(255, 190, 0, 45);
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

// A layer of its own on top, repainted alone as the mouse moves.
QCPLayer* readoutLayer(QCustomPlot& plot) {
    const QString name = QStringLiteral("readout");
    plot.addLayer(name, plot.layer(QStringLiteral("overlay")), QCustomPlot::limAbove);
    QCPLayer* layer = plot.layer(name);
    layer->setMode(QCPLayer::lmBuffered);
    return layer;
}

// The fit over the readings, the window's band beneath everything.
QCPLayer* addLayerBy(QCustomPlot& plot, const char* name, const char* neighbour,
                     QCustomPlot::LayerInsertMode where) {
    plot.addLayer(QString::fromLatin1(name), plot.layer(QString::fromLatin1(neighbour)), where);
    return plot.layer(QString::fromLatin1(name));
}

QCPItemRect* windowBandOn(QCustomPlot& plot) {
    auto* band = new QCPItemRect(&plot);
    band->setLayer(addLayerBy(plot, "band", "grid", QCustomPlot::limBelow));
    band->setPen(QPen(QColor(200, 140, 0), 1.0, Qt::DashLine));
    band->setBrush(kBandColour);
    band->setSelectable(false);
    for (QCPItemPosition* corner : {band->topLeft, band->bottomRight}) {
        corner->setTypeX(QCPItemPosition::ptPlotCoords);
        corner->setTypeY(QCPItemPosition::ptAxisRectRatio);
    }
    band->setVisible(false);
    return band;
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
      series_(plot_->xAxis, plot_->yAxis, QPen(kLineColour, 1.0), QStringLiteral("readings")),
      labels_(new PointLabelLayer(plot_->xAxis, plot_->yAxis, run_.drawn(), points_.labelTexts())),
      limitMarks_(plot_->xAxis, plot_->yAxis), referenceLayer_(referencesLayer(*plot_)),
      fitLine_(plot_->xAxis, plot_->yAxis, QPen(kFitColour, 1.5)), band_(windowBandOn(*plot_)),
      readout_(new ChartReadout(plot_, readoutLayer(*plot_))), xTicker_(new AxisTicker),
      yTicker_(new AxisTicker), notes_(new ChartNotes(plot_, *xTicker_, *yTicker_)),
      legend_(new ChartLegend(
          plot_, {series_.symbolLook(), LimitMarks::look(), RunLine::turnLook(kLineColour)})) {
    fitLine_.setName(QStringLiteral("fit"));
    fitLine_.setSymbols(false, SymbolDrawing::Cached);
    fitLine_.setLayer(addLayerBy(*plot_, "fit", "main", QCustomPlot::limAbove));
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

void LiveChart::setReferences(const std::vector<ReferenceCurve>& curves, QStringList notDrawn) {
    notDrawn_ = std::move(notDrawn);
    references_.clear();
    for (const ReferenceCurve& curve : curves)
        references_.push_back(
            std::make_unique<ReferenceSeries>(plot_->xAxis, plot_->yAxis, referenceLayer_, curve));
}

void LiveChart::setView(analysis::View view) {
    if (view == view_)
        return;
    view_ = view;
    rebuildNeeded_ = true;
    endUserView(); // a view of another quantity would mean something else
}

std::optional<analysis::View> LiveChart::derivedView() const {
    if (isUsualView(view_))
        return std::nullopt;
    return view_;
}

bool LiveChart::showsTime() const {
    const std::optional<analysis::View> derived = derivedView();
    return derived ? viewAgainstTime(*derived) : xIsTime_;
}

AxisScales LiveChart::scales() const {
    if (const std::optional<analysis::View> derived = derivedView())
        return {analysis::infoOf(*derived).logX, analysis::infoOf(*derived).logY};
    return {false, type_ == ChartType::LogY};
}

void LiveChart::setAnalysis(AnalysisOverlay overlay) {
    overlay_ = std::move(overlay);
    redrawSoon();
}

// Every repaint shows the chart's current points and settings.
void LiveChart::prepareReplot() {
    const std::optional<analysis::View> derived = derivedView();
    const AxisScales axes = scales();
    const bool rebuild = std::exchange(rebuildNeeded_, false);
    const DrawnPoints::Update update = run_.update(points_, derived, axes, rebuild);
    series_.show(run_.drawn(), update, run_.returnStart());
    for (const auto& reference : references_)
        reference->show(derived, axes, rebuild, drawing_);
    limitMarks_.show(run_.drawn(), update);
    const bool symbols = style_ == ChartStyle::LinesAndSymbols;
    series_.setSymbols(symbols, drawing_);
    limitMarks_.setDrawing(drawing_);
    labels_->setVisible(labelsOn_ != 0);
    labels_->setOffset(symbols ? kLabelOffset : 1.0);
    showAnalysis();
    plot_->xAxis->setLabel(derived ? QString::fromStdString(xAxisTitle(viewAgainstTime(*derived)))
                                   : xTitle_);
    plot_->yAxis->setLabel(
        derived
            ? QString::fromUtf8(analysis::infoOf(*derived).yTitle.data(),
                                static_cast<qsizetype>(analysis::infoOf(*derived).yTitle.size()))
            : yTitle_);
    applyXAxis();
    applyYAxis();
    placeBand();
    // What only the screen shows: a picture for a report has neither.
    const bool onScreen = drawing_ == SymbolDrawing::Cached;
    notes_->setUserView(userView_.has_value() && onScreen);
    readout_->setVisible(onScreen);
    legend_->show(legendEntries());
    fitHeader();
}

bool LiveChart::analysisOnAxis() const {
    return overlay_.shown && overlay_.againstTime == showsTime();
}

void LiveChart::showAnalysis() {
    const std::vector<SourcePoint> fitted = analysisOnAxis()
                                                ? viewOfFit(overlay_.fitted, run_.readings(), view_)
                                                : std::vector<SourcePoint>();
    fit_.replace(fitted, scales());
    fitLine_.show(fit_.points(), true);
}

// After the axes, so that an open end reaches the edge of the plot.
void LiveChart::placeBand() {
    const QCPRange range = plot_->xAxis->range();
    bandShown_ = dragged_;
    if (!dragged_ && analysisOnAxis() && (overlay_.from || overlay_.to))
        bandShown_ = {overlay_.from.value_or(range.lower), overlay_.to.value_or(range.upper)};
    band_->setVisible(bandShown_.has_value());
    if (bandShown_) {
        band_->topLeft->setCoords(bandShown_->first, 0.0);
        band_->bottomRight->setCoords(bandShown_->second, 1.0);
    }
}

void LiveChart::dragWindow(QPointF from, QPointF to) {
    const double a = plot_->xAxis->pixelToCoord(from.x());
    const double b = plot_->xAxis->pixelToCoord(to.x());
    dragged_ = {std::min(a, b), std::max(a, b)};
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void LiveChart::endWindowDrag(QPointF from, QPointF to) {
    dragWindow(from, to);
    const auto [lower, upper] = *dragged_;
    dragged_.reset();
    emit windowDragged(lower, upper);
}

void LiveChart::showReadoutAt(std::optional<QPointF> pixel) {
    const std::vector<DrawnPoint>& points = run_.drawn().points();
    if (!pixel || points.empty() || !plot_->axisRect()->rect().contains(pixel->toPoint())) {
        readout_->show({}, {});
    } else {
        const DrawnPoint* nearest = nullptr;
        double nearestDistance = 0.0;
        for (const DrawnPoint& point : points) {
            const QPointF apart = QPointF(plot_->xAxis->coordToPixel(point.key),
                                          plot_->yAxis->coordToPixel(point.value)) -
                                  *pixel;
            const double distance = QPointF::dotProduct(apart, apart);
            if (!nearest || distance < nearestDistance) {
                nearest = &point;
                nearestDistance = distance;
            }
        }
        readout_->show(
            QString::fromStdString(readoutLine(view_, showsTime(), nearest->key, nearest->value)),
            QPointF(nearest->key, nearest->value));
    }
    readout_->layer()->replot();
}

QString LiveChart::readoutText() const {
    return readout_->text();
}

void LiveChart::applyXAxis() {
    QCPAxis* axis = plot_->xAxis;
    const bool logX = scales().logX;
    axis->setScaleType(logX ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    if (logX)
        xTicker_->setDecades(xDecadesThatFit());
    else
        xTicker_->setAutomatic();
    if (userView_) {
        axis->setRange(userView_->x);
        return;
    }
    if (x_.mode == ScaleMode::Manual && !derivedView()) {
        if (const auto range = manualRange(x_.min, x_.max, false)) {
            setRange(axis, *range);
            xTicker_->setSteps(manualTickLayout(x_.minorTicks, x_.ticks,
                                                range->upper - range->lower, kMaxManualIntervals));
            return;
        }
    }
    if (const auto keys = rangeOfAll(&DrawnPoints::keyRange))
        setRange(axis, fittedRange(*keys, logX));
}

void LiveChart::applyYAxis() {
    QCPAxis* axis = plot_->yAxis;
    const bool logY = scales().logY;
    axis->setScaleType(logY ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    if (logY)
        yTicker_->setDecades(decadesThatFit());
    else
        yTicker_->setAutomatic();
    if (userView_) {
        axis->setRange(userView_->y);
        return;
    }
    if (y_.mode == ScaleMode::Manual && !derivedView()) {
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

// Decade labels such as 10⁻¹² are about four label heights wide.
int LiveChart::xDecadesThatFit() const {
    const int labelHeight = QFontMetrics(plot_->xAxis->tickLabelFont()).height();
    return static_cast<int>(plot_->axisRect()->width() / (labelHeight * 4.0));
}

// The ticks are placed before the layout knows the axis's new height (after a resize, say); when
// the height holds another number of decades, the chart is drawn once more.
void LiveChart::refitDecades() {
    if ((scales().logY && yTicker_->maxDecades() != decadesThatFit()) ||
        (scales().logX && xTicker_->maxDecades() != xDecadesThatFit()))
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
    std::optional<ValueRange> all = (run_.drawn().*range)();
    for (const auto& reference : references_)
        all = united(all, (reference->drawn().*range)());
    return all;
}

std::vector<LegendEntry> LiveChart::legendEntries() const {
    std::vector<LegendEntry> entries;
    const DrawnPoints& drawn = run_.drawn();
    if (!drawn.points().empty()) {
        entries.push_back({LegendMark::Readings, {}, {}});
        if (series_.turns()) {
            entries.push_back({LegendMark::Back, {}, QPen(RunLine::backShade(kLineColour), 1.0)});
            entries.push_back({LegendMark::Turn, {}, {}});
        }
        const std::optional<std::uint32_t> negative = points_.labelTexts().find(kNegativeLabel);
        if (labelsOn_ != 0 && negative && drawn.usesLabel(*negative))
            entries.push_back({LegendMark::Negative, {}, {}});
        if (!drawn.atLimit().empty())
            entries.push_back({LegendMark::AtLimit, {}, {}});
    }
    if (!fit_.points().empty())
        entries.push_back({LegendMark::Fit, overlay_.fitName, QPen(kFitColour, 1.5)});
    for (const auto& reference : references_)
        entries.push_back(reference->legendEntry());
    for (const QString& note : notDrawn_)
        entries.push_back({LegendMark::NotDrawn, note, {}});
    return entries;
}

void LiveChart::takeUserView() {
    userView_ = View{plot_->xAxis->range(), plot_->yAxis->range()};
    readout_->show({}, {});
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
    for (const DrawnPoint& point : run_.drawn().points()) {
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
    if (scales().logY)
        yTicker_->setDecades(decadesThatFit());
    if (scales().logX)
        xTicker_->setDecades(xDecadesThatFit());
    plot_->toPainter(&painter, size.width(), size.height());
    drawing_ = SymbolDrawing::Cached;
    plot_->setViewport(shown);
    queueReplot();
}

} // namespace chart
