#include "printing/print_fit.h"

#include <gtest/gtest.h>

namespace {

using namespace printing;

// A4 printable area in HIMETRIC, portrait and landscape.
constexpr double kPortraitW = 20000, kPortraitH = 28700;
constexpr double kLandscapeW = 28700, kLandscapeH = 20000;

TEST(PrintFit, AWindowWiderThanTallPrintsLandscape) {
    EXPECT_EQ(orientationFor(800, 600), PageOrientation::Landscape);
    EXPECT_EQ(orientationFor(600, 800), PageOrientation::Portrait);
    EXPECT_EQ(orientationFor(500, 500), PageOrientation::Portrait);
}

TEST(PrintFit, ALandscapeWindowRelativelyWiderThanThePageFillsItsWidth) {
    const auto fitted = fitToPage(3000, 1000, kLandscapeW, kLandscapeH);
    ASSERT_TRUE(fitted);
    EXPECT_DOUBLE_EQ(fitted->width, kLandscapeW);
    EXPECT_DOUBLE_EQ(fitted->height, kLandscapeW / 3);
}

TEST(PrintFit, ALandscapeWindowRelativelyNarrowerThanThePageFillsItsHeight) {
    const auto fitted = fitToPage(1200, 1000, kLandscapeW, kLandscapeH);
    ASSERT_TRUE(fitted);
    EXPECT_DOUBLE_EQ(fitted->height, kLandscapeH);
    EXPECT_DOUBLE_EQ(fitted->width, kLandscapeH * 1.2);
}

TEST(PrintFit, APortraitWindowFillsThePageHeightOrWidth) {
    const auto tall = fitToPage(1000, 2000, kPortraitW, kPortraitH);
    ASSERT_TRUE(tall);
    EXPECT_DOUBLE_EQ(tall->height, kPortraitH);
    EXPECT_DOUBLE_EQ(tall->width, kPortraitH / 2);
    const auto squat = fitToPage(1000, 1100, kPortraitW, kPortraitH);
    ASSERT_TRUE(squat);
    EXPECT_DOUBLE_EQ(squat->width, kPortraitW);
    EXPECT_DOUBLE_EQ(squat->height, kPortraitW * 1.1);
}

TEST(PrintFit, ExactlyThePagesAspectFillsBothDirections) {
    const auto fitted = fitToPage(287, 200, kLandscapeW, kLandscapeH);
    ASSERT_TRUE(fitted);
    EXPECT_DOUBLE_EQ(fitted->width, kLandscapeW);
    EXPECT_DOUBLE_EQ(fitted->height, kLandscapeH);
}

TEST(PrintFit, NeverLargerThanTheAreaAndKeepsTheAspect) {
    for (double w : {1.0, 37.0, 640.0, 1e6})
        for (double h : {1.0, 480.0, 3e5}) {
            const auto fitted = fitToPage(w, h, kPortraitW, kPortraitH);
            ASSERT_TRUE(fitted);
            EXPECT_LE(fitted->width, kPortraitW * (1 + 1e-12));
            EXPECT_LE(fitted->height, kPortraitH * (1 + 1e-12));
            EXPECT_NEAR(fitted->width / fitted->height, w / h, 1e-9 * w / h);
        }
}

TEST(PrintFit, ZeroOrNegativeSizesFitNothing) {
    EXPECT_FALSE(fitToPage(800, 0, kPortraitW, kPortraitH));
    EXPECT_FALSE(fitToPage(0, 600, kPortraitW, kPortraitH));
    EXPECT_FALSE(fitToPage(800, 600, kPortraitW, 0));
    EXPECT_FALSE(fitToPage(800, 600, -1, kPortraitH));
}

} // namespace
