#include "diagnostics/qt_message_box.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

namespace mb = platform::mb;
using diagnostics::lookOf;

TEST(MessageBoxLook, ButtonsIconAndDefaultFollowTheStyle) {
    const auto look = lookOf(mb::YesNoCancel | mb::Question | mb::DefaultButton2);
    EXPECT_EQ(look.buttons, (std::vector<QMessageBox::StandardButton>{
                                QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}));
    EXPECT_EQ(look.icon, QMessageBox::Question);
    EXPECT_EQ(look.defaultButton, QMessageBox::No);

    const auto plain = lookOf(mb::OkOnly);
    EXPECT_EQ(plain.buttons, (std::vector<QMessageBox::StandardButton>{QMessageBox::Ok}));
    EXPECT_EQ(plain.icon, QMessageBox::NoIcon);

    EXPECT_EQ(lookOf(mb::AbortRetryIgnore | mb::Critical).icon, QMessageBox::Critical);
    EXPECT_EQ(lookOf(mb::OkOnly | mb::Exclamation).icon, QMessageBox::Warning);
    EXPECT_EQ(lookOf(mb::OkOnly | mb::Information).icon, QMessageBox::Information);
    EXPECT_EQ(lookOf(mb::RetryCancel | mb::DefaultButton2).defaultButton, QMessageBox::Cancel);
}

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    Qt::TextFormat format = Qt::AutoText;
};

// Once the box is up, does what a user does to it.
void whenShown(const std::function<void(QMessageBox&)>& act) {
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box)
            act(*box);
        else
            whenShown(act);
    });
}

// Once the box is up, notes what it shows and presses its default button, as Enter would.
void answerWithDefaultWhenShown(SeenBox& seen) {
    whenShown([&seen](QMessageBox& box) {
        seen = {box.windowTitle(), box.text(), box.icon(), static_cast<int>(box.buttons().size()),
                box.textFormat()};
        box.defaultButton()->click();
    });
}

TEST(QtMessageBox, ShowsTheTextPlainUnderTheApplicationsTitleAndAnswersTheDefault) {
    diagnostics::QtMessageBox box;
    SeenBox seen;
    answerWithDefaultWhenShown(seen);
    const int answer =
        box.show("Header:\r\n<b>A</b>", "", mb::YesNo | mb::Exclamation | mb::DefaultButton2);
    EXPECT_EQ(answer, mb::No);
    EXPECT_EQ(seen.title, "TARVIX-4140B");
    EXPECT_EQ(seen.text, "Header:\n<b>A</b>");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, 2);
    EXPECT_EQ(seen.format, Qt::PlainText);
}

TEST(QtMessageBox, AGivenTitleIsUsed) {
    diagnostics::QtMessageBox box;
    SeenBox seen;
    answerWithDefaultWhenShown(seen);
    EXPECT_EQ(box.show("text", "QE", mb::OkOnly), mb::Ok);
    EXPECT_EQ(seen.title, "QE");
}

TEST(QtMessageBox, AQuestionOffersTheCallersAnswersEnterTakesTheDefaultEscapeTheLast) {
    diagnostics::QtMessageBox box;
    const std::vector<std::string> answers{"Recover", "Discard", "Later"};
    SeenBox seen;
    answerWithDefaultWhenShown(seen);
    EXPECT_EQ(box.ask("Recover it?", answers, 1), 1u);
    EXPECT_EQ(seen.title, "TARVIX-4140B");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, 3);
    whenShown([](QMessageBox& shown) { QTest::keyClick(&shown, Qt::Key_Escape); });
    EXPECT_EQ(box.ask("Recover it?", answers, 0), 2u);
}

} // namespace
