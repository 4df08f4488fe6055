#pragma once

// The real main window on the simulated instrument, loaded through the real driver binding, in
// virtual time, in a program folder of its own, with file dialogs and message boxes that record
// and answer.

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
#include "platform/yield.h"
#include "program_folder_support.h"
#include "quenta/quenta.h"
#include "support/sim_library.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QLineEdit>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace apptest {

// The driver stack of one instrument, reporting to the application's diagnostics, on its
// virtual clock: the simulator, or a driver library that is not there.
struct Instrument {
    Instrument(app::Application& application, std::string driver)
        : binding({std::move(driver)}),
          gpib(calls, application.debugLog(), application.errorQueue()),
          device(gpib, application.errorQueue(), application.debugLog(),
                 *application.virtualClock(), yield) {}

    bus::DriverBinding binding;
    bus::GpibCalls calls{binding};
    bus::Gpib gpib;
    platform::CountingYield yield;
    bus::GPIBDevice device;
};

class WindowOnSimulator : public testing::Test {
protected:
    WindowOnSimulator() {
        window.setTimer1(std::make_unique<platform::VirtualTimer>(clock));
        window.leftColumn().txtPathToData()->setText(
            QString::fromStdString((programFolder / "run.txt").string()));
    }

    app::TestRunPanel& panelFor(Instrument& instrument) {
        panel = std::make_unique<app::TestRunPanel>(
            application, window,
            app::TestRunPanel::Instrument{instrument.gpib, instrument.device, clock}, nullptr);
        return *panel;
    }

    void fault(const char* name, const char* value) {
        sim.call<int(const char*, const char*)>("gpibsim_set_fault", name, value);
    }

    void setField(quenta::Quenta* field, const char* text) { field->setText(text); }
    // The data file goes to run.txt in the test's own folder, outside the program folder.
    void useOwnFolder() {
        window.leftColumn().txtPathToData()->setText(
            QString::fromStdString((folder / "run.txt").string()));
    }

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

    // Lines of the data file in the path box.
    std::size_t dataLines() const {
        const std::string text =
            testsupport::fileText(window.leftColumn().txtPathToData()->text().toStdString());
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    }

    testsupport::TempFolder folder; // the test's own files, outside the program folder
    ScopedProgramFolder programFolder;
    testsupport::SimLibrary sim;
    app::Application application{{}, 0, true};
    platform::VirtualClock& clock = *application.virtualClock();
    Instrument simulated{application, testsupport::simulatorPath()};
    runtime::SimulatorTime simulatorTime{simulated.calls, clock};
    std::unique_ptr<app::ScriptedFileDialogs> scriptedDialogs =
        std::make_unique<app::ScriptedFileDialogs>();
    app::ScriptedFileDialogs& dialogs = *scriptedDialogs; // the window's, kept for the test
    app::frmMain window{application, app::FieldDescriptions::load(app::kMainWindowFields),
                        std::move(scriptedDialogs)};
    std::unique_ptr<app::TestRunPanel> panel;
    platform::ScopedRecordingMessageBox box;
};

} // namespace apptest
