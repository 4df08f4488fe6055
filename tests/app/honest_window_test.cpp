// The real main window when the instrument or its driver lets it down: what it says, and that
// no button, menu command or timer tick ends the program.

#include "app/panel/config_panel.h"
#include "app/panel/option_group.h"
#include "app/window/lamp.h"
#include "app/window/main_menus.h"
#include "app/window/status_row.h"
#include "hp4140/status_byte.h"
#include "quenta/quenta.h"
#include "window_on_simulator.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace {

using apptest::Instrument;

class HonestWindow : public apptest::WindowOnSimulator {
protected:
    // An I-V sweep from 0 to 10 V in 1 V steps at 1 V/s: 11 readings in about 11 s.
    void chooseSweep() {
        app::ConfigPanel& config = window.configPanel();
        config.optionFunction().setSelected(1, true);
        config.optionRamp().setSelected(0, true);
        config.txtConfig(1)->setText("10");
        config.txtConfig(2)->setText("1");
        config.txtConfig(5)->setText("1");
    }

    // Every button and menu command a user can reach, but those that open documents or print;
    // Manual Control last, with every button of its window, which it closes again.
    void pressEverything() {
        for (QPushButton* button : window.findChildren<QPushButton*>())
            if (button->isEnabled() && button->objectName() != "cmdPrint" &&
                button->objectName() != "Command1")
                button->click();
        const app::MainMenus& menus = window.menus();
        for (QAction* command : {menus.itemLoadConfig, menus.itemSave, menus.itemSaveAs})
            command->trigger();
        window.controls().get<QPushButton>("Command1")->click();
        if (QDialog* manual = window.findChild<QDialog*>("frmManualControl")) {
            for (QPushButton* button : manual->findChildren<QPushButton*>())
                if (button->isEnabled())
                    button->click();
            manual->close();
        }
    }
};

TEST_F(HonestWindow, AnInstrumentLostMidRunIsShownUntilItAnswersAgain) {
    app::TestRunPanel& runs = panelFor(simulated);
    fault("no_listener_after", "7");
    chooseSweep();
    window.cmdStart()->click();
    clock.advance(std::chrono::seconds(30));
    EXPECT_TRUE(window.testRunning());
    EXPECT_TRUE(runs.notice().startsWith("Instrument not answering since "))
        << runs.notice().toStdString();
    EXPECT_TRUE(runs.notice().endsWith(" polls"));

    // The status row observes the device: it shows the last status that reached the window.
    const app::StatusRow& row = *window.leftColumn().statusRow();
    QLabel* spoll = row.lblSpoll();
    const QString lastStatus = spoll->text();
    ASSERT_TRUE(hp4140::status::has(lastStatus.toShort(), hp4140::status::kVoltageOutput))
        << lastStatus.toStdString();
    EXPECT_NE(row.shpVOutput()->fillColor(), app::Lamp::offColor());
    window.controls().get<QPushButton>("cmdSpoll")->click();
    EXPECT_EQ(spoll->text(), lastStatus); // a failed poll is no status of 0

    fault("no_listener_after", "0");
    clock.advance(std::chrono::seconds(1));
    EXPECT_FALSE(window.testRunning());
    EXPECT_TRUE(runs.notice().startsWith("The test ran to its end; 3 of 11 readings missing, "))
        << runs.notice().toStdString();
}

TEST_F(HonestWindow, NoButtonOrMenuCommandEndsTheProgramWithoutADriver) {
    Instrument missing{application, "/nonexistent/libgpib.so.0"};
    panelFor(missing);
    pressEverything();
    EXPECT_FALSE(window.testRunning());
    const auto& shown = box->shown();
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](const auto& message) {
        return message.text.find("You must install") != std::string::npos;
    }));
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](const auto& message) {
        return message.text.starts_with("48: "); // Zero, reported and survived
    }));
}

TEST_F(HonestWindow, NoButtonOrMenuCommandEndsTheProgramWithTheInstrumentLost) {
    panelFor(simulated);
    chooseSweep();
    window.cmdStart()->click();
    clock.advance(std::chrono::seconds(3));
    fault("no_listener", "1");
    clock.advance(std::chrono::seconds(3));
    pressEverything(); // Abort among them, then a new Start that cannot reach the instrument
    EXPECT_FALSE(window.testRunning());
    ASSERT_FALSE(box->shown().empty());
    EXPECT_TRUE(box->shown().back().text.starts_with("Instrument could not be enabled"));
    EXPECT_TRUE(std::filesystem::exists(programFolder / "run.txt"));
}

} // namespace
