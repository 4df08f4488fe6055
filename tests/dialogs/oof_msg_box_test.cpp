#include "diagnostics/oof_msg_box.h"

#include "diagnostics/msg_box_layout.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

using diagnostics::oofMSGBox;
namespace flag = diagnostics::msgboxflag;

int twipsToPixels(int twips, int dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

// Shows the dialog modally and, once it is active, runs `whileOpen` on it. A dialog still open
// afterwards is closed, so a test never hangs; `stillOpen` tells whether that was needed.
struct ModalRun {
    QString result;
    bool stillOpen = false;
};

ModalRun runModal(const QString& prompt, std::int32_t flags, const QStringList& captions,
                  const std::function<void(oofMSGBox&)>& whileOpen) {
    ModalRun run;
    QTimer::singleShot(0, [&] {
        auto* box = dynamic_cast<oofMSGBox*>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no modal dialog";
            return;
        }
        EXPECT_TRUE(QTest::qWaitForWindowActive(box));
        whileOpen(*box);
        run.stillOpen = box->isVisible();
        if (run.stillOpen)
            box->close();
    });
    run.result = oofMSGBox::ShowModal(prompt, flags, captions);
    return run;
}

void pressKey(oofMSGBox& box, Qt::Key key) {
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused ? focused : &box, key);
}

const QStringList kYesNoCancel{"Yes", "No", "Cancel"};

TEST(oofMSGBox, FlagsZeroEscapePressesTheFirstButton) {
    const ModalRun run = runModal("Save?", 0, kYesNoCancel, [](oofMSGBox& box) {
        EXPECT_EQ(QApplication::focusWidget(), box.cmdButton().back());
        pressKey(box, Qt::Key_Escape);
    });
    EXPECT_FALSE(run.stillOpen);
    EXPECT_EQ(run.result, "Yes");
}

TEST(oofMSGBox, FlagsZeroEnterPressesTheLastButtonWhichHasTheFocus) {
    const ModalRun run = runModal("Save?", 0, kYesNoCancel, [](oofMSGBox& box) {
        EXPECT_TRUE(box.cmdButton().back()->isDefault());
        pressKey(box, Qt::Key_Return);
    });
    EXPECT_FALSE(run.stillOpen);
    EXPECT_EQ(run.result, "Cancel");
}

TEST(oofMSGBox, TheLastButtonComesFirstInTheTabOrder) {
    const ModalRun run = runModal("Save?", 0, kYesNoCancel, [](oofMSGBox& box) {
        pressKey(box, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), box.cmdButton()[0]);
        pressKey(box, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), box.cmdButton()[1]);
        pressKey(box, Qt::Key_Enter); // Enter presses the focused button
    });
    EXPECT_EQ(run.result, "No");
}

TEST(oofMSGBox, FlagsThreeEscapeAndEnterPressNothingAndTheDialogHasTheFocus) {
    const ModalRun run = runModal("Continue?", flag::NoCancelButton | flag::NoDefaultButton,
                                  kYesNoCancel, [](oofMSGBox& box) {
                                      EXPECT_EQ(QApplication::focusWidget(), &box);
                                      for (QPushButton* button : box.cmdButton())
                                          EXPECT_FALSE(button->isDefault());
                                      pressKey(box, Qt::Key_Escape);
                                      pressKey(box, Qt::Key_Return);
                                      pressKey(box, Qt::Key_Enter);
                                  });
    EXPECT_TRUE(run.stillOpen);
    EXPECT_EQ(run.result, "");
}

TEST(oofMSGBox, EachFlagAloneRemovesOnlyItsOwnKey) {
    const ModalRun noCancel = runModal("?", flag::NoCancelButton, kYesNoCancel,
                                       [](oofMSGBox& box) { pressKey(box, Qt::Key_Escape); });
    EXPECT_TRUE(noCancel.stillOpen);
    const ModalRun noDefault =
        runModal("?", flag::NoDefaultButton, kYesNoCancel, [](oofMSGBox& box) {
            pressKey(box, Qt::Key_Return);
            EXPECT_TRUE(box.isVisible());
            pressKey(box, Qt::Key_Escape);
        });
    EXPECT_FALSE(noDefault.stillOpen);
    EXPECT_EQ(noDefault.result, "Yes");
}

