#pragma once

#include "quenta/quenta.h"

#include <QLineEdit>
#include <QWidget>

namespace quentatest {

// How the focus leaves a field.
enum class Leave { SetFocus, Click, Tab, Deactivate };

// A shown, active window holding one new control and a plain line edit to move the focus to.
class ControlWindow {
public:
    ControlWindow();

    quenta::Quenta& control() { return *control_; }
    QLineEdit& text1() { return *text1_; }
    QLineEdit& other() { return *other_; }
    QWidget& window() { return window_; }

    // Gives the field the focus, replaces its text by typing, and leaves it.
    void typeAndLeave(const QString& typed, Leave how = Leave::SetFocus);
    void enter();
    void type(const QString& typed);
    void leave(Leave how);

private:
    QWidget window_;
    quenta::Quenta* control_;
    QLineEdit* other_;
    QLineEdit* text1_;
};

} // namespace quentatest
