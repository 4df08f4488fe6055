// The user's view of the chart (zoom, pan, "Fit to data"), its labels, marks and legend, through
// the chart's public interface on a shown chart.

#include "chart_test_support.h"

#include "app/chart/axis_ticker.h"
#include "app/chart/chart_export.h"
#include "app/chart/chart_routines.h"
#include "app/chart/point_label_layer.h"

#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace chart {
namespace {

using testing::plottedPoints;
using testing::redraw;

void plot(LiveChart& chart, std::int32_t p, float value, bool atLimit = false) {
    plotReading(chart, {p, static_cast<float>(p), 0.0f, value, atLimit}, true);
}

class ChartView : public ::testing::Test {
protected:
    void SetUp() override {
        chart.resize(600, 400);
        chart.show();
        initChart(chart, 40, false);
        applyGraphSettings(chart, GraphSettings{});
        for (std::int32_t p = 1; p <= 20; ++p)
            plot(chart, p, 1e-9f * static_cast<float>(p));
        redraw(chart);
    }

    QCPAxis* x() const { return chart.plot()->xAxis; }
    QCPAxis* y() const { return chart.plot()->yAxis; }

    // A pixel at these shares of the plotting area's width and height.
    QPoint inArea(double across, double down) const {
        const QRect area = chart.plot()->axisRect()->rect();
        return {area.left() + static_cast<int>(across * area.width()),
                area.top() + static_cast<int>(down * area.height())};
    }

    // The wheel turned over the pixel; the chart is redrawn unless asked not to.
    void wheel(QPoint at, double notches, bool thenRedraw = true) {
        QWheelEvent event(at, chart.plot()->mapToGlobal(at), {},
                          QPoint(0, static_cast<int>(120 * notches)), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart.plot(), &event);
        if (thenRedraw)
            QCoreApplication::processEvents();
    }

    LiveChart chart;
};

TEST_F(ChartView, AZoomedViewStaysPutWhilePointsArriveUntilADoubleClick) {
    const QPoint at = inArea(0.25, 0.5);
    const double time = x()->pixelToCoord(at.x());
    const double current = y()->pixelToCoord(at.y());
    const double span = x()->range().size();
    wheel(at, 2, false);
    ASSERT_TRUE(chart.hasUserView());
    EXPECT_NEAR(x()->range().size(), span * 0.85 * 0.85, span * 1e-6);
    EXPECT_NEAR(x()->pixelToCoord(at.x()), time, span * 1e-9);
    EXPECT_NEAR(y()->pixelToCoord(at.y()) / current, 1.0, 1e-9);
    QCoreApplication::processEvents();

    const QCPRange zoomedX = x()->range();
    const QCPRange zoomedY = y()->range();
    for (std::int32_t p = 21; p <= 40; ++p)
        plot(chart, p, 1e-6f * static_cast<float>(p));
    redraw(chart);
    EXPECT_EQ(x()->range(), zoomedX);
    EXPECT_EQ(y()->range(), zoomedY);
    EXPECT_EQ(plottedPoints(chart).size(), 40u);

    // Dragging from a symbol pans; it is no click on the point.
    QSignalSpy clicked(&chart, &LiveChart::pointClicked);
    const QPoint from(static_cast<int>(x()->coordToPixel(5.0)),
                      static_cast<int>(y()->coordToPixel(5e-9)));
    const double shift = x()->pixelToCoord(from.x()) - x()->pixelToCoord(from.x() - 60);
    QTest::mousePress(chart.plot(), Qt::LeftButton, {}, from);
    QTest::mouseMove(chart.plot(), from - QPoint(30, 0));
    QTest::mouseMove(chart.plot(), from - QPoint(60, 0));
    QTest::mouseRelease(chart.plot(), Qt::LeftButton, {}, from - QPoint(60, 0));
    redraw(chart);
    EXPECT_NEAR(x()->range().lower, zoomedX.lower + shift, span * 1e-6);
    EXPECT_EQ(clicked.count(), 0);

    QTest::mouseDClick(chart.plot(), Qt::LeftButton, {}, inArea(0.5, 0.5));
    redraw(chart);
    EXPECT_FALSE(chart.hasUserView());
    EXPECT_FALSE(chart.fitAction()->isEnabled());
    EXPECT_GT(x()->range().upper, 40.0);
    EXPECT_GT(y()->range().upper, 40e-6);

    wheel(at, 1);
    EXPECT_TRUE(chart.fitAction()->isEnabled());
    chart.fitAction()->trigger();
    redraw(chart);
    EXPECT_FALSE(chart.hasUserView());
    EXPECT_GT(x()->range().upper, 40.0);
}

TEST_F(ChartView, TheWheelOverAnAxisZoomsItAloneAndNeverToNothing) {
    const QCPRange before = x()->range();
    const QRect area = chart.plot()->axisRect()->rect();
    wheel(QPoint(area.left() - 10, area.center().y()), 3);
    EXPECT_EQ(x()->range(), before);
    EXPECT_LT(y()->range().upper / y()->range().lower, 1e5);

    wheel(inArea(0.5, 0.5), 500);
    wheel(inArea(0.5, 0.5), -1000);
    redraw(chart);
    EXPECT_LT(x()->range().lower, x()->range().upper);
    EXPECT_GT(y()->range().lower, 0.0);
    EXPECT_TRUE(std::isfinite(y()->range().upper));
}

std::vector<double> ticksOf(const QCPAxis* axis) {
    const QVector<double> ticks = axis->tickVector();
    return {ticks.begin(), ticks.end()};
}

const AxisTicker& tickerOf(const QCPAxis* axis) {
    return dynamic_cast<const AxisTicker&>(*axis->ticker());
}

// The full current range on a chart of the main window's size: every label a power of ten, the
// labelled decades evenly spaced; a C-V curve on a linear axis: plain numbers and one factor.
TEST(ChartLabels, EachAxisKeepsOneStyle) {
    LiveChart chart;
    chart.resize(513, 313);
    chart.show();
    initChart(chart, 13, false);
    applyGraphSettings(chart, GraphSettings{});
    for (std::int32_t p = 1; p <= 13; ++p)
        plot(chart, p, static_cast<float>(std::pow(10.0, p - 16)));
    redraw(chart);
    const QCPAxis* y = chart.plot()->yAxis;
    const std::vector<double> ticks = ticksOf(y);
    ASSERT_GE(ticks.size(), 3u);
    const double step = std::log10(ticks[1] / ticks[0]);
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_TRUE(y->tickVectorLabels()[static_cast<int>(i)].startsWith("10")) << i;
        EXPECT_NEAR(std::log10(ticks[i] / ticks[0]), step * static_cast<double>(i), 1e-9);
    }
    EXPECT_TRUE(tickerOf(y).factor().isEmpty());

