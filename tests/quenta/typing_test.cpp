// Typing into a field offscreen and leaving it, the way a user does, then reading the text.

#include "control_window.h"
#include "qt_print.h"
#include "support/comma_locale.h"

#include <QApplication>
#include <QLocale>
#include <QScopeGuard>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using quentatest::ControlWindow;
using quentatest::Leave;

struct Rules {
    qint32 valType = 8;
    std::optional<double> max = std::nullopt;
    std::optional<double> min = std::nullopt;
    QString format = {};
    qint32 exponent = 0;
    bool expLocked = false;
};

struct TypingCase {
    const char* name;
    Rules rules;
    const char* typed;
    const char* expected;
};

void apply(quenta::Quenta& control, const Rules& rules) {
    control.setValType(rules.valType);
    control.setMax(rules.max.value_or(0));
    control.setMaxLimitEnabled(rules.max.has_value());
    control.setMin(rules.min.value_or(0));
    control.setMinLimitEnabled(rules.min.has_value());
    control.setFormatString(rules.format);
    control.setExpLocked(rules.expLocked);
    control.setExponent(rules.exponent);
}

class Typing : public testing::TestWithParam<TypingCase> {};

TEST_P(Typing, LeavingTheFieldValidatesTheTypedText) {
    ControlWindow window;
    apply(window.control(), GetParam().rules);
    window.typeAndLeave(QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(window.control().Text(), QString::fromUtf8(GetParam().expected));
    EXPECT_TRUE(window.other().hasFocus());
}

std::string caseName(const testing::TestParamInfo<TypingCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, Typing,
    testing::Values(
        TypingCase{"SingleAboveMax", {.valType = 4, .max = 100}, "150", "100"},
        TypingCase{"SingleBelowMin", {.valType = 4, .min = -100}, "-1e3", "-100"},
        TypingCase{"SingleWithinLimits", {.valType = 4, .max = 100, .min = -100}, "-2.5e1", "-25"},
        TypingCase{"NoNumberReadsAsZeroThenLimited", {.valType = 4, .min = 0.1}, "abc", "0.1"},
        TypingCase{"Int16HalfDown", {.valType = 2}, "2.5", "2"},
        TypingCase{"Int16HalfUp", {.valType = 2}, "3.5", "4"},
        TypingCase{"Int16ClampedHigh", {.valType = 2}, "99999", "32767"},
        TypingCase{"Int16ClampedLow", {.valType = 2}, "-40000", "-32768"},
        TypingCase{"Int32ClampedLow", {.valType = 3}, "-3000000000", "-2147483648"},
        TypingCase{"Int32RoundsAfterTheLimit", {.valType = 3, .max = 10.4}, "11", "10"},
        TypingCase{"Int32Hexadecimal", {.valType = 3}, "&H1F", "31"},
        TypingCase{"DoubleBlanksSkipped", {.valType = 5}, "1 000", "1000"},
        TypingCase{"DoubleCommaEndsTheNumber", {.valType = 5}, "1,5", "1"},
        TypingCase{"DoubleSmallInExponentForm", {.valType = 5}, "0.00000025", "2.5E-07"},
        TypingCase{"DoubleBeyondRangeThenLimited", {.valType = 5, .max = 1e300}, "1E999", "1E+300"},
        TypingCase{"TextKeptAsTyped", {.valType = 8, .max = 1, .min = 2}, "abc", "abc"},
        TypingCase{"TextIgnoresLimits", {.valType = 8, .max = 1, .min = 2}, "5", "5"},
        TypingCase{"TextPictureLaysOutNumbers", {.valType = 8, .format = "0.00"}, "3", "3.00"},
        TypingCase{"TextPictureKeepsOtherText", {.valType = 8, .format = "0.00"}, "abc", "abc"},
        TypingCase{"SinglePictureOne", {.valType = 4, .format = "###0.0#"}, "1", "1.0"},
        TypingCase{
            "SinglePictureLeadingNumber", {.valType = 4, .format = "###0.0#"}, "12abc", "12.0"},
        TypingCase{"SinglePictureRounds", {.valType = 4, .format = "###0.0#"}, "1.234", "1.23"},
        TypingCase{"SinglePictureShortFraction", {.valType = 4, .format = "###0.0"}, "5", "5.0"},
        TypingCase{
            "MinAboveMaxGivesMinFromAbove", {.valType = 4, .max = 5, .min = 10}, "100", "10"},
        TypingCase{
            "MinAboveMaxGivesMinFromBetween", {.valType = 4, .max = 5, .min = 10}, "7", "10"},
        TypingCase{"MinAboveMaxGivesMinFromBelow", {.valType = 4, .max = 5, .min = 10}, "-3", "10"},
        TypingCase{"ExpLockedComparesInBaseUnits",
                   {.valType = 4, .max = 0.01, .exponent = -3, .expLocked = true},
                   "25",
                   "10"},
        TypingCase{"ExpLockedWithinLimit",
                   {.valType = 4, .max = 0.01, .exponent = -3, .expLocked = true},
                   "5",
                   "5"},
        TypingCase{"ExpUnlockedComparesTheTypedNumber",
                   {.valType = 4, .max = 100, .exponent = 3},
                   "5",
                   "5"},
        TypingCase{"ExpLockedMinInBaseUnits",
                   {.valType = 2, .min = 2000, .exponent = 3, .expLocked = true},
                   "1.4",
                   "2"},
        TypingCase{"ExpLockedBeyondDoubleRangeIsNotScaled",
                   {.valType = 4, .max = 1, .exponent = 400, .expLocked = true},
                   "5",
                   "1"}),
    caseName);

class LeavingBy : public testing::TestWithParam<Leave> {};

TEST_P(LeavingBy, EveryWayOfLeavingValidates) {
    ControlWindow window;
    apply(window.control(), {.valType = 4, .max = 100});
    window.typeAndLeave("150", GetParam());
    EXPECT_EQ(window.control().Text(), "100");
}

INSTANTIATE_TEST_SUITE_P(FocusMoves, LeavingBy,
                         testing::Values(Leave::SetFocus, Leave::Click, Leave::Tab,
                                         Leave::Deactivate));

TEST(Typing, AContextMenuDoesNotEndTheEditing) {
    ControlWindow window;
    apply(window.control(), {.valType = 4, .max = 100});
    window.enter();
    window.type("150");
    window.control().setAutoSelect(true);
    QFocusEvent menuOpens(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(&window.text1(), &menuOpens);
    QFocusEvent menuCloses(QEvent::FocusIn, Qt::PopupFocusReason);
    QApplication::sendEvent(&window.text1(), &menuCloses);
    EXPECT_EQ(window.control().Text(), "150");
    EXPECT_EQ(window.control().SelLength(), 0);
}

TEST(Typing, ACancelledValidateKeepsTheFocusAndTheText) {
    ControlWindow window;
    apply(window.control(), {.valType = 4, .max = 100});
    bool refuse = true;
    int validations = 0;
    QObject::connect(&window.control(), &quenta::Quenta::Validate, [&](bool& cancel) {
        ++validations;
        cancel = refuse;
    });
    window.typeAndLeave("150", Leave::Click);
    EXPECT_EQ(validations, 1);
    EXPECT_TRUE(window.text1().hasFocus());
    EXPECT_EQ(window.control().Text(), "150");

    refuse = false;
    window.leave(Leave::Tab);
    EXPECT_EQ(validations, 2);
    EXPECT_TRUE(window.other().hasFocus());
    EXPECT_EQ(window.control().Text(), "100");
}

TEST(Typing, TakingTheFocusBackLeavesTheOtherFieldAlone) {
    ControlWindow window;
    auto* next = new quenta::Quenta(&window.window());
    next->ReadProperties(quenta::PropertyBag{
        {"text", "500"}, {"max", 100}, {"maxlimitenabled", true}, {"valtype", 4}});
    next->setGeometry(10, 78, 120, 24);
    next->show();
    int nextValidations = 0;
    QObject::connect(next, &quenta::Quenta::Validate, [&](bool&) { ++nextValidations; });
    QObject::connect(&window.control(), &quenta::Quenta::Validate,
                     [](bool& cancel) { cancel = true; });
    window.enter();
    window.type("abc");
    QTest::mouseClick(next->findChild<QLineEdit*>("text1"), Qt::LeftButton);
    EXPECT_TRUE(window.text1().hasFocus());
    EXPECT_EQ(nextValidations, 0);
    EXPECT_EQ(next->Text(), "500");
}

TEST(Typing, FocusMovingToAFieldThatCausesNoValidationSkipsValidateNotTheLimits) {
    ControlWindow window;
    auto* next = new quenta::Quenta(&window.window());
    next->InitProperties();
    next->setCausesValidation(false);
    next->show();
    apply(window.control(), {.valType = 4, .max = 100});
    int validations = 0;
    QObject::connect(&window.control(), &quenta::Quenta::Validate, [&](bool&) { ++validations; });
    window.enter();
    window.type("150");
    next->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(validations, 0);
    EXPECT_EQ(window.control().Text(), "100");
}

TEST(Typing, AKeyPressHandlerThatZeroesKeyAsciiKeepsTheCharacterOut) {
    ControlWindow window;
    QObject::connect(&window.control(), &quenta::Quenta::KeyPress, [](qint16& keyAscii) {
        if (keyAscii == 'x')
            keyAscii = 0;
        else if (keyAscii == 'a')
            keyAscii = 'A';
    });
    window.enter();
    window.type("1x2ax");
    EXPECT_EQ(window.text1().text(), "12A");
}

TEST(Typing, AKeyDownHandlerThatZeroesKeyCodeKeepsTheKeyOut) {
    ControlWindow window;
    window.control().setText("123");
    QObject::connect(&window.control(), &quenta::Quenta::KeyDown, [](qint16& keyCode, qint16&) {
        if (keyCode == 8) // Backspace
            keyCode = 0;
    });
    window.enter();
    window.text1().end(false);
    QTest::keyClick(&window.text1(), Qt::Key_Backspace);
    QTest::keyClick(&window.text1(), Qt::Key_4);
    EXPECT_EQ(window.text1().text(), "1234");
}

TEST(Typing, AutoSelectSelectsTheWholeTextOnEntry) {
    ControlWindow window;
    window.control().setText("12.5");
    window.control().setAutoSelect(true);
    window.enter();
    EXPECT_EQ(window.control().SelStart(), 0);
    EXPECT_EQ(window.control().SelLength(), 4);

    window.leave(Leave::SetFocus);
    window.text1().setCursorPosition(1);
    window.control().setAutoSelect(false);
    window.enter();
    EXPECT_EQ(window.control().SelLength(), 0);
}

TEST(Typing, NumbersKeepTheFullStopUnderACommaLocale) {
    testsupport::CommaLocale comma;
    ASSERT_TRUE(comma.ok()) << "locale de_DE.UTF-8 is missing; scripts/setup.sh generates it";
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const auto restore = qScopeGuard([&] { QLocale::setDefault(previous); });
    ControlWindow window;
    apply(window.control(), {.valType = 5, .max = 1000, .format = "###0.0#"});
    window.typeAndLeave("2.5");
    EXPECT_EQ(window.control().Text(), "2.5");
    window.typeAndLeave("1,5");
    EXPECT_EQ(window.control().Text(), "1.0");
    window.typeAndLeave("1e4");
    EXPECT_EQ(window.control().Text(), "1000.0");
    window.control().setExponent(-3);
    EXPECT_EQ(window.control().Value(), "1000.0E-3");
}

} // namespace
