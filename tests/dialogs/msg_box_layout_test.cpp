#include "diagnostics/msg_box_layout.h"

#include <gtest/gtest.h>

namespace {

using namespace diagnostics;

// 100 twips per character keeps the expected numbers easy to follow.
int hundredPerCharacter(const std::string& caption) {
    return 100 * static_cast<int>(caption.size());
}

TEST(MsgBoxLayout, ASingleButtonKeepsTheDesignedWidthAndIsCentred) {
    const MsgBoxLayout layout = layOutButtons({"Continue"}, hundredPerCharacter);
    ASSERT_EQ(layout.buttons.size(), 1u);
    EXPECT_EQ(layout.buttons[0].caption, "Continue");
    EXPECT_EQ(layout.buttons[0].width, 1215);
    EXPECT_EQ(layout.buttons[0].left, 1815);
    EXPECT_EQ(layout.clientWidth, 4845);
}

TEST(MsgBoxLayout, BlankCaptionsWidenTheGapBeforeTheNextButton) {
    const MsgBoxLayout layout = layOutButtons({"OK", "   ", "Cancel"}, hundredPerCharacter);
    ASSERT_EQ(layout.buttons.size(), 2u);
    const ButtonPlacement& ok = layout.buttons[0];
    const ButtonPlacement& cancel = layout.buttons[1];
    EXPECT_EQ(cancel.caption, "Cancel");
    EXPECT_EQ(cancel.width, 600 + 300);
    EXPECT_EQ(cancel.left - (ok.left + ok.width), 60);
    const int rowWidth = cancel.left + cancel.width - ok.left;
    EXPECT_EQ(ok.left, (4845 - rowWidth) / 2);
    EXPECT_EQ(ok.left, 1335);
}

TEST(MsgBoxLayout, ButtonsTouchWithoutBlanksAndGapsAddUpAcrossBlankEntries) {
    const MsgBoxLayout layout =
        layOutButtons({"A", "BB", "", " ", "  ", "C", "D"}, hundredPerCharacter);
    ASSERT_EQ(layout.buttons.size(), 4u);
    const auto rightOf = [&](std::size_t i) {
        return layout.buttons[i].left + layout.buttons[i].width;
    };
    EXPECT_EQ(layout.buttons[1].left, rightOf(0));
    EXPECT_EQ(layout.buttons[2].left, rightOf(1) + 3 * 20);
    EXPECT_EQ(layout.buttons[3].left, rightOf(2));
    EXPECT_EQ(layout.buttons[3].caption, "D");
}

TEST(MsgBoxLayout, TheFirstCaptionMakesAButtonEvenWhenBlank) {
    const MsgBoxLayout layout = layOutButtons({"  ", "Yes"}, hundredPerCharacter);
    ASSERT_EQ(layout.buttons.size(), 2u);
    EXPECT_EQ(layout.buttons[0].caption, "  ");
    EXPECT_EQ(layout.buttons[1].left, layout.buttons[0].left + 1215);
}

TEST(MsgBoxLayout, CaptionsKeepTheirOuterBlanks) {
    const MsgBoxLayout layout = layOutButtons({" Yes ", "No  "}, hundredPerCharacter);
    EXPECT_EQ(layout.buttons[0].caption, " Yes ");
    EXPECT_EQ(layout.buttons[1].caption, "No  ");
    EXPECT_EQ(layout.buttons[1].width, 400 + 300);
}

TEST(MsgBoxLayout, AHalfTwipOfCentringRoundsToEven) {
    // Row 1215 + 1 + 300 = 1516: (4845 - 1516) / 2 = 1664.5 -> 1664.
    EXPECT_EQ(layOutButtons({"A", "B"}, [](const std::string&) { return 1; }).buttons[0].left,
              1664);
    // Row 1215 + 3 + 300 = 1518: 1663.5 -> 1664.
    EXPECT_EQ(layOutButtons({"A", "B"}, [](const std::string&) { return 3; }).buttons[0].left,
              1664);
}

TEST(MsgBoxLayout, ARowTooWideForTheDialogWidensItSoEveryButtonShows) {
    const MsgBoxLayout fits = layOutButtons({"A", "B"}, [](const std::string&) { return 3330; });
    EXPECT_EQ(fits.clientWidth, 4845); // exactly as wide as the dialog
    EXPECT_EQ(fits.buttons[0].left, 0);

    const MsgBoxLayout tooWide =
        layOutButtons({"First", "Second choice", "Third choice", "Fourth"}, hundredPerCharacter);
    const ButtonPlacement& last = tooWide.buttons.back();
    EXPECT_EQ(tooWide.buttons.front().left, 240);
    EXPECT_EQ(last.left + last.width + 240, tooWide.clientWidth);
    EXPECT_EQ(tooWide.clientWidth, 1215 + 1600 + 1500 + 900 + 480);
}

TEST(MsgBoxLayout, NoCaptionsGiveOneOkButton) {
    const MsgBoxLayout layout = layOutButtons({}, hundredPerCharacter);
    ASSERT_EQ(layout.buttons.size(), 1u);
    EXPECT_EQ(layout.buttons[0].caption, "OK");
    EXPECT_EQ(layout.buttons[0].left, 1815);
}

} // namespace
