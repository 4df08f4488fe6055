#include "chart_test_support.h"

#include "app/chart/chart_routines.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace chart {
namespace {

using testing::PlottedPoint;
using testing::plottedPoints;
using testing::redraw;
using testing::shownPlottable;

void plot(LiveChart& chart, std::int32_t number, float time, float voltage, float measurement,
          bool xAxisIsTime = true) {
    plotReading(chart, {number, time, voltage, measurement}, xAxisIsTime);
}

TEST(LiveChart, ANegativeReadingIsPlottedAtItsMagnitudeLabelledMinus) {
    LiveChart chart;
    initChart(chart, 100, false);
    plot(chart, 1, 0.5f, 2.0f, -3e-9f);
    plot(chart, 2, 1.0f, 2.0f, 4e-9f);
    redraw(chart);
    EXPECT_FLOAT_EQ(chart.chartYValue(1), 3e-9f);
    EXPECT_EQ(chart.chartPointLabel(1), "-");
    EXPECT_EQ(chart.chartPointLabel(2), "+");
    EXPECT_FLOAT_EQ(chart.chartVoltage(1), 2.0f);
    EXPECT_FLOAT_EQ(chart.chartTime(1), 0.5f);
    const std::vector<PlottedPoint> shown = plottedPoints(chart);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_FLOAT_EQ(static_cast<float>(shown[0].value), 3e-9f);
}

TEST(LiveChart, OnlyFilledPointsAreDrawn) {
    LiveChart chart;
    initChart(chart, 100, false);
    placeStartupPoints(chart);
    QCoreApplication::processEvents();
    EXPECT_TRUE(plottedPoints(chart).empty());
    EXPECT_EQ(chart.chartPointCount(), 120);
}

// An up/down voltage sweep plotted against voltage must keep the reading order: a chart that
// sorts by key would draw the return sweep on top of the outward one as one line.
TEST(LiveChart, SwitchingToVoltageAfterASweepKeepsReadingOrder) {
    LiveChart chart;
    initChart(chart, 100, false);
    const float voltages[] = {0.0f, 1.0f, 2.0f, 3.0f, 2.0f, 1.0f, 0.0f};
    for (std::int32_t p = 1; p <= 7; ++p)
        plot(chart, p, static_cast<float>(p), voltages[p - 1], 1e-9f * static_cast<float>(p));
    redraw(chart);
    ASSERT_NE(qobject_cast<QCPGraph*>(shownPlottable(chart)), nullptr);

    for (std::int32_t p = 1; p <= 7; ++p)
        chart.setChartXValue(p, chart.chartVoltage(p));
    redraw(chart);
    // The way back runs against the keys: it needs the plottable that keeps reading order.
    ASSERT_NE(qobject_cast<QCPCurve*>(shownPlottable(chart, "readings back")), nullptr);
    const std::vector<PlottedPoint> shown = plottedPoints(chart);
    ASSERT_EQ(shown.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_DOUBLE_EQ(shown[i].key, voltages[i]) << i;
        EXPECT_FLOAT_EQ(static_cast<float>(shown[i].value), 1e-9f * static_cast<float>(i + 1));
    }

    for (std::int32_t p = 1; p <= 7; ++p)
        chart.setChartXValue(p, chart.chartTime(p));
    redraw(chart);
    EXPECT_NE(qobject_cast<QCPGraph*>(shownPlottable(chart)), nullptr);
    EXPECT_EQ(plottedPoints(chart).size(), 7u);
}

TEST(LiveChart, ALiveSweepThatTurnsBackKeepsReadingOrder) {
    LiveChart chart;
    initChart(chart, 100, false);
    const float voltages[] = {-1.0f, 0.0f, 1.0f, 0.0f, -1.0f};
    for (std::int32_t p = 1; p <= 5; ++p) {
        plot(chart, p, static_cast<float>(p), voltages[p - 1], 1e-9f, false);
        redraw(chart);
    }
    const std::vector<PlottedPoint> shown = plottedPoints(chart);
    ASSERT_EQ(shown.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_DOUBLE_EQ(shown[i].key, voltages[i]) << i;
}

TEST(LiveChart, ALogarithmicAxisLeavesOutValuesAtOrBelowZero) {
    LiveChart chart;
    initChart(chart, 100, false);
    plot(chart, 1, 1.0f, 0.0f, 1e-9f);
    plot(chart, 2, 2.0f, 0.0f, 0.0f);
    plot(chart, 3, 3.0f, 0.0f, -1e-8f);
    plot(chart, 4, 4.0f, 0.0f, NAN); // no number at all is never drawn
    chart.setChartType(ChartType::LogY);
    redraw(chart);
    EXPECT_EQ(plottedPoints(chart).size(), 2u);
    EXPECT_EQ(chart.plot()->yAxis->scaleType(), QCPAxis::stLogarithmic);
    EXPECT_GT(chart.plot()->yAxis->range().lower, 0.0);

    chart.setChartType(ChartType::Linear);
    redraw(chart);
    EXPECT_EQ(plottedPoints(chart).size(), 3u);
    EXPECT_TRUE(std::isfinite(chart.plot()->yAxis->range().upper));
}

TEST(LiveChart, MoreThan32767PointsAreAllKept) {
    LiveChart chart;
    initChart(chart, 100, false);
    constexpr std::int32_t kCount = 40000;
    for (std::int32_t p = 1; p <= kCount; ++p)
        plot(chart, p, 0.1f * static_cast<float>(p), 0.0f, 1e-12f * static_cast<float>(p));
    redraw(chart);
    EXPECT_EQ(chart.chartPointCount(), kCount);
    EXPECT_FLOAT_EQ(chart.chartYValue(kCount), 1e-12f * kCount);
    EXPECT_EQ(chart.chartPointMark(kCount), kMarkFilled);
    EXPECT_EQ(plottedPoints(chart).size(), static_cast<std::size_t>(kCount));
}

TEST(LiveChart, RedrawRequestsInOneTurnGiveOneRepaint) {
    LiveChart chart;
    int replots = 0;
    QObject::connect(chart.plot(), &QCustomPlot::afterReplot, [&] { ++replots; });
    for (std::int32_t p = 1; p <= 5; ++p) {
        plot(chart, p, static_cast<float>(p), 0.0f, 1.0f);
        chart.setChartRedraw(kRedrawNow);
    }
    EXPECT_EQ(replots, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(replots, 1);
    EXPECT_EQ(plottedPoints(chart).size(), 5u);
}

TEST(LiveChart, AutomaticScalingFitsTheDrawnPoints) {
    LiveChart chart;
    initChart(chart, 100, false);
    plot(chart, 1, 10.0f, 0.0f, 2.0f);
    plot(chart, 2, 20.0f, 0.0f, 6.0f);
    plot(chart, 3, 40.0f, 0.0f, 4.0f);
    chart.setChartPointMark(3, kMarkNotFilled); // not drawn, so not fitted
    redraw(chart);
    const QCPRange x = chart.plot()->xAxis->range();
    const QCPRange y = chart.plot()->yAxis->range();
    EXPECT_LT(x.lower, 10.0);
    EXPECT_GT(x.upper, 20.0);
    EXPECT_LT(x.upper, 25.0);
    EXPECT_LT(y.lower, 2.0);
    EXPECT_GT(y.upper, 6.0);
    EXPECT_LT(y.upper - y.lower, 6.0);
}

class ShownChart : public ::testing::Test {
protected:
    void SetUp() override {
        chart.resize(600, 400);
        chart.show();
        initChart(chart, 100, false);
        for (std::int32_t p = 1; p <= 5; ++p)
            plot(chart, p, static_cast<float>(p), 0.0f, static_cast<float>(p % 3 + 1));
        redraw(chart);
    }

    QPoint pixelOf(std::int32_t p) const {
        return QPointF(chart.plot()->xAxis->coordToPixel(chart.chartXValue(p)),
                       chart.plot()->yAxis->coordToPixel(chart.chartYValue(p)))
            .toPoint();
    }

    LiveChart chart;
};

TEST_F(ShownChart, AClickOnAPointSymbolNamesThePoint) {
    QSignalSpy clicked(&chart, &LiveChart::pointClicked);
    QTest::mouseClick(chart.plot(), Qt::LeftButton, {}, pixelOf(3) + QPoint(2, -1));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).value<std::int32_t>(), 3);
}

TEST_F(ShownChart, AClickAwayFromEverySymbolNamesNoPoint) {
    QSignalSpy clicked(&chart, &LiveChart::pointClicked);
    const QPoint between = (pixelOf(2) + pixelOf(3)) / 2;
    QTest::mouseClick(chart.plot(), Qt::LeftButton, {}, between + QPoint(0, 30));
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(ShownChart, WithoutSymbolsThereIsNothingToClick) {
    chart.setChartStyle(ChartStyle::Lines);
    redraw(chart);
    QSignalSpy clicked(&chart, &LiveChart::pointClicked);
    QTest::mouseClick(chart.plot(), Qt::LeftButton, {}, pixelOf(3));
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(ShownChart, PointLabelsAreDrawnByOneLayerable) {
    const QImage without = chart.plot()->toPixmap().toImage();
    const int items = chart.plot()->itemCount();
    chart.setChartPointLabelsOn(1);
    redraw(chart);
    const QImage with = chart.plot()->toPixmap().toImage();
    EXPECT_NE(with, without);
    EXPECT_EQ(chart.plot()->itemCount(), items);
}

TEST(LiveChart, SettingsKnownOnlyByIdentifierReadBack) {
    LiveChart chart;
    chart.setSetting(124, 0);
    chart.setIndexedSetting(173, 1, 12);
    EXPECT_EQ(chart.setting(124), 0.0);
    EXPECT_EQ(chart.indexedSetting(173, 1), 12.0);
    EXPECT_EQ(chart.indexedSetting(173, 2), std::nullopt);
    EXPECT_EQ(chart.setting(999), std::nullopt);
}

} // namespace
} // namespace chart
