#include "app/chart/chart_routines.h"
#include "app/chart/live_chart.h"

#include <qcustomplot.h>

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

using chart::LiveChart;

// The chart's size in the main window: 7695 x 4695 twips at 96 dots per inch.
constexpr int kChartWidth = 513;
constexpr int kChartHeight = 313;

// A drifting, noisy current whose sign flips now and then, as a leaky sample gives.
chart::ChartReading readingNumber(std::int32_t p, bool voltageSweep) {
    const double t = 0.1 * p;
    const double wobble = 1.0 + 0.4 * std::sin(p * 0.013) + 0.05 * std::sin(p * 7.77);
    const double sign = std::sin(p * 0.002) < -0.3 ? -1.0 : 1.0;
    const double voltage = voltageSweep ? 50.0 * std::sin(p * 0.001) : 5.0;
    return {p, static_cast<float>(t), static_cast<float>(voltage),
            static_cast<float>(sign * 1e-9 * wobble * (1.0 + t / 100.0))};
}

struct ShownChart {
    ShownChart(std::int32_t count, bool logY, bool xAxisIsTime = true) {
        chart.resize(kChartWidth, kChartHeight);
        chart.show();
        chart::initChart(chart, count, false);
        chart::GraphSettings settings;
        settings.logY = logY;
        settings.xAxisIsTime = xAxisIsTime;
        chart::applyGraphSettings(chart, settings);
        for (std::int32_t p = 1; p <= count; ++p)
            chart::plotReading(chart, readingNumber(p, !xAxisIsTime), xAxisIsTime);
        chart.setChartRedraw(chart::kRedrawNow);
        QCoreApplication::processEvents();
    }

    LiveChart chart;
};

// One repaint of a chart with symbols at every point and the polarity labels on.
//
// The single-curve figure, the yardstick for charts that draw further curves beside the test's:
// Repaint/points:10000/log:1 took 1.3 ms of CPU time (median of 9 runs, offscreen, on the shared
// two-core development machine) both before and after the chart learned zooming, one-style axis
// labels, limit marks and its legend (1.2-1.4 ms before, 1.3-1.5 ms after, within the machine's
// noise).
void Repaint(benchmark::State& state) {
    ShownChart shown(static_cast<std::int32_t>(state.range(0)), state.range(1) != 0);
    for (auto _ : state)
        shown.chart.plot()->replot(QCustomPlot::rpImmediateRefresh);
}
BENCHMARK(Repaint)
    ->ArgNames({"points", "log"})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

// The same on the voltage axis of a sweep that turns back: the order-keeping curve draws it.
void RepaintSweep(benchmark::State& state) {
    ShownChart shown(static_cast<std::int32_t>(state.range(0)), true, false);
    for (auto _ : state)
        shown.chart.plot()->replot(QCustomPlot::rpImmediateRefresh);
}
BENCHMARK(RepaintSweep)->ArgName("points")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The chart of Repaint/points:10000/log:1 with three references of 10,000 points beside its
// readings, each a run of its own (its currents a little larger): on the time axis, and on the
// voltage axis of sweeps that turn back (the readings' own curve then turns back as well, so
// compare that with RepaintSweep/points:10000).
void RepaintWithReferences(benchmark::State& state) {
    constexpr std::int32_t kPoints = 10000;
    const bool timeAxis = state.range(0) != 0;
    ShownChart shown(kPoints, true, timeAxis);
    std::vector<chart::ReferenceCurve> curves;
    for (int run = 1; run <= 3; ++run) {
        chart::ReferenceCurve& curve = curves.emplace_back(QString("run-%1.txt").arg(run), run);
        for (std::int32_t p = 1; p <= kPoints; ++p) {
            chart::ChartReading reading = readingNumber(p, !timeAxis);
            reading.measurement *= 1.0f + 0.5f * static_cast<float>(run);
            curve.points.push_back(chart::chartPointFor(reading, timeAxis));
        }
    }
    shown.chart.setReferences(curves);
    shown.chart.setChartRedraw(chart::kRedrawNow);
    QCoreApplication::processEvents();
    for (auto _ : state)
        shown.chart.plot()->replot(QCustomPlot::rpImmediateRefresh);
}
BENCHMARK(RepaintWithReferences)->ArgName("time")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Adding one reading: the property writes and the redraw request, with this many already shown.
void AddPoint(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    ShownChart shown(count, true);
    std::int32_t p = count;
    for (auto _ : state) {
        chart::plotReading(shown.chart, readingNumber(++p, false), true);
        shown.chart.setChartRedraw(chart::kRedrawNow);
    }
}
BENCHMARK(AddPoint)->ArgName("shown")->Arg(1000)->Arg(10000)->Arg(100000)->Iterations(5000)->Unit(
    benchmark::kMicrosecond);

// Adding one reading and letting the event loop bring it on screen (update of the drawn points
// and one repaint), as each reading of a running test does.
void AddPointAndRepaint(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    ShownChart shown(count, true);
    std::int32_t p = count;
    for (auto _ : state) {
        chart::plotReading(shown.chart, readingNumber(++p, false), true);
        shown.chart.setChartRedraw(chart::kRedrawNow);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(AddPointAndRepaint)
    ->ArgName("shown")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

} // namespace
