#pragma once

#include "analysis/views.h"
#include "analysis_overlay.h"
#include "axis_ticker.h"
#include "chart_legend.h"
#include "chart_points.h"
#include "chart_values.h"
#include "limit_marks.h"
#include "plot_series.h"
#include "reference_series.h"
#include "run_line.h"
#include "viewed_run.h"

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QAction;
class QCustomPlot;
class QMenu;

namespace chart {

class ChartNotes;
class ChartReadout;
class PointLabelLayer;

// The live chart of the readings. It offers the settings the program has always driven its
// chart with: numbered points (from 1) with their values, labels and marks, axis titles,
// automatic or manual limits with tick counts, a linear or logarithmic vertical axis, symbols,
// point labels, a redraw request, and a signal naming a clicked point. Settings written here
// show at the next redraw; requests within one event-loop turn give one repaint.
//
// The user may look closer: the wheel zooms around the cursor (over an axis, that axis alone),
// dragging pans, and from then on the view is theirs, marked in the corner, and new points do
// not move it, until a double click or "Fit to data" hands the axes back to the settings' rules
// (as preparing the chart for a test and applying the settings do).
// Points taken at the current limit carry a star; an up/down sweep draws its way back in a
// lighter shade, its turning point marked; a legend explains the marks in use and names the
// reference curves, runs drawn beneath the readings to compare them with. Automatic scaling
// keeps every curve in view, the readings and the references alike. The context menu fits,
// saves and copies the chart.
//
// The chart shows a view of the readings: the curve's own (|I| or C, as the settings draw it on
// the horizontal axis chosen), or another (I, dI/dV, 1/C², C/Cmax, log–log) against its own axis
// with its own scales; the references follow. A read-out in a corner gives the reading nearest
// the mouse. An analysis shows its window as a band and its fit as a line over the readings, on
// a chart whose horizontal axis is the analysis's; Shift+drag chooses a window.
class LiveChart : public QWidget {
    Q_OBJECT

public:
    explicit LiveChart(QWidget* parent = nullptr);
    ~LiveChart() override;

    void setChartXTitle(const QString& title) { xTitle_ = title; }
    QString chartXTitle() const { return xTitle_; }
    void setChartYTitle(const QString& title) { yTitle_ = title; }
    QString chartYTitle() const { return yTitle_; }

    // The view of the readings (see above); a view the user zoomed or panned to ends when it
    // changes.
    void setView(analysis::View view);
    analysis::View view() const { return view_; }
    // Whether the readings' horizontal values, in the curve's own view, are their times (or their
    // voltages).
    void setHorizontalIsTime(bool time) { xIsTime_ = time; }
    // Whether the horizontal axis shown is time.
    bool showsTime() const;

    // The window and the fit of an analysis, shown while the chart's horizontal axis is theirs.
    void setAnalysis(AnalysisOverlay overlay);
    // The band of the window as the last redraw drew it, from its left to its right end; nothing
    // while none is shown.
    std::optional<std::pair<double, double>> windowBand() const { return bandShown_; }
    // The fit's points as the last redraw drew them.
    const DrawnPoints& fitPoints() const { return fit_; }

    // Shift+drag: the band follows the mouse from the pixel where the drag began, and at its end
    // windowDragged names the range dragged over.
    void dragWindow(QPointF from, QPointF to);
    void endWindowDrag(QPointF from, QPointF to);

    // The read-out for the mouse at the pixel (nothing over no reading), and its text.
    void showReadoutAt(std::optional<QPointF> pixel);
    QString readoutText() const;

    // Non-zero shows the label texts of the points.
    void setChartPointLabelsOn(std::int16_t on) { labelsOn_ = on; }
    std::int16_t chartPointLabelsOn() const { return labelsOn_; }

    // kRedrawNow redraws the chart with its current points and settings; any value is kept.
    void setChartRedraw(std::int32_t value);
    // While a test runs in real time, redraws are limited to one a frame (see kFrame); the last
    // one requested always comes.
    void setFrameLimited(bool limited);
    std::int32_t chartRedraw() const { return redraw_; }
    // While nobody watches (a run without a window) the chart is never drawn on screen, however
    // often a redraw is asked for; render() still draws it as it stands. Leaving the state
    // draws it once.
    void setUnwatched(bool unwatched);

    void setChartStyle(ChartStyle style) { style_ = style; }
    ChartStyle chartStyle() const { return style_; }
    void setChartType(ChartType type);
    ChartType chartType() const { return type_; }

    // The number of points held; a write to a point beyond it grows it.
    void setChartPointCount(std::int32_t count) { points_.setCount(count); }
    std::int32_t chartPointCount() const { return points_.count(); }

