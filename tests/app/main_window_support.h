#pragma once

// The main window built from the program's own stored description, shown and active so the
// focus moves as a user's would.

#include "app/application.h"
#include "app/panel/config_panel.h"
#include "app/panel/field_descriptions.h"
#include "app/panel/option_group.h"
#include "app/window/frm_main.h"
#include "program_folder_support.h"
#include "quenta/quenta.h"

#include <QApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace apptest {

class MainWindow : public testing::Test {
protected:
    MainWindow() : window(application, app::FieldDescriptions::load(app::kMainWindowFields)) {}

    void activate() {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    app::ConfigPanel& panel() { return window.configPanel(); }
    quenta::Quenta* field(int i) { return panel().txtConfig(i); }
    QSlider* slider(int i) { return panel().sliderConfig(i); }

    // Types into the field as a user would and moves the focus on to the sample-rate field.
    void typeAndLeave(quenta::Quenta* target, const QString& typed) {
        activate();
        target->setFocus(Qt::TabFocusReason);
        auto* text1 = target->findChild<QLineEdit*>("text1");
        ASSERT_TRUE(text1->hasFocus());
        text1->selectAll();
        QTest::keyClick(text1, Qt::Key_Delete);
        QTest::keyClicks(text1, typed);
        panel().txtSampleRate()->setFocus(Qt::TabFocusReason);
    }

    ScopedProgramFolder programFolder; // what the window reads and writes stays in here
    app::Application application{{}, 0};
    app::frmMain window;
};

} // namespace apptest
