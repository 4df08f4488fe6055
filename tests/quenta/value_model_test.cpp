// The control's own properties: creation, defaults, setters and their notifications, Value.

#include "qt_print.h"
#include "quenta/quenta.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using quenta::Quenta;

QStringList notifiedNames(const QSignalSpy& spy) {
    QStringList names;
    for (const QList<QVariant>& arguments : spy)
        names << arguments.at(0).toString();
    return names;
}

TEST(Creation, TheTextIsText1AndTheOwnPropertiesAreZero) {
    Quenta control;
    EXPECT_EQ(control.Text(), "Text1");
    EXPECT_EQ(control.ValType(), 0);
    EXPECT_EQ(control.FormatString(), "");
    EXPECT_FALSE(control.MaxLimitEnabled());
    ASSERT_NE(control.findChild<QLineEdit*>("text1"), nullptr);
}

TEST(Creation, ANewControlGetsTheDefaultsAndKeepsItsText) {
    Quenta control;
    control.setValType(4);
    control.setMax(5);
    control.setAutoSelect(true);
    control.InitProperties();
    EXPECT_EQ(control.Text(), "Text1");
    EXPECT_EQ(control.ValType(), 8);
    EXPECT_EQ(control.Max(), 0.0);
    EXPECT_EQ(control.Min(), 0.0);
    EXPECT_FALSE(control.MaxLimitEnabled());
    EXPECT_FALSE(control.MinLimitEnabled());
    EXPECT_FALSE(control.RoundToFormat());
    EXPECT_EQ(control.Exponent(), 0);
    EXPECT_FALSE(control.ExpLocked());
    EXPECT_FALSE(control.AutoSelect());
    EXPECT_EQ(control.BackColor(), 0x80000005u);
    EXPECT_EQ(control.ForeColor(), 0x80000008u);
    EXPECT_TRUE(control.Enabled());
    EXPECT_EQ(control.BorderStyle(), 1);
    EXPECT_EQ(control.Appearance(), 1);
    EXPECT_TRUE(control.CausesValidation());
    EXPECT_EQ(control.LinkTimeout(), 50);
    EXPECT_EQ(control.MaxLength(), 0);
    EXPECT_EQ(control.Value(), "Text1E0");
}

TEST(TextSet, ValidatesBeforeReturningAndNotifiesText) {
    Quenta control;
    control.InitProperties();
    control.setValType(4);
    control.setMax(100);
    control.setMaxLimitEnabled(true);
    QSignalSpy spy(&control, &Quenta::PropertyChanged);
    control.setText("250");
    EXPECT_EQ(control.Text(), "100");
    EXPECT_EQ(notifiedNames(spy), QStringList{"Text"});
}

TEST(Setters, ChangingARuleLeavesTheTextUntilTheNextValidation) {
    Quenta control;
    control.InitProperties();
    control.setValType(4);
    control.setText("50");
    control.setMax(10);
    control.setMaxLimitEnabled(true);
    control.setFormatString("0.00");
    EXPECT_EQ(control.Text(), "50");
    control.setText(control.Text());
    EXPECT_EQ(control.Text(), "10.00");
}

TEST(Setters, ExponentValidatesFirstAndNotifiesSecond) {
    Quenta control;
    control.InitProperties();
    control.setValType(4);
    control.setExpLocked(true);
    control.setMax(0.01);
    control.setMaxLimitEnabled(true);
    control.findChild<QLineEdit*>("text1")->setText("25");
    QString textWhenNotified;
    QObject::connect(&control, &Quenta::PropertyChanged, [&](const QString& name) {
        if (name == "Exponent")
            textWhenNotified = control.Text();
    });
    control.setExponent(-3);
    EXPECT_EQ(textWhenNotified, "10");
}

TEST(Setters, EachOwnSetterNotifiesExactlyItsPropertyName) {
    Quenta control;
    control.InitProperties();
    const QStringList names{"Text",         "ValType",         "Max",
                            "Min",          "MaxLimitEnabled", "MinLimitEnabled",
                            "FormatString", "RoundToFormat",   "Exponent",
                            "ExpLocked",    "AutoSelect"};
    for (const QString& name : names) {
        QSignalSpy spy(&control, &Quenta::PropertyChanged);
        const QByteArray latin = name.toLatin1();
        ASSERT_TRUE(control.setProperty(latin.constData(), control.property(latin.constData())))
            << latin.constData();
        EXPECT_EQ(notifiedNames(spy), QStringList{name});
    }
}

TEST(Value, IsTheTextWithTheExponentWhateverExpLockedSays) {
    Quenta control;
    control.InitProperties();
    control.setValType(4);
    control.setText("2.5");
    control.setExponent(-3);
    EXPECT_EQ(control.Value(), "2.5E-3");
    control.setExpLocked(true);
    EXPECT_EQ(control.Value(), "2.5E-3");
    control.setExponent(3);
    control.setExpLocked(false);
    control.setText("5");
    EXPECT_EQ(control.Value(), "5E3");
    control.setValType(8);
    control.setExponent(0);
    control.setText("");
    EXPECT_EQ(control.Value(), "E0");
}

TEST(Change, IsRaisedByTheValidationToo) {
    Quenta control;
    control.InitProperties();
    control.setValType(2);
    int changes = 0;
    QObject::connect(&control, &Quenta::Change, [&] { ++changes; });
    control.setText("2.5"); // "2.5" written, then "2"
    EXPECT_EQ(changes, 2);
    control.setText("2"); // nothing changes
    EXPECT_EQ(changes, 2);
}

} // namespace
