#include "app/chart/chart_point.h"
#include "app/chart/run_view.h"

#include <gtest/gtest.h>

namespace chart {
namespace {

// A run as the chart holds it: magnitudes with their signs in the labels.
ChartPoints runOf(const std::vector<std::pair<float, float>>& voltsAndValues) {
    ChartPoints points;
    std::int32_t p = 0;
    for (const auto& [volts, value] : voltsAndValues) {
        const ChartPoint point = chartPointFor({++p, 0.5f * p, volts, value, p == 2}, false);
        points.set(p, &ChartPointRecord::x, point.x);
        points.set(p, &ChartPointRecord::y, point.y);
        points.set(p, &ChartPointRecord::voltage, point.voltage);
        points.set(p, &ChartPointRecord::time, point.time);
        points.setLabel(p, point.label);
        points.set(p, &ChartPointRecord::atLimit, point.atLimit);
        points.set(p, &ChartPointRecord::mark, kMarkFilled);
    }
    points.set(p + 1, &ChartPointRecord::y, 5.0f); // a point not yet filled is no reading
    return points;
}

TEST(RunView, ViewsOfTheReadingsKeepTheirPointsNumbersAndTheWayBackStartsAfterTheTurn) {
    const ChartPoints points = runOf({{-1.0f, -2e-9f}, {0.0f, 0.0f}, {1.0f, 4e-9f}, {0.0f, 1e-9f}});
    const RunReadings run = runReadings(points);
    ASSERT_EQ(run.readings.size(), 4u);
    EXPECT_FLOAT_EQ(static_cast<float>(run.readings[0].value), -2e-9f);
    EXPECT_FLOAT_EQ(static_cast<float>(run.readings[0].t), 0.5f);
    EXPECT_TRUE(run.readings[1].atLimit);

    // I is signed and unlabelled; dI/dV sits between its two readings, numbered by the first.
    const std::vector<SourcePoint> current = viewOfRun(run, points, analysis::View::Current);
    ASSERT_EQ(current.size(), 4u);
    EXPECT_FLOAT_EQ(static_cast<float>(current[0].y), -2e-9f);
    EXPECT_EQ(current[0].label, 0u);
    EXPECT_TRUE(current[1].atLimit);
    const std::vector<SourcePoint> slope = viewOfRun(run, points, analysis::View::Conductance);
    ASSERT_EQ(slope.size(), 3u);
    EXPECT_DOUBLE_EQ(slope[0].x, -0.5);
    EXPECT_NEAR(slope[0].y, 2e-9, 1e-15);
    EXPECT_EQ(slope[2].number, 3);
    // log–log is against time, in magnitudes that keep their signs' labels.
    const std::vector<SourcePoint> logLog = viewOfRun(run, points, analysis::View::LogLog);
    EXPECT_DOUBLE_EQ(logLog[3].x, 2.0);
    EXPECT_EQ(logLog[0].label, points.at(1).label);
    EXPECT_TRUE(viewAgainstTime(analysis::View::LogLog));
    EXPECT_FALSE(viewAgainstTime(analysis::View::InverseSquare));
    EXPECT_TRUE(isUsualView(analysis::View::Capacitance));
    EXPECT_FALSE(isUsualView(analysis::View::Current));
}

// The chart finds the turn as readings arrive, one look at each, where the analysis finds it in
// the whole run.
TEST(RunView, TheTurnIsFoundAsReadingsArriveWhereTheAnalysisFindsIt) {
    const std::vector<std::vector<float>> sweeps = {
        {-1, 0, 1, 0, -1}, {5, 4, 3, 3, 4}, {0, 0, 0, 1, 2, 1}, {1, 2, 3}, {2, 2, 2}, {0, 1, 1, 0}};
    for (const std::vector<float>& volts : sweeps) {
        std::vector<std::pair<float, float>> run;
        for (const float v : volts)
            run.emplace_back(v, 1e-9f);
        ChartPoints points = runOf(run);
        const std::size_t start = analysis::secondBranchStart(runReadings(points).readings);
        const std::optional<std::int32_t> expected =
            start < volts.size() ? std::optional(static_cast<std::int32_t>(start) + 1)
                                 : std::nullopt;
        TurnFinder whole;
        whole.scan(points, 0);
        EXPECT_EQ(whole.returnStart(), expected) << volts.size();

        // One reading at a time, the rest not yet filled.
        TurnFinder arriving;
        for (std::int32_t p = static_cast<std::int32_t>(volts.size()); p >= 1; --p)
            points.set(p, &ChartPointRecord::mark, kMarkNotFilled);
        points.takeChanges();
        for (std::int32_t p = 1; p <= static_cast<std::int32_t>(volts.size()); ++p) {
            points.set(p, &ChartPointRecord::mark, kMarkFilled);
            arriving.scan(points, points.takeChanges().first);
        }
        EXPECT_EQ(arriving.returnStart(), expected) << volts.size();
    }
}

TEST(RunView, AFitIsScaledAsItsReadingsAndTheReadoutNamesTheView) {
    const ChartPoints points = runOf({{-1.0f, 100e-12f}, {1.0f, 20e-12f}});
    const std::vector<analysis::Point> fitted{{-1.0, 50e-12}, {0.0, -1e-12}};
    const std::vector<SourcePoint> normalised =
        viewOfFit(fitted, runReadings(points), analysis::View::Normalised);
    ASSERT_EQ(normalised.size(), 2u);
    EXPECT_NEAR(normalised[0].y, 0.5, 1e-6); // by the readings' largest, 100 pF
    const std::vector<SourcePoint> usual =
        viewOfFit(fitted, runReadings(points), analysis::View::AbsoluteCurrent);
    EXPECT_DOUBLE_EQ(usual[1].y, 1e-12); // magnitudes, as the readings are drawn

    EXPECT_EQ(readoutLine(analysis::View::AbsoluteCurrent, false, 0.45, 1.25e-9),
              "V = 0.45 V   |I| = 1.25E-09 A");
    EXPECT_EQ(readoutLine(analysis::View::LogLog, true, 12.5, 3e-12), "t = 12.5 s   |I| = 3E-12 A");
    EXPECT_EQ(readoutLine(analysis::View::InverseSquare, false, -2, 4e20),
              "V = -2 V   1/C² = 4E+20 1/F²");
    EXPECT_EQ(readoutLine(analysis::View::Conductance, false, 0, 1e-3),
              "V = 0 V   dI/dV = 0.001 S");
    EXPECT_EQ(readoutLine(analysis::View::Normalised, false, 1, 0.5), "V = 1 V   C/Cmax = 0.5");
}

} // namespace
} // namespace chart
