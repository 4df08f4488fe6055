#pragma once

// The real main window against the simulated instrument, loaded through the real driver binding,
// in virtual time, with scripted file dialogs and a message box that records.

#include "app/application.h"
#include "app/datafile/file_dialogs.h"
#include "app/panel/config_panel.h"
#include "app/panel/field_descriptions.h"
#include "app/panel/option_group.h"
#include "app/runtime/simulator_time.h"
#include "app/runtime/virtual_run.h"
#include "app/window/frm_main.h"
#include "app/window/left_column.h"
#include "app/window/test_run_panel.h"
#include "platform/message_box.h"
#include "platform/timer.h"
#include "program_folder_support.h"
#include "quenta/quenta.h"
#include "support/sim_library.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace apptest {

class SimulatedWindow : public testing::Test {
protected:
    SimulatedWindow() {
        auto timer = std::make_unique<platform::VirtualTimer>(clock);
        window.setTimer1(std::move(timer));
        panel = std::make_unique<app::TestRunPanel>(
            application, window, app::TestRunPanel::Instrument{gpib, device, clock}, nullptr);
        window.leftColumn().txtPathToData()->setText(
            QString::fromStdString((folder / "run.txt").string()));
    }

    void setField(quenta::Quenta* field, const char* text) { field->setText(text); }

    // The simulator's diode swept from 0 to 1 V in 0.05 V steps at 0.1 V/s: 21 readings, the
    // forward current reaching the 10 mA limit at the end.
    void chooseDiodeSweep() {
        app::ConfigPanel& config = window.configPanel();
        config.optionFunction().setSelected(1, true);
        config.optionRamp().setSelected(0, true);
        setField(config.txtConfig(1), "1");
        setField(config.txtConfig(2), "0.05");
        setField(config.txtConfig(5), "0.1");
    }

    void runToEnd() {
        runtime::runInVirtualTime(
            clock, [this] { return panel->run().TestRunning(); },
            [] { QApplication::processEvents(); });
    }

    void runUntilReadings(std::int32_t count) {
        runtime::runInVirtualTime(
            clock, [&] { return panel->run().TestRunning() && panel->run().iMeasIndex() < count; },
            [] { QApplication::processEvents(); });
    }

    std::size_t dataLines() {
        const std::string text = testsupport::fileText(folder / "run.txt");
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    }

    testsupport::TempFolder folder;
    ScopedProgramFolder programFolder; // what the window reads and writes stays in here
    testsupport::SimLibrary sim;
    // The program's objects as a dry run on the simulator has them.
    app::Application application{{testsupport::simulatorPath()}, 0, true};
    platform::VirtualClock& clock = *application.virtualClock();
    bus::GpibCalls& calls = application.calls();
    runtime::SimulatorTime simulatorTime{calls, clock};
    bus::Gpib& gpib = application.gpib();
    bus::GPIBDevice& device = application.device();
    app::ScriptedFileDialogs* dialogs = nullptr; // the window's, answering from a script
    app::frmMain window{application, app::FieldDescriptions::load(app::kMainWindowFields),
                        scriptedDialogs()};
    std::unique_ptr<app::TestRunPanel> panel;
    platform::ScopedRecordingMessageBox box;

private:
    std::unique_ptr<app::FileDialogs> scriptedDialogs() {
        auto scripted = std::make_unique<app::ScriptedFileDialogs>();
        dialogs = scripted.get();
        return scripted;
    }
};

} // namespace apptest