    GraphSettings linear;
    linear.logY = false;
    linear.capacitance = true;
    initChart(chart, 9, true);
    applyGraphSettings(chart, linear);
    for (std::int32_t p = 1; p <= 9; ++p)
        plot(chart, p, 20e-12f + 10e-12f * static_cast<float>(p - 1));
    redraw(chart);
    for (const QString& label : y->tickVectorLabels())
        EXPECT_FALSE(label.contains('E') || label.contains('e') || label.contains("⁻"))
            << label.toStdString();
    EXPECT_EQ(tickerOf(y).factor(), "×10⁻¹²");
    EXPECT_EQ(chart.chartYTitle(), "Capacitance (in Farads)");
}

// References are lines beneath the readings, named in the legend; automatic scaling keeps every
// curve in view, on a logarithmic axis without the values it cannot show.
TEST_F(ChartView, ReferencesShareTheFitAndTheLegendAndFollowTheScale) {
    const int plottables = chart.plot()->plottableCount();
    ReferenceCurve yesterday{"yesterday.txt", chart::referenceColour(0), {}};
    for (std::int32_t p = 0; p <= 40; ++p)
        yesterday.points.push_back(chartPointFor(
            {p, static_cast<float>(p), 0.0f, -1e-6f * static_cast<float>(p), false}, true));
    chart.setReferences({yesterday, ReferenceCurve{"empty.txt", chart::referenceColour(1), {}}});
    redraw(chart);
    EXPECT_EQ(chart.legendTexts(), (QStringList{"Readings", "yesterday.txt", "empty.txt"}));
    ASSERT_EQ(chart.referenceCount(), 2u);
    EXPECT_EQ(chart.referencePoints(0).points().size(), 40u); // no place for 0 on a log axis
    EXPECT_LE(x()->range().lower, 0.0);
    EXPECT_GE(x()->range().upper, 40.0);
    EXPECT_GE(y()->range().upper, 40e-6);
    EXPECT_LE(y()->range().lower, 1e-9);
    EXPECT_EQ(plottedPoints(chart).size(), 20u); // the readings' own line is untouched

    chart.setChartType(ChartType::Linear);
    redraw(chart);
    EXPECT_EQ(chart.referencePoints(0).points().size(), 41u);

    chart.setReferences({});
    redraw(chart);
    EXPECT_EQ(chart.legendTexts(), QStringList{"Readings"});
    EXPECT_LT(x()->range().upper, 40.0);
    EXPECT_EQ(chart.plot()->plottableCount(), plottables);
}

