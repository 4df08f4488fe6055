#include "app/chart/axis_range.h"
#include "app/chart/chart_points.h"
#include "app/chart/drawn_points.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace chart {
namespace {

void fill(ChartPoints& points, std::int32_t p, float x, float y) {
    points.set(p, &ChartPointRecord::x, x);
    points.set(p, &ChartPointRecord::y, y);
    points.set(p, &ChartPointRecord::mark, kMarkFilled);
}

std::vector<std::int32_t> numbersOf(const DrawnPoints& drawn) {
    std::vector<std::int32_t> numbers;
    for (const DrawnPoint& point : drawn.points())
        numbers.push_back(point.number);
    return numbers;
}

TEST(ChartPoints, AWriteBeyondTheCountGrowsWithUnfilledPointsBetween) {
    ChartPoints points;
    points.setCount(120);
    points.set(125, &ChartPointRecord::y, 2.0f);
    EXPECT_EQ(points.count(), 125);
    EXPECT_FLOAT_EQ(points.at(125).y, 2.0f);
    EXPECT_EQ(points.at(121).mark, kMarkNotFilled);
}

// The count used to be a 16-bit number: an I test of 6000 s read every 0.1 s overflowed it.
TEST(ChartPoints, HoldsMoreThanASixteenBitCount) {
    ChartPoints points;
    for (std::int32_t p = 1; p <= 60000; ++p)
        points.set(p, &ChartPointRecord::y, static_cast<float>(p));
    EXPECT_EQ(points.count(), 60000);
    EXPECT_FLOAT_EQ(points.at(32768).y, 32768.0f);
    EXPECT_FLOAT_EQ(points.at(60000).y, 60000.0f);
}

TEST(ChartPoints, NumbersOutsideTheRangeAreIgnored) {
    ChartPoints points;
    points.set(0, &ChartPointRecord::y, 1.0f);
    points.set(-3, &ChartPointRecord::y, 1.0f);
    points.set(ChartPoints::kMaxCount + 1, &ChartPointRecord::y, 1.0f);
    points.setCount(-5);
    EXPECT_EQ(points.count(), 0);
    EXPECT_FLOAT_EQ(points.at(0).y, 0.0f);
    EXPECT_EQ(points.at(7).mark, kMarkNotFilled);
}

TEST(ChartPoints, LabelsReadBackAndEqualTextsShareOneNumber) {
    ChartPoints points;
    points.setLabel(1, "-");
    points.setLabel(2, "+");
    points.setLabel(3, "-");
    EXPECT_EQ(points.label(1), "-");
    EXPECT_EQ(points.label(2), "+");
    EXPECT_EQ(points.at(1).label, points.at(3).label);
    EXPECT_EQ(points.label(4), "");
    EXPECT_EQ(points.labelTexts().size(), 3u); // with the empty text
    EXPECT_EQ(points.labelTexts().text(99), "");
}

TEST(DrawnPoints, NewPointsAtTheEndAreAppended) {
    ChartPoints points;
    points.setCount(100);
    DrawnPoints drawn;
    for (std::int32_t p = 1; p <= 5; ++p) {
        fill(points, p, static_cast<float>(p), 1.0f);
        const DrawnPoints::Update update = drawn.update(points, {}, false);
        EXPECT_FALSE(update.rebuilt);
        EXPECT_EQ(update.firstNew, static_cast<std::size_t>(p - 1));
    }
    EXPECT_EQ(drawn.points().size(), 5u);
    EXPECT_FALSE(drawn.update(points, {}, false).rebuilt);
}

TEST(DrawnPoints, ChangingAnEarlierPointRebuilds) {
    ChartPoints points;
    for (std::int32_t p = 1; p <= 4; ++p)
        fill(points, p, static_cast<float>(p), 1.0f);
    DrawnPoints drawn;
    drawn.update(points, {}, false);
    points.set(2, &ChartPointRecord::mark, kMarkNotFilled);
    EXPECT_TRUE(drawn.update(points, {}, false).rebuilt);
    EXPECT_EQ(numbersOf(drawn), (std::vector<std::int32_t>{1, 3, 4}));

    points.setCount(2); // drops point 3 and 4
    EXPECT_TRUE(drawn.update(points, {}, false).rebuilt);
    EXPECT_EQ(numbersOf(drawn), (std::vector<std::int32_t>{1}));
}

TEST(DrawnPoints, RewritingAnEqualValueChangesNothing) {
    ChartPoints points;
    fill(points, 1, 1.0f, 1.0f);
    fill(points, 2, 2.0f, 1.0f);
    DrawnPoints drawn;
    drawn.update(points, {}, false);
    points.set(1, &ChartPointRecord::mark, kMarkFilled);
    const DrawnPoints::Update update = drawn.update(points, {}, false);
    EXPECT_FALSE(update.rebuilt);
    EXPECT_EQ(update.firstNew, 2u);
}

TEST(DrawnPoints, RangesCoverTheDrawnPointsOnly) {
    ChartPoints points;
    fill(points, 1, 3.0f, 2e-9f);
    fill(points, 2, -1.0f, 5e-9f);
    points.set(3, &ChartPointRecord::y, 1.0f); // unfilled
    fill(points, 4, 7.0f, 1e-9f);
    DrawnPoints drawn;
    EXPECT_FALSE(drawn.keyRange().has_value());
    drawn.update(points, {}, false);
    EXPECT_DOUBLE_EQ(drawn.keyRange()->min, -1.0);
    EXPECT_DOUBLE_EQ(drawn.keyRange()->max, 7.0);
    EXPECT_FLOAT_EQ(static_cast<float>(drawn.valueRange()->min), 1e-9f);
    EXPECT_FLOAT_EQ(static_cast<float>(drawn.valueRange()->max), 5e-9f);
}

TEST(AxisRange, AFittedRangeHoldsEveryValueWithALittleRoom) {
    const AxisRange linear = fittedRange({2.0, 12.0}, false);
    EXPECT_LT(linear.lower, 2.0);
    EXPECT_GT(linear.upper, 12.0);
    EXPECT_LT(linear.upper - linear.lower, 12.0);

    const AxisRange logarithmic = fittedRange({1e-12, 1e-6}, true);
    EXPECT_GT(logarithmic.lower, 0.0);
    EXPECT_LT(logarithmic.lower, 1e-12);
    EXPECT_GT(logarithmic.upper, 1e-6);
    EXPECT_LT(logarithmic.upper, 1e-5);

    const AxisRange single = fittedRange({0.0, 0.0}, false);
    EXPECT_LT(single.lower, 0.0);
    EXPECT_GT(single.upper, 0.0);
    const AxisRange singleLog = fittedRange({1e-9, 1e-9}, true);
    EXPECT_LT(singleLog.lower, 1e-9);
    EXPECT_GT(singleLog.upper, 1e-9);
}

TEST(AxisRange, ManualLimitsAreOrderedAndNeverEmpty) {
    const auto reversed = manualRange(50.0, 0.0, false);
    ASSERT_TRUE(reversed);
    EXPECT_DOUBLE_EQ(reversed->lower, 0.0);
    EXPECT_DOUBLE_EQ(reversed->upper, 50.0);
    EXPECT_GT(manualRange(4.0, 4.0, false)->upper, 4.0);
    EXPECT_DOUBLE_EQ(manualRange(1e-9, 1e-9, true)->upper, 1e-8);
    EXPECT_FALSE(manualRange(0.0, 1e-3, true));
    EXPECT_FALSE(manualRange(INFINITY, 1.0, false));
}

} // namespace
} // namespace chart
