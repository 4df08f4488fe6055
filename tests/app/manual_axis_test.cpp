#include "app/chart/manual_axis.h"

#include <gtest/gtest.h>

namespace chart {
namespace {

struct AxisCase {
    float a;
    float b;
    ManualXAxis expected;
};

void expectAxis(const ManualXAxis& actual, const AxisCase& c) {
    SCOPED_TRACE(testing::Message() << "limits " << c.a << " and " << c.b);
    EXPECT_FLOAT_EQ(actual.min, c.expected.min);
    EXPECT_FLOAT_EQ(actual.max, c.expected.max);
    EXPECT_FLOAT_EQ(actual.ticks, c.expected.ticks);
    EXPECT_EQ(actual.minorTicks, c.expected.minorTicks);
}

TEST(ManualTimeAxis, RoundsOutwardsToTheUnitOfTheSpan) {
    const AxisCase cases[] = {
        {0.0f, 50.0f, {0.0f, 50.0f, 5.0f, -9}},
        {5.0f, 200.0f, {0.0f, 240.0f, 4.0f, -5}},
        {3.2f, 7.9f, {3.0f, 8.0f, 5.0f, 0}},
        {200.0f, 5.0f, {0.0f, 240.0f, 4.0f, -5}}, // either order
        {0.0f, 90.0f, {0.0f, 90.0f, 9.0f, -9}},   // 90 s still rounds to 10 s
        {0.0f, 90.5f, {0.0f, 120.0f, 2.0f, -5}},
        {0.0f, 10.0f, {0.0f, 10.0f, 10.0f, 0}},
        {0.0f, 15000.0f, {0.0f, 15000.0f, 250.0f, -5}},
    };
    for (const AxisCase& c : cases)
        expectAxis(manualTimeAxis(c.a, c.b), c);
}

TEST(ManualTimeAxis, EqualLimitsWidenToOneUnit) {
    expectAxis(manualTimeAxis(5.0f, 5.0f), {5.0f, 5.0f, {5.0f, 6.0f, 1.0f, 0}});
    expectAxis(manualTimeAxis(0.0f, 0.0f), {0.0f, 0.0f, {0.0f, 1.0f, 1.0f, 0}});
}

TEST(ManualVoltageAxis, CountsTicksFromZeroWhenTheRangeHoldsIt) {
    const AxisCase cases[] = {
        {-100.0f, 100.0f, {-100.0f, 100.0f, 2.0f, -4}}, // tick base 0..100, unrounded
        {-100.0f, 0.0f, {-100.0f, 0.0f, 10.0f, -9}},    // a span of exactly 100 V
        {-7.0f, 45.0f, {-10.0f, 50.0f, 5.0f, -9}},      // tick base 0..45 rounded to 0..50
        {-30.0f, 80.0f, {-50.0f, 100.0f, 1.6f, -4}},    // coarse: 0..80 / 50
        {-3.5f, 2.2f, {-4.0f, 3.0f, 4.0f, 0}},          // tick base 0..3.5 rounded to 0..4
        {20.0f, -50.0f, {-50.0f, 20.0f, 5.0f, -9}},     // either order: 0..50
        {-90.0f, -20.0f, {-90.0f, -20.0f, 7.0f, -9}},   // all below zero
    };
    for (const AxisCase& c : cases)
        expectAxis(manualVoltageAxis(c.a, c.b), c);
}

TEST(ManualVoltageAxis, EqualLimitsWidenToOneUnit) {
    expectAxis(manualVoltageAxis(5.0f, 5.0f), {5.0f, 5.0f, {5.0f, 6.0f, 1.0f, 0}});
}

TEST(ManualTickLayout, PutsMajorTicksOneRoundingUnitApart) {
    const struct {
        std::int16_t minor;
        double span;
        double step;
        int subTicks;
    } cases[] = {{-9, 50.0, 10.0, 9}, {-5, 240.0, 60.0, 5}, {-4, 200.0, 50.0, 4}, {0, 5.0, 1.0, 0}};
    for (const auto& c : cases) {
        const TickLayout layout = manualTickLayout(c.minor, 0.0f, c.span, 12);
        EXPECT_DOUBLE_EQ(layout.step, c.step) << c.minor;
        EXPECT_EQ(layout.subTicks, c.subTicks) << c.minor;
    }
}

TEST(ManualTickLayout, ACrowdedAxisStepsByMultiplesOfTheUnit) {
    // 0..15000 s would carry 250 labels a minute apart.
    const TickLayout hours = manualTickLayout(-5, 250.0f, 15000.0, 12);
    EXPECT_DOUBLE_EQ(hours.step, 3000.0);
    EXPECT_EQ(hours.subTicks, 4);
    const TickLayout twoMinutes = manualTickLayout(-5, 20.0f, 1200.0, 12);
    EXPECT_DOUBLE_EQ(twoMinutes.step, 120.0);
    EXPECT_EQ(twoMinutes.subTicks, 1);
}

TEST(ManualTickLayout, AnUnknownMinorSettingDividesBySpanAndTicks) {
    const TickLayout layout = manualTickLayout(3, 4.0f, 100.0, 12);
    EXPECT_DOUBLE_EQ(layout.step, 25.0);
    EXPECT_EQ(layout.subTicks, 0);
}

TEST(ManualYAxis, OrdersTheTwoSelections) {
    const ManualYAxis axis = manualYAxis({"1E-3", 13}, {"1E-15", 1}, false);
    EXPECT_DOUBLE_EQ(axis.min, 1e-15);
    EXPECT_DOUBLE_EQ(axis.max, 1e-3);
    EXPECT_EQ(axis.ticks, 10);
}

TEST(ManualYAxis, EqualSelectionsWidenToADecade) {
    for (const bool logarithmic : {false, true}) {
        const ManualYAxis axis = manualYAxis({"1E-9", 7}, {"1E-9", 7}, logarithmic);
        EXPECT_DOUBLE_EQ(axis.min, 1e-9);
        EXPECT_DOUBLE_EQ(axis.max, 1e-8);
    }
}

TEST(ManualYAxis, NineIntervalsForNeighbouringSelectionsTenOtherwise) {
    EXPECT_EQ(manualYAxis({"1E-9", 7}, {"1E-9", 7}, false).ticks, 9);
    EXPECT_EQ(manualYAxis({"1E-9", 7}, {"1E-8", 8}, false).ticks, 9);
    EXPECT_EQ(manualYAxis({"1E-7", 9}, {"1E-9", 7}, false).ticks, 10);
    EXPECT_EQ(manualYAxis({"1E-7", 9}, {"1E-9", 7}, true).ticks, std::nullopt);
}

} // namespace
} // namespace chart