TEST(oofMSGBox, AClickReturnsTheCaptionExactlyWithItsBlanks) {
    const ModalRun run = runModal("?", 0, {" Yes ", "  ", "No  "}, [](oofMSGBox& box) {
        ASSERT_EQ(box.cmdButton().size(), 2u);
        QTest::mouseClick(box.cmdButton()[0], Qt::LeftButton);
    });
    EXPECT_EQ(run.result, " Yes ");
    EXPECT_EQ(
        runModal("?", 0, {" Yes ", "No  "},
                 [](oofMSGBox& box) { QTest::mouseClick(box.cmdButton()[1], Qt::LeftButton); })
            .result,
        "No  ");
}

TEST(oofMSGBox, ClosingWithoutAButtonReturnsAnEmptyCaption) {
    const ModalRun run = runModal("?", 0, kYesNoCancel, [](oofMSGBox& box) { box.close(); });
    EXPECT_FALSE(run.stillOpen);
    EXPECT_EQ(run.result, "");
}

TEST(oofMSGBox, KeepsTheDesignedSizesInPixels) {
    oofMSGBox box("Proceed with the measurement?", 0, {"OK"});
    const int dpiX = box.logicalDpiX();
    const int dpiY = box.logicalDpiY();
    EXPECT_EQ(box.windowTitle(), "TARVIX-4140B");
    EXPECT_EQ(box.size(), QSize(twipsToPixels(4845, dpiX), twipsToPixels(2055, dpiY)));
    EXPECT_EQ(box.lblPrompt()->text(), "Proceed with the measurement?");
    EXPECT_EQ(box.lblPrompt()->geometry(),
              QRect(twipsToPixels(240, dpiX), twipsToPixels(240, dpiY), twipsToPixels(4335, dpiX),
                    twipsToPixels(1095, dpiY)));
    ASSERT_EQ(box.cmdButton().size(), 1u);
    const QRect button = box.cmdButton()[0]->geometry();
    EXPECT_EQ(button.left(), twipsToPixels(1815, dpiX));
    EXPECT_EQ(button.right() + 1, twipsToPixels(1815 + 1215, dpiX));
    EXPECT_EQ(button.top(), twipsToPixels(1440, dpiY));
    EXPECT_EQ(button.height(), twipsToPixels(375, dpiY));
}

TEST(oofMSGBox, ThreeBlanksPutSixtyTwipsBetweenTwoCentredButtons) {
    oofMSGBox box("?", 0, {"OK", "   ", "Cancel"});
    ASSERT_EQ(box.cmdButton().size(), 2u);
    const QRect ok = box.cmdButton()[0]->geometry();
    const QRect cancel = box.cmdButton()[1]->geometry();
    const double pixelsPerTwip = box.logicalDpiX() / 1440.0;
    EXPECT_NEAR(cancel.left() - (ok.right() + 1), 60 * pixelsPerTwip, 1.0);
    EXPECT_NEAR(ok.left(), box.width() - (cancel.right() + 1), 1.0);
    EXPECT_GT(cancel.width(), QFontMetrics(box.font()).horizontalAdvance("Cancel"));
}

TEST(oofMSGBox, LargeTypeUsesTwelvePoints) {
    oofMSGBox box("?", flag::LargeType, kYesNoCancel);
    EXPECT_EQ(box.font().pointSize(), 12);
    EXPECT_EQ(box.lblPrompt()->font().pointSize(), 12);
    EXPECT_EQ(box.cmdButton()[0]->font().pointSize(), 12);
    oofMSGBox normal("?", 0, kYesNoCancel);
    EXPECT_GT(box.cmdButton()[2]->width(), normal.cmdButton()[2]->width());
}

} // namespace
