#include "chart_test_support.h"

#include "app/chart/chart_routines.h"

#include <gtest/gtest.h>

namespace chart {
namespace {

using testing::redraw;

std::vector<double> ticksOf(const QCPAxis* axis) {
    const QVector<double> ticks = axis->tickVector();
    return std::vector<double>(ticks.begin(), ticks.end());
}

// The sub-ticks the axis's ticker places in its range.
qsizetype subTickCount(const QCPAxis* axis) {
    QVector<double> ticks;
    QVector<double> subTicks;
    axis->ticker()->generate(axis->range(), QLocale::c(), 'g', 6, ticks, &subTicks, nullptr);
    return subTicks.size();
}

GraphSettings manualTime(float lo, float hi) {
    GraphSettings settings;
    settings.manualScaling = true;
    settings.timeMin = lo;
    settings.timeMax = hi;
    return settings;
}

TEST(InitChart, PreparesTwentyPercentMoreUnfilledPoints) {
    LiveChart chart;
    for (std::int32_t p = 1; p <= 3; ++p)
        plotReading(chart, {p, 1.0f, 1.0f, 1.0f}, true);
    initChart(chart, 100, true);
    EXPECT_EQ(chart.chartPointCount(), 120);
    EXPECT_EQ(chart.chartPointMark(1), kMarkNotFilled);
    EXPECT_EQ(chart.chartPointMark(120), kMarkNotFilled);
    EXPECT_EQ(chart.chartYTitle(), "Capacitance (in Farads)");
    EXPECT_EQ(chart.chartStyle(), ChartStyle::LinesAndSymbols);
    EXPECT_EQ(chart.setting(155), 1.0);
    EXPECT_EQ(chart.indexedSetting(166, 1), 100.0);
}

// An I test of 6000 s at 0.1 s expects 60,000 points: 72,000 no longer fits a 16-bit count.
TEST(InitChart, ALongTestGetsItsFullCount) {
    LiveChart chart;
    initChart(chart, 60000, false);
    EXPECT_EQ(chart.chartPointCount(), 72000);
    EXPECT_EQ(chart.chartYTitle(), "Current (in Amps)");
}

TEST(ApplyGraphSettings, ManualTimeAxisTicksEveryTenSecondsWithNineSubTicks) {
    LiveChart chart;
    applyGraphSettings(chart, manualTime(0.0f, 50.0f));
    QCoreApplication::processEvents();
    EXPECT_EQ(chart.chartXScaleMode(), ScaleMode::Manual);
    EXPECT_FLOAT_EQ(chart.chartXTicks(), 5.0f);
    EXPECT_EQ(chart.chartXMinorTicks(), -9);
    const QCPAxis* x = chart.plot()->xAxis;
    EXPECT_DOUBLE_EQ(x->range().lower, 0.0);
    EXPECT_DOUBLE_EQ(x->range().upper, 50.0);
    EXPECT_EQ(ticksOf(x), (std::vector<double>{0, 10, 20, 30, 40, 50}));
    EXPECT_EQ(subTickCount(x), 45);
    EXPECT_EQ(chart.chartXTitle(), "Time (in Seconds)");
}

TEST(ApplyGraphSettings, ManualTimeAxisOfMinutes) {
    LiveChart chart;
    applyGraphSettings(chart, manualTime(5.0f, 200.0f));
    QCoreApplication::processEvents();
    const QCPAxis* x = chart.plot()->xAxis;
    EXPECT_DOUBLE_EQ(x->range().upper, 240.0);
    EXPECT_EQ(ticksOf(x), (std::vector<double>{0, 60, 120, 180, 240}));
    EXPECT_EQ(subTickCount(x), 20);
}

TEST(ApplyGraphSettings, ManualVoltageAxisIsAnchoredAtZero) {
    LiveChart chart;
    GraphSettings settings;
    settings.xAxisIsTime = false;
    settings.manualScaling = true;
    settings.voltageMin = -100.0f;
    settings.voltageMax = 100.0f;
    applyGraphSettings(chart, settings);
    QCoreApplication::processEvents();
    EXPECT_FLOAT_EQ(chart.chartXTicks(), 2.0f);
    const QCPAxis* x = chart.plot()->xAxis;
    EXPECT_EQ(ticksOf(x), (std::vector<double>{-100, -50, 0, 50, 100}));
    EXPECT_EQ(subTickCount(x), 16);
    EXPECT_EQ(chart.chartXTitle(), "Voltage (in Volts)");

    settings.voltageMin = -7.0f;
    settings.voltageMax = 45.0f;
    applyGraphSettings(chart, settings);
    QCoreApplication::processEvents();
    EXPECT_EQ(ticksOf(x), (std::vector<double>{-10, 0, 10, 20, 30, 40, 50}));
}

TEST(ApplyGraphSettings, EqualCurrentLimitsWidenToADecade) {
    LiveChart chart;
    GraphSettings settings = manualTime(0.0f, 50.0f);
    settings.yList0 = {"1E-9", 7};
    settings.yList1 = {"1E-9", 7};
    applyGraphSettings(chart, settings);
    QCoreApplication::processEvents();
    EXPECT_DOUBLE_EQ(chart.chartYMin(), 1e-9);
    EXPECT_DOUBLE_EQ(chart.chartYMax(), 1e-8);
    const QCPAxis* y = chart.plot()->yAxis;
    EXPECT_EQ(y->scaleType(), QCPAxis::stLogarithmic);
    EXPECT_DOUBLE_EQ(y->range().lower, 1e-9);
    EXPECT_DOUBLE_EQ(y->range().upper, 1e-8);
}

TEST(ApplyGraphSettings, ManualLinearCurrentAxisHasTheTickIntervalsOfTheLists) {
    LiveChart chart;
    GraphSettings settings = manualTime(0.0f, 50.0f);
    settings.logY = false;
    settings.yList0 = {"1E-9", 7};
    settings.yList1 = {"1E-7", 9};
    applyGraphSettings(chart, settings);
    QCoreApplication::processEvents();
    EXPECT_EQ(chart.chartYTicks(), 10);
    EXPECT_EQ(chart.plot()->yAxis->tickVector().size(), 11);
}

TEST(ApplyGraphSettings, DisplaySwitchesAndMarksSurviveATypeChange) {
    LiveChart chart;
    initChart(chart, 100, false);
    plotReading(chart, {1, 1.0f, 0.0f, 1e-9f}, true);
    GraphSettings settings;
    settings.showPolarity = false;
    settings.showSymbols = false;
    settings.logY = false;
    applyGraphSettings(chart, settings);
    EXPECT_EQ(chart.chartPointLabelsOn(), 0);
    EXPECT_EQ(chart.chartStyle(), ChartStyle::Lines);
    EXPECT_EQ(chart.chartType(), ChartType::Linear);
    EXPECT_EQ(chart.chartPointMark(1), kMarkFilled);
    EXPECT_EQ(chart.chartPointMark(2), kMarkNotFilled);
    EXPECT_EQ(chart.chartXScaleMode(), ScaleMode::Automatic);
}

TEST(PlaceStartupPoints, PutsTwoUnfilledPointsAtTheLeftEdgeHalfWayUp) {
    LiveChart chart;
    initChart(chart, 100, false);
    GraphSettings settings = manualTime(10.0f, 60.0f);
    settings.yList0 = {"1E-9", 7};
    settings.yList1 = {"1E-9", 7};
    applyGraphSettings(chart, settings);
    placeStartupPoints(chart);
    QCoreApplication::processEvents();
    EXPECT_FLOAT_EQ(chart.chartYValue(1), 5.5e-9f);
    EXPECT_FLOAT_EQ(chart.chartXValue(2), 10.0f);
    EXPECT_EQ(chart.chartPointMark(1), kMarkNotFilled);
    EXPECT_TRUE(testing::plottedPoints(chart).empty());
}

} // namespace
} // namespace chart
