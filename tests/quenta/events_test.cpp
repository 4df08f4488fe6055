// Events raised from text1's keyboard, mouse and drag-and-drop events.

#include "control_window.h"
#include "qt_print.h"
#include "quenta/quenta.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using quenta::Quenta;
using quentatest::ControlWindow;

TEST(Events, AClickRaisesMouseDownMouseUpThenClick) {
    ControlWindow window;
    QStringList raised;
    QObject::connect(&window.control(), &Quenta::MouseDown,
                     [&](qint16& button, qint16& shift, float& x, float&) {
                         raised << QStringLiteral("MouseDown %1 %2").arg(button).arg(shift);
                         EXPECT_FLOAT_EQ(x, 5 * 1440.0f / window.text1().logicalDpiX());
                     });
    QObject::connect(&window.control(), &Quenta::MouseUp,
                     [&](qint16& button, qint16&, float&, float&) {
                         raised << QStringLiteral("MouseUp %1").arg(button);
                     });
    QObject::connect(&window.control(), &Quenta::Click, [&] { raised << "Click"; });
    QObject::connect(&window.control(), &Quenta::DblClick, [&] { raised << "DblClick"; });
    QTest::mouseClick(&window.text1(), Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
    EXPECT_EQ(raised, (QStringList{"MouseDown 1 1", "MouseUp 1", "Click"}));
    raised.clear();
    // The release that ends a double click raises no Click.
    QTest::mouseDClick(&window.text1(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&window.text1(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(raised.mid(raised.indexOf("DblClick")), (QStringList{"DblClick", "MouseUp 1"}));
}

TEST(Events, KeysCarryVirtualKeyCodesAndShiftBits) {
    ControlWindow window;
    QList<int> downs;
    QList<int> ups;
    QObject::connect(&window.control(), &Quenta::KeyDown,
                     [&](qint16& code, qint16& shift) { downs << code << shift; });
    QObject::connect(&window.control(), &Quenta::KeyUp,
                     [&](qint16& code, qint16& shift) { ups << code << shift; });
    window.enter();
    QTest::keyClick(&window.text1(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&window.text1(), Qt::Key_Left);
    QTest::keyClick(&window.text1(), Qt::Key_5, Qt::KeypadModifier);
    // The Ctrl key itself is a key too.
    EXPECT_EQ(downs, (QList<int>{17, 2, 65, 2, 37, 0, 101, 0}));
    EXPECT_EQ(ups, (QList<int>{65, 2, 17, 0, 37, 0, 101, 0}));
}

TEST(Events, ValidateControlsRaisesValidateForTheFocusedField) {
    ControlWindow window;
    int validations = 0;
    QObject::connect(&window.control(), &Quenta::Validate, [&](bool& cancel) {
        ++validations;
        cancel = true;
    });
    EXPECT_TRUE(window.control().ValidateControls()); // not focused: nothing to validate
    window.enter();
    EXPECT_FALSE(window.control().ValidateControls());
    EXPECT_EQ(validations, 1);
}

TEST(Events, ADragRefusedByOLEStartDragCompletesWithNoEffect) {
    Quenta control;
    QList<int> completed;
    QObject::connect(&control, &Quenta::OLEStartDrag, [](QMimeData& data, qint32& allowed) {
        data.setText("x");
        allowed = 0;
    });
    QObject::connect(&control, &Quenta::OLECompleteDrag,
                     [&](qint32& effect) { completed << effect; });
    control.OLEDrag();
    EXPECT_EQ(completed, QList<int>{0});
}

TEST(Events, AManualDropIsLeftToTheHandlers) {
    Quenta control;
    control.setText("7");
    control.setOLEDropMode(1);
    QLineEdit& text1 = *control.findChild<QLineEdit*>("text1");
    QStringList raised;
    QObject::connect(
        &control, &Quenta::OLEDragOver,
        [&](const QMimeData& data, qint32& effect, qint16&, qint16&, float&, float&,
            qint16& state) {
            raised << QStringLiteral("Over %1 %2 %3").arg(state).arg(effect).arg(data.text());
            effect = 1;
        });
    QObject::connect(&control, &Quenta::OLEDragDrop,
                     [&](const QMimeData& data, qint32& effect, qint16&, qint16&, float&, float&) {
                         raised << QStringLiteral("Drop %1 %2").arg(effect).arg(data.text());
                         effect = 1;
                     });
    QMimeData data;
    data.setText("42");
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&text1, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&text1, &drop);
    EXPECT_EQ(raised, (QStringList{"Over 0 3 42", "Drop 3 42"}));
    EXPECT_EQ(control.Text(), "7");
}

} // namespace
