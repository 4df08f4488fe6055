// "Manual Control" on the simulated instrument: a spot reading to check a probe's contact, with
// VA applied and read by hand, nothing filed, and the instrument idle once the window closes.

#include "app/window/manual_control_window.h"
#include "quenta/quenta.h"
#include "window_on_simulator.h"

#include <QLabel>
#include <QPushButton>

namespace {

class ManualControl : public apptest::WindowOnSimulator {
protected:
    ManualControl() { panelFor(simulated); }

    // The commands the instrument received, one a line, the last with a line end too.
    std::string sent() const {
        return sim.call<const char*(int)>("gpibsim_last_commands", 64) + std::string("\n");
    }
    app::ManualControlWindow* open() {
        window.controls().get<QPushButton>("Command1")->click();
        return panel->manualControl();
    }
};

TEST_F(ManualControl, ASpotReadingHoldsVAReadsByHandAndLeavesTheInstrumentIdle) {
    app::ManualControlWindow* manual = open();
    ASSERT_NE(manual, nullptr);
    EXPECT_FALSE(window.cmdStart()->isEnabled()); // no test while it holds the instrument
    EXPECT_FALSE(manual->cmdRead()->isEnabled()); // nothing to read with the output off
    manual->findChildren<quenta::Quenta*>().front()->setText("2.5");
    manual->cmdOutputOn()->click();
    for (const char* command : {"F1", "A5", "PA2.5", "PH0.0", "W1"})
        EXPECT_NE(("\n" + sent()).find("\n" + std::string(command) + "\n"), std::string::npos)
            << command;
    EXPECT_EQ(sim.call<int()>("gpibsim_output_on"), 1);
    manual->cmdRead()->click();
    EXPECT_TRUE(manual->lblReading()->text().endsWith(" A"))
        << manual->lblReading()->text().toStdString();
    EXPECT_EQ(application.readings().Count(), 0u); // nothing is filed

    EXPECT_EQ(panel->cmdStart_Click(), testrun::StartResult::Cancelled);
    manual->close();
    EXPECT_EQ(panel->manualControl(), nullptr);
    const std::string idle = sent().substr(sent().rfind("\nW1\n"));
    for (const char* command : {"W7", "D0", "F1", "T1"})
        EXPECT_NE(idle.find("\n" + std::string(command) + "\n"), std::string::npos) << command;
    EXPECT_EQ(sim.call<int()>("gpibsim_output_on"), 0);
    EXPECT_EQ(sim.call<int()>("gpibsim_remote"), 0);
    EXPECT_TRUE(window.cmdStart()->isEnabled());

    window.configPanel().txtSampleRate()->setText("1");
    window.configPanel().txtTotalTestTime()->setText("3");
    window.cmdStart()->click();
    EXPECT_FALSE(window.controls().get<QPushButton>("Command1")->isEnabled());
    runToEnd();
    EXPECT_TRUE(window.controls().get<QPushButton>("Command1")->isEnabled());
}

} // namespace
