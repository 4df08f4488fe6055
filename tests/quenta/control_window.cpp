#include "control_window.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace quentatest {

namespace {

void activate(QWidget& window) {
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

} // namespace

ControlWindow::ControlWindow()
    : control_(new quenta::Quenta(&window_)), other_(new QLineEdit(&window_)),
      text1_(control_->findChild<QLineEdit*>(QStringLiteral("text1"))) {
    control_->InitProperties();
    window_.resize(200, 80);
    control_->setGeometry(10, 10, 120, 24);
    other_->setGeometry(10, 44, 120, 24);
    activate(window_);
    other_->setFocus(Qt::OtherFocusReason); // the field starts without the focus
}

void ControlWindow::enter() {
    if (!QApplication::activeWindow())
        activate(window_);
    control_->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(text1_->hasFocus());
}

void ControlWindow::type(const QString& typed) {
    text1_->selectAll();
    QTest::keyClick(text1_, Qt::Key_Delete);
    QTest::keyClicks(text1_, typed);
}

void ControlWindow::leave(Leave how) {
    switch (how) {
    case Leave::SetFocus:
        other_->setFocus(Qt::OtherFocusReason);
        break;
    case Leave::Click:
        QTest::mouseClick(other_, Qt::LeftButton);
        break;
    case Leave::Tab:
        QTest::keyClick(text1_, Qt::Key_Tab);
        break;
    case Leave::Deactivate: {
        QWidget elsewhere;
        activate(elsewhere);
        break;
    }
    }
}

void ControlWindow::typeAndLeave(const QString& typed, Leave how) {
    enter();
    type(typed);
    leave(how);
}

} // namespace quentatest