    // The chart holds one data set; the number is kept for whoever reads it back.
    void setChartDataSet(std::int16_t dataSet) { dataSet_ = dataSet; }
    std::int16_t chartDataSet() const { return dataSet_; }

    void setChartXMin(float value) { x_.min = value; }
    float chartXMin() const { return x_.min; }
    void setChartXMax(float value) { x_.max = value; }
    float chartXMax() const { return x_.max; }
    // 0, -4, -5 or -9: the manual axis's rounding unit and its sub-ticks (0, 4, 5 or 9).
    void setChartXMinorTicks(std::int16_t value) { x_.minorTicks = value; }
    std::int16_t chartXMinorTicks() const { return x_.minorTicks; }
    void setChartXScaleMode(ScaleMode mode) { x_.mode = mode; }
    ScaleMode chartXScaleMode() const { return x_.mode; }
    void setChartXTicks(float value) { x_.ticks = value; }
    float chartXTicks() const { return x_.ticks; }

    void setChartYMin(double value) { y_.min = value; }
    double chartYMin() const { return y_.min; }
    void setChartYMax(double value) { y_.max = value; }
    double chartYMax() const { return y_.max; }
    void setChartYScaleMode(ScaleMode mode) { y_.mode = mode; }
    ScaleMode chartYScaleMode() const { return y_.mode; }
    // Tick intervals of a manual linear vertical axis.
    void setChartYTicks(std::int16_t value) { y_.ticks = value; }
    std::int16_t chartYTicks() const { return y_.ticks; }

    // Per point p, from 1. Reading a point that does not exist gives a new point's values.
    void setChartYValue(std::int32_t p, float value) {
        points_.set(p, &ChartPointRecord::y, value);
    }
    float chartYValue(std::int32_t p) const { return points_.at(p).y; }
    void setChartXValue(std::int32_t p, float value) {
        points_.set(p, &ChartPointRecord::x, value);
    }
    float chartXValue(std::int32_t p) const { return points_.at(p).x; }
    void setChartVoltage(std::int32_t p, float value) {
        points_.set(p, &ChartPointRecord::voltage, value);
    }
    float chartVoltage(std::int32_t p) const { return points_.at(p).voltage; }
    void setChartTime(std::int32_t p, float value) {
        points_.set(p, &ChartPointRecord::time, value);
    }
    float chartTime(std::int32_t p) const { return points_.at(p).time; }
    void setChartPointLabel(std::int32_t p, const QString& text);
    QString chartPointLabel(std::int32_t p) const;
    // kMarkFilled draws the point; kMarkNotFilled (a new point's mark) leaves it out.
    void setChartPointMark(std::int32_t p, std::int16_t mark) {
        points_.set(p, &ChartPointRecord::mark, mark);
    }
    std::int16_t chartPointMark(std::int32_t p) const { return points_.at(p).mark; }
    // Whether point p was taken at the current limit (marked with a star).
    void setChartPointAtLimit(std::int32_t p, bool atLimit) {
        points_.set(p, &ChartPointRecord::atLimit, atLimit);
    }
    bool chartPointAtLimit(std::int32_t p) const { return points_.at(p).atLimit; }

    // The runs drawn beneath the readings to compare them with, in place of those drawn so far,
    // and what the legend says of runs this chart does not draw.
    void setReferences(const std::vector<ReferenceCurve>& curves, QStringList notDrawn = {});
    std::size_t referenceCount() const { return references_.size(); }
    // The points of reference i (from 0) as the last redraw drew them.
    const DrawnPoints& referencePoints(std::size_t i) const { return references_.at(i)->drawn(); }

    // Settings the drawing has no use for, kept by their identifiers so they read back.
    void setSetting(std::int32_t id, double value) { settings_[id] = value; }
    std::optional<double> setting(std::int32_t id) const;
    void setIndexedSetting(std::int32_t id, std::int32_t index, double value);
    std::optional<double> indexedSetting(std::int32_t id, std::int32_t index) const;

    // The view. Axes to zoom or pan: the horizontal, the vertical, or both.
    enum Axis { XAxis = 1, YAxis = 2, BothAxes = XAxis | YAxis };
    bool hasUserView() const { return userView_.has_value(); }
    // Zooms in by steps wheel notches (out when negative), keeping the point under the pixel.
    void zoomAt(QPointF pixel, double steps, int axes = BothAxes);
    // Moves the view so that what was under pixel from is under pixel to.
    void panBy(QPointF from, QPointF to, int axes = BothAxes);
    // Hands the axes back to the settings' rules ("Fit to data").
    void fitToData();

