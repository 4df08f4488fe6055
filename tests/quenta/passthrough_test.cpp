// The text-box members passed on to text1.

#include "control_window.h"
#include "qt_print.h"
#include "quenta/dispatch_table.h"
#include "quenta/quenta.h"

#include <QApplication>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using quenta::Quenta;

QLineEdit& text1Of(Quenta& control) {
    return *control.findChild<QLineEdit*>("text1");
}

TEST(PassThrough, EverySetterNotifiesExactlyItsPropertyName) {
    Quenta control;
    control.InitProperties();
    const QMetaObject& meta = Quenta::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        if (!property.isWritable())
            continue;
        QSignalSpy spy(&control, &Quenta::PropertyChanged);
        ASSERT_TRUE(property.write(&control, property.read(&control))) << property.name();
        EXPECT_EQ(spy.size(), 1) << property.name();
        if (!spy.isEmpty()) {
            EXPECT_EQ(spy.at(0).at(0).toString(), property.name());
        }
    }
}

TEST(PassThrough, ColoursPaintText1AndKeepTheirValue) {
    Quenta control;
    QSignalSpy spy(&control, &Quenta::PropertyChanged);
    control.setBackColor(0x00112233);
    EXPECT_EQ(text1Of(control).palette().color(QPalette::Base), QColor(0x33, 0x22, 0x11));
    EXPECT_EQ(control.BackColor(), 0x00112233u);
    control.setForeColor(0x000000FF);
    EXPECT_EQ(text1Of(control).palette().color(QPalette::Text), QColor(Qt::red));
    control.setBackColor(quenta::SystemWindowBackground);
    EXPECT_EQ(text1Of(control).palette().color(QPalette::Base),
              QApplication::palette(&text1Of(control)).color(QPalette::Base));
    EXPECT_EQ(control.BackColor(), 0x80000005u);
    EXPECT_EQ(spy.size(), 3);
}

TEST(PassThrough, HWndNamesText1WithoutMakingItANativeWindow) {
    Quenta control;
    control.show();
    EXPECT_EQ(control.hWnd(), reinterpret_cast<quintptr>(&text1Of(control)));
    EXPECT_NE(control.hWnd(), reinterpret_cast<quintptr>(&control));
    EXPECT_FALSE(text1Of(control).testAttribute(Qt::WA_NativeWindow));
    EXPECT_EQ(text1Of(control).internalWinId(), 0u);
}

TEST(PassThrough, MaxLengthZeroMeansNoLimit) {
    quentatest::ControlWindow window;
    window.enter();
    window.type("1234567890");
    EXPECT_EQ(window.text1().text(), "1234567890");
    window.control().setMaxLength(3);
    window.type("12345");
    EXPECT_EQ(window.text1().text(), "123");
    window.control().setMaxLength(0);
    window.type("12345");
    EXPECT_EQ(window.text1().text(), "12345");
    window.control().setMaxLength(-4);
    EXPECT_EQ(window.control().MaxLength(), 0);
}

TEST(PassThrough, LockedAndPasswordCharActOnTheInput) {
    quentatest::ControlWindow window;
    window.control().setText("42");
    window.control().setLocked(true);
    window.enter();
    QTest::keyClicks(&window.text1(), "7");
    EXPECT_EQ(window.control().Text(), "42");
    window.control().setPasswordChar("*#");
    EXPECT_EQ(window.control().PasswordChar(), "*");
    EXPECT_EQ(window.text1().echoMode(), QLineEdit::Password);
    window.control().setPasswordChar("");
    EXPECT_EQ(window.text1().echoMode(), QLineEdit::Normal);
}

TEST(PassThrough, SelectionMembersWorkOnText1) {
    Quenta control;
    control.setText("12345");
    control.setSelStart(1);
    control.setSelLength(2);
    EXPECT_EQ(control.SelText(), "23");
    control.setSelText("x");
    EXPECT_EQ(control.Text(), "1x45");
    EXPECT_EQ(control.SelStart(), 2);
    EXPECT_EQ(control.SelLength(), 0);
    control.setSelStart(99);
    EXPECT_EQ(control.SelStart(), 4);
    control.setSelLength(99);
    EXPECT_EQ(control.SelLength(), 0);
}

TEST(PassThrough, FontMembersChangeText1sFont) {
    Quenta control;
    control.setFontBold(true);
    control.setFontSize(13.5f);
    control.setFontName("DejaVu Sans");
    control.setFontSize(0); // ignored
    const QFont font = text1Of(control).font();
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(font.pointSizeF(), 13.5);
    EXPECT_EQ(font.family(), "DejaVu Sans");
    EXPECT_EQ(control.Font(), font);
}

TEST(PassThrough, EnabledIsText1sOwnSettingNotTheContainers) {
    QWidget panel;
    auto* control = new Quenta(&panel);
    panel.setEnabled(false);
    EXPECT_TRUE(control->Enabled());
    control->setTextBoxEnabled(false);
    panel.setEnabled(true);
    EXPECT_FALSE(control->Enabled());
    EXPECT_FALSE(text1Of(*control).isEnabled());
}

TEST(PassThrough, AlignmentAndBorderStyleMapOntoTheLineEdit) {
    Quenta control;
    control.setAlignment(1);
    EXPECT_TRUE(text1Of(control).alignment().testFlag(Qt::AlignRight));
    EXPECT_EQ(control.Alignment(), 1);
    control.setAlignment(2);
    EXPECT_EQ(control.Alignment(), 2);
    control.setBorderStyle(0);
    EXPECT_FALSE(text1Of(control).hasFrame());
    EXPECT_EQ(control.BorderStyle(), 0);
}

TEST(PassThrough, DdeMethodsDoNothingAndSaySo) {
    Quenta control;
    control.setLinkTopic("Excel|Sheet1");
    EXPECT_FALSE(control.LinkSend());
    EXPECT_FALSE(control.LinkRequest());
    EXPECT_FALSE(control.LinkPoke());
    EXPECT_FALSE(control.LinkExecute("[Run]"));
    EXPECT_EQ(control.LinkTopic(), "Excel|Sheet1");
}

TEST(Sizing, ResizeIsRaisedBeforeText1FillsTheControl) {
    Quenta control;
    control.resize(80, 20);
    QRect text1WhenRaised;
    QObject::connect(&control, &Quenta::Resize,
                     [&] { text1WhenRaised = text1Of(control).geometry(); });
    control.show();
    control.resize(120, 30);
    EXPECT_EQ(text1WhenRaised, QRect(0, 0, 80, 20));
    EXPECT_EQ(text1Of(control).geometry(), QRect(0, 0, 120, 30));
}

} // namespace
