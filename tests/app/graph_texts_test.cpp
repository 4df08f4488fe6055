#include "app/chart/chart_point.h"
#include "app/chart/graph_texts.h"
#include "app/chart/manual_axis.h"

#include <gtest/gtest.h>

namespace chart {
namespace {

TEST(GraphTexts, RoundingNotesNameTheUnit) {
    EXPECT_EQ(timeRoundingNote(0.0f, 50.0f), "Graph will round to 10s intervals");
    EXPECT_EQ(timeRoundingNote(200.0f, 5.0f), "Graph will round to 60s intervals");
    EXPECT_EQ(timeRoundingNote(3.2f, 7.9f), "Graph will round to 1s intervals");
    EXPECT_EQ(voltageRoundingNote(-100.0f, 100.0f), "Graph will round to 50V intervals");
    EXPECT_EQ(voltageRoundingNote(-100.0f, 0.0f), "Graph will round to 10V intervals");
    EXPECT_EQ(voltageRoundingNote(0.0f, 10.0f), "Graph will round to 1V intervals");
}

// The notes promise the rounding the manual axis then applies.
TEST(GraphTexts, RoundingNotesMatchTheAxis) {
    for (float a = -100.0f; a <= 100.0f; a += 7.25f) {
        for (float b = -100.0f; b <= 100.0f; b += 3.5f) {
            const ManualXAxis axis = manualVoltageAxis(a, b);
            const std::string unit = axis.minorTicks == -4   ? "50V"
                                     : axis.minorTicks == -9 ? "10V"
                                                             : "1V";
            EXPECT_EQ(voltageRoundingNote(a, b), "Graph will round to " + unit + " intervals");
        }
    }
}

TEST(GraphTexts, ScaleListsRunFromFemtoToMilli) {
    const std::vector<std::string> items = graphScaleListItems();
    ASSERT_EQ(items.size(), 14u);
    EXPECT_EQ(items.front(), "1E-16");
    EXPECT_EQ(items[kScaleList1DefaultPosition], "1E-15");
    EXPECT_EQ(items[kScaleList0DefaultPosition], "1E-3");
    EXPECT_EQ(items.back(), "1E-3");
}

TEST(ChartPointFor, PlotsTheMagnitudeAndLabelsTheSign) {
    const ChartReading negative{4, 12.5f, -3.0f, -2.5e-9f};
    const ChartPoint point = chartPointFor(negative, true);
    EXPECT_FLOAT_EQ(point.y, 2.5e-9f);
    EXPECT_EQ(point.label, "-");
    EXPECT_FLOAT_EQ(point.x, 12.5f);
    EXPECT_FLOAT_EQ(point.voltage, -3.0f);
    EXPECT_FLOAT_EQ(point.time, 12.5f);

    EXPECT_FLOAT_EQ(chartPointFor(negative, false).x, -3.0f);
    EXPECT_EQ(chartPointFor({1, 0.0f, 0.0f, 0.0f}, true).label, "+");
    EXPECT_EQ(chartPointFor({1, 0.0f, 0.0f, -0.0f}, true).label, "+");
    EXPECT_EQ(chartPointFor({1, 0.0f, 0.0f, 1e-12f}, true).label, "+");
}

} // namespace
} // namespace chart
