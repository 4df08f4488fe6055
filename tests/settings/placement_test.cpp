#include "settings/placement.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using settings::Rect;

namespace {

TEST(PlacementFile, NamePathOrDefault) {
    const std::filesystem::path program = "/opt/tarvix";
    EXPECT_EQ(settings::placementFile("", "frmMain", program), "/opt/tarvix/frmMain.ini");
    EXPECT_EQ(settings::placementFile("oofLog", "frmMain", program), "/opt/tarvix/oofLog.ini");
    EXPECT_EQ(settings::placementFile("/data/my place.ini", "frmMain", program),
              "/data/my place.ini");
    EXPECT_EQ(settings::placementFile("/data/ sub /", "frmMain", program),
              "/data/ sub /frmMain.ini");
}

TEST(Twips, FifteenPerPixelAtNinetySixDotsPerInch) {
    EXPECT_EQ(settings::pixelsToTwips(Rect{100, -20, 640, 480}, 96.0),
              (Rect{1500, -300, 9600, 7200}));
    EXPECT_EQ(settings::twipsToPixels(Rect{1500, -300, 9600, 7200}, 96.0),
              (Rect{100, -20, 640, 480}));
    EXPECT_EQ(settings::twipsToPixels(1440, 120.0), 120);
    EXPECT_EQ(settings::twipsToPixels(1000, 96.0), 67); // 66.67 rounds to the nearest pixel
}

TEST(ClampToScreens, KeepsAWindowOnAnAvailableScreen) {
    const std::vector<Rect> screens{{0, 0, 1920, 1050}, {1920, 0, 1280, 1000}};
    EXPECT_EQ(settings::clampToScreens({100, 100, 800, 600}, screens), (Rect{100, 100, 800, 600}));
    // Mostly on the second screen, hanging off its right edge.
    EXPECT_EQ(settings::clampToScreens({3000, 100, 800, 600}, screens),
              (Rect{2400, 100, 800, 600}));
    // On no screen at all (a monitor that is gone): onto the first.
    EXPECT_EQ(settings::clampToScreens({-5000, -900, 800, 600}, screens), (Rect{0, 0, 800, 600}));
    // Larger than the screen: shrunk to it.
    EXPECT_EQ(settings::clampToScreens({10, 10, 4000, 3000}, screens), (Rect{0, 0, 1920, 1050}));
    EXPECT_EQ(settings::clampToScreens({-5, 7, 30, 40}, {}), (Rect{-5, 7, 30, 40}));
}

} // namespace