// The points of the curve that stars the readings taken at the current limit.
std::vector<double> starredKeys(const LiveChart& chart) {
    std::vector<double> keys;
    for (int i = 0; i < chart.plot()->plottableCount(); ++i)
        if (auto* curve = qobject_cast<QCPCurve*>(chart.plot()->plottable(i));
            curve && curve->name() == "at limit")
            for (const QCPCurveData& data : *curve->data())
                keys.push_back(data.key);
    return keys;
}

TEST(ChartMarks, ReadingsAtTheLimitAreStarredAndTheLegendNamesTheMarksInUse) {
    LiveChart chart;
    initChart(chart, 4, false);
    applyGraphSettings(chart, GraphSettings{});
    plot(chart, 1, 1e-9f);
    plot(chart, 2, -2e-9f);
    plot(chart, 3, 1e-3f, true);
    plot(chart, 4, 1e-9f);
    redraw(chart);
    EXPECT_EQ(starredKeys(chart), std::vector<double>{3.0});
    EXPECT_EQ(chart.legendTexts(),
              (QStringList{"Readings", "Negative (magnitude)", "At current limit"}));

    chart.setChartPointLabelsOn(0);
    redraw(chart);
    EXPECT_EQ(chart.legendTexts(), (QStringList{"Readings", "At current limit"}));

    initChart(chart, 4, false);
    redraw(chart);
    EXPECT_TRUE(starredKeys(chart).empty());
    EXPECT_TRUE(chart.legendTexts().isEmpty());
}

} // namespace
} // namespace chart

namespace chart {
namespace {

// The marker tells the person at the screen that the view is theirs; a saved or copied chart
// is a picture for others, in which it would only be noise.
TEST_F(ChartView, APictureOfTheChartLeavesOutTheUsersViewMarkerAndTheReadout) {
    const auto markerPixels = [](const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height() / 3; ++y)
            for (int x = 0; x < image.width() / 2; ++x)
                if (const QColor c = image.pixelColor(x, y);
                    c.red() > 250 && c.green() > 236 && c.green() < 250 && c.blue() < 205)
                    ++count;
        return count;
    };
    wheel(inArea(0.5, 0.5), 1);
    ASSERT_TRUE(chart.hasUserView());
    QTest::mouseMove(chart.plot(), inArea(0.5, 0.5));
    EXPECT_FALSE(chart.readoutText().isEmpty());
    EXPECT_GT(markerPixels(chart.plot()->toPixmap().toImage()), 100);
    EXPECT_EQ(markerPixels(chartImage(chart, {800, 500})), 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(chart.hasUserView()); // the screen keeps it
    EXPECT_GT(markerPixels(chart.plot()->toPixmap().toImage()), 100);
}

TEST_F(ChartView, TheLogLogViewDrawsAgainstTimeOnTwoLogarithmicAxes) {
    GraphSettings settings;
    settings.xAxisIsTime = false;
    settings.view = analysis::View::LogLog;
    applyGraphSettings(chart, settings);
    redraw(chart);
    EXPECT_EQ(x()->scaleType(), QCPAxis::stLogarithmic);
    EXPECT_EQ(y()->scaleType(), QCPAxis::stLogarithmic);
    EXPECT_EQ(x()->label(), "Time (in Seconds)");
    EXPECT_TRUE(chart.showsTime());
    EXPECT_EQ(plottedPoints(chart).size(), 20u);
    EXPECT_GT(x()->range().lower, 0.0);
    EXPECT_LE(x()->range().lower, 1.0);

    settings.view = analysis::View::AbsoluteCurrent; // the readings as the settings draw them
    applyGraphSettings(chart, settings);
    redraw(chart);
    EXPECT_EQ(x()->scaleType(), QCPAxis::stLinear);
    EXPECT_FALSE(chart.showsTime());
}

TEST(ChartLabels, ALabelWithoutRoomAboveItsPointGoesBelowItAndStaysInside) {
    const QRectF area(10, 20, 200, 100);
    const QSizeF label(8, 12);
    EXPECT_EQ(labelCorner({100, 80}, label, 4, area), QPointF(96, 64)); // above
    EXPECT_EQ(labelCorner({100, 25}, label, 4, area), QPointF(96, 29)); // below, at the top
    EXPECT_EQ(labelCorner({11, 80}, label, 4, area), QPointF(10, 64));  // at the left edge
    EXPECT_EQ(labelCorner({209, 80}, label, 4, area), QPointF(202, 64));
}

} // namespace
} // namespace chart
