#include "app/chart/axis_range.h"
#include "app/chart/log_ticks.h"
#include "app/chart/tick_labels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace chart {
namespace {

std::vector<int> exponentsOf(const std::vector<double>& decades) {
    std::vector<int> exponents;
    for (const double decade : decades)
        exponents.push_back(static_cast<int>(std::lround(std::log10(decade))));
    return exponents;
}

std::vector<std::string> decadeLabels(const std::vector<double>& decades) {
    std::vector<std::string> labels;
    for (const int exponent : exponentsOf(decades))
        labels.push_back(decadeLabel(exponent));
    return labels;
}

// The current lists' full range on a chart tall enough for every decade, for every second one,
// and for every fifth one: always whole decades, evenly spaced, labelled as powers of ten.
TEST(LogTicks, ThirteenDecadesAreLabelledEvenlyAsPowersOfTen) {
    const AxisRange range{1e-15, 1e-3};
    const auto all = logTicks(range, 13);
    ASSERT_TRUE(all && all->decades);
    EXPECT_EQ(exponentsOf(all->major),
              (std::vector<int>{-15, -14, -13, -12, -11, -10, -9, -8, -7, -6, -5, -4, -3}));
    EXPECT_EQ(all->minor.size(), 12u * 8u); // 2 to 9 times each decade but the last

    const auto second = logTicks(range, 8);
    ASSERT_TRUE(second && second->decades);
    EXPECT_EQ(exponentsOf(second->major), (std::vector<int>{-14, -12, -10, -8, -6, -4}));
    EXPECT_EQ(decadeLabels(second->major),
              (std::vector<std::string>{"10⁻¹⁴", "10⁻¹²", "10⁻¹⁰", "10⁻⁸", "10⁻⁶", "10⁻⁴"}));
    EXPECT_EQ(exponentsOf(second->minor), (std::vector<int>{-15, -13, -11, -9, -7, -5, -3}));

    const auto fifth = logTicks(range, 3);
    ASSERT_TRUE(fifth);
    EXPECT_EQ(exponentsOf(fifth->major), (std::vector<int>{-15, -10, -5}));
    // Never fewer than two labels, however short the axis.
    EXPECT_EQ(exponentsOf(logTicks(range, 1)->major), (std::vector<int>{-15, -10, -5}));
}

TEST(LogTicks, ThreeDecadesGetEveryDecadeAndTheirDigitsAsSubTicks) {
    const auto ticks = logTicks({1e-12, 1e-10}, 8);
    ASSERT_TRUE(ticks && ticks->decades);
    EXPECT_EQ(decadeLabels(ticks->major), (std::vector<std::string>{"10⁻¹²", "10⁻¹¹", "10⁻¹⁰"}));
    EXPECT_EQ(ticks->minor.size(), 16u);
    EXPECT_EQ(decadeLabel(0), "10⁰");
    EXPECT_EQ(decadeLabel(3), "10³");
}

// Less than two decades in view (a zoom): ticks at 1, 2 and 5 times a decade, labelled with one
// common factor; deeper still the axis is ticked as a linear one.
TEST(LogTicks, ANarrowRangeGetsOneTwoFiveTicksWithOneFactor) {
    const auto ticks = logTicks({3e-12, 6e-11}, 8);
    ASSERT_TRUE(ticks);
    EXPECT_FALSE(ticks->decades);
    const TickLabels labels = linearTickLabels(ticks->major);
    EXPECT_EQ(labels.labels, (std::vector<std::string>{"5", "10", "20", "50"}));
    EXPECT_EQ(labels.factor, "×10⁻¹²");
    EXPECT_EQ(logTicks({3.1e-12, 3.2e-12}, 8), std::nullopt);
    EXPECT_EQ(logTicks({-1.0, 1.0}, 8), std::nullopt);
}

TEST(LinearTickLabels, TinyValuesShareOneFactorAndPlainOnesStayPlain) {
    // A C-V sweep of a few tens of picofarads.
    const TickLabels farads = linearTickLabels({0.0, 2e-11, 4e-11, 6e-11, 8e-11, 1e-10});
    EXPECT_EQ(farads.labels, (std::vector<std::string>{"0", "20", "40", "60", "80", "100"}));
    EXPECT_EQ(farads.factor, "×10⁻¹²");

    const TickLabels volts = linearTickLabels({-10.0, -5.0, 0.0, 5.0});
    EXPECT_EQ(volts.labels, (std::vector<std::string>{"-10", "-5", "0", "5"}));
    EXPECT_EQ(volts.factor, "");
    EXPECT_EQ(linearTickLabels({0.0, 0.25, 0.5}).labels,
              (std::vector<std::string>{"0.00", "0.25", "0.50"}));

    // Ten equal intervals of the manual axis from 1E-15 to 1E-3 A, and a tick a rounding error
    // below zero.
    std::vector<double> intervals;
    for (int i = 0; i <= 10; ++i)
        intervals.push_back(1e-15 + i * (1e-3 - 1e-15) / 10);
    const TickLabels amps = linearTickLabels(intervals);
    EXPECT_EQ(amps.labels.front(), "0.0");
    EXPECT_EQ(amps.labels[3], "0.3");
    EXPECT_EQ(amps.labels.back(), "1.0");
    EXPECT_EQ(amps.factor, "×10⁻³");
    EXPECT_EQ(linearTickLabels({-5e-11, -3e-27, 5e-11}).labels,
              (std::vector<std::string>{"-50", "0", "50"}));
    EXPECT_EQ(linearTickLabels({0.0, 2e5}).factor, "×10³");
}

TEST(Viewable, AViewMustBeInOrderWideEnoughAndPositiveWhenLogarithmic) {
    EXPECT_TRUE(viewable({1e-12, 2e-12}, true));
    EXPECT_FALSE(viewable({0.0, 1e-3}, true));
    EXPECT_FALSE(viewable({5.0, 5.0 + 1e-9}, false));
    EXPECT_FALSE(viewable({2.0, 1.0}, false));
    EXPECT_FALSE(viewable({0.0, INFINITY}, false));
}

} // namespace
} // namespace chart