    // A click at the pixel: pointClicked names the point whose symbol is there, if any.
    void clickAt(QPointF pixel);

    // The texts of the legend's entries, top to bottom.
    QStringList legendTexts() const { return legend_->texts(); }

    // The context menu and its commands; "Save chart as…" is handled by whoever owns the files.
    QMenu* contextMenu() const { return menu_; }
    QAction* fitAction() const { return fitAction_; }
    QAction* saveAction() const { return saveAction_; }
    QAction* copyAction() const { return copyAction_; }

    // Draws the chart as it is shown now, laid out for the size (device-independent pixels), with
    // every symbol and label drawn as shapes and text: a picture for a report or a PDF.
    void render(QCPPainter& painter, QSize size);

    // The points drawn now, in the view shown.
    const DrawnPoints& drawnPoints() const { return run_.drawn(); }

    // The drawing surface, for printing, tests and measurements.
    QCustomPlot* plot() const { return plot_; }

signals:
    // A click on the symbol of point p.
    void pointClicked(std::int32_t point);
    // A window dragged with Shift held, from its lower to its upper end, on the horizontal axis
    // shown (time when showsTime()).
    void windowDragged(double from, double to);

private:
    struct XAxisSettings {
        ScaleMode mode = ScaleMode::Automatic;
        float min = 0.0f;
        float max = 50.0f;
        float ticks = 5.0f;
        std::int16_t minorTicks = -9;
    };
    struct YAxisSettings {
        ScaleMode mode = ScaleMode::Automatic;
        double min = 1e-15;
        double max = 1e-3;
        std::int16_t ticks = 10;
    };

    struct View {
        QCPRange x;
        QCPRange y;
    };

    void createContextMenu();
    // Every drawing on screen is asked for here, so that an unwatched chart is never drawn.
    void queueReplot();
    void prepareReplot();
    std::optional<analysis::View> derivedView() const;
    AxisScales scales() const;
    bool analysisOnAxis() const;
    void showAnalysis();
    void placeBand();
    void redrawSoon();
    void applyXAxis();
    void applyYAxis();
    int decadesThatFit() const;
    int xDecadesThatFit() const;
    void refitDecades();
    void fitHeader();
    std::vector<LegendEntry> legendEntries() const;
    // The range the drawn points of every curve span, by keys or by values.
    std::optional<ValueRange> rangeOfAll(std::optional<ValueRange> (DrawnPoints::*range)()
                                             const) const;
    void takeUserView();
    void endUserView();
    // The point whose symbol is at the pixel; 0 for none.
    std::int32_t pointAt(QPointF pixel) const;

    QCustomPlot* plot_;
    ChartPoints points_;
    ViewedRun run_;
    bool rebuildNeeded_ = false;
    RunLine series_;
    PointLabelLayer* labels_;
    LimitMarks limitMarks_;
    QCPLayer* referenceLayer_;
    std::vector<std::unique_ptr<ReferenceSeries>> references_;
    QStringList notDrawn_;
    analysis::View view_ = analysis::View::AbsoluteCurrent;
    bool xIsTime_ = true;
    AnalysisOverlay overlay_;
    DrawnPoints fit_;
    PlotSeries fitLine_;
    QCPItemRect* band_;
    std::optional<std::pair<double, double>> dragged_;
    std::optional<std::pair<double, double>> bandShown_;
    ChartReadout* readout_;
    QSharedPointer<AxisTicker> xTicker_;
    QSharedPointer<AxisTicker> yTicker_;
    ChartNotes* notes_;
    ChartLegend* legend_;
    std::optional<View> userView_;
    SymbolDrawing drawing_ = SymbolDrawing::Cached;
    QMenu* menu_ = nullptr;
    QAction* fitAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* copyAction_ = nullptr;

    QString xTitle_;
    QString yTitle_;
    std::int16_t labelsOn_ = 0;
    std::int32_t redraw_ = 0;
    // At most this often, so that a run at the instrument's fastest pace leaves the window
    // thread time to poll.
    static constexpr std::chrono::milliseconds kFrame{100};
    QTimer frame_;
    QElapsedTimer sinceReplot_;
    bool frameLimited_ = false;
    bool unwatched_ = false;
    ChartStyle style_ = ChartStyle::LinesAndSymbols;
    ChartType type_ = ChartType::Linear;
    std::int16_t dataSet_ = 1;
    XAxisSettings x_;
    YAxisSettings y_;
    std::map<std::int32_t, double> settings_;
    std::map<std::pair<std::int32_t, std::int32_t>, double> indexedSettings_;
};

} // namespace chart
