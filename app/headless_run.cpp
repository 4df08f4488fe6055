#include "app/headless_run.h"

#include "app/call_watchdog.h"
#include "app/chart/chart_export.h"
#include "app/chart/live_chart.h"
#include "app/headless_console.h"
#include "app/journal_offers.h"
#include "app/runtime/virtual_run.h"
#include "app/stop_signals.h"
#include "app/table/readings_area.h"
#include "app/window/frm_main.h"
#include "app/window/left_column.h"
#include "app/window/test_run_panel.h"
#include "platform/app_error.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QTimer>
#include <chrono>
#include <string>

namespace app {

namespace {

// How often a run in real time looks whether the test has ended.
constexpr std::chrono::milliseconds kLookForTheEnd{20};

bool savePlot(frmMain& window, const std::string& path, platform::PictureSize size,
              HeadlessConsole& console) {
    try {
        chart::saveChart(*window.leftColumn().graph1(), path, size);
        return true;
    } catch (const platform::AppError& error) {
        console.note("The chart could not be saved as " + path + ": " + error.description());
        return false;
    }
}

void runInRealTime(TestRunPanel& panel) {
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (!panel.run().TestRunning())
            loop.quit();
    });
    look.start(kLookForTheEnd);
    if (panel.run().TestRunning())
        loop.exec();
}

// A run in real time tells the watchdog when its time is up.
void armWatchdog(CallWatchdog& watchdog, const testrun::TestRun& run) {
    if (const auto limit = run.timeLimit())
        watchdog.setDeadline(std::chrono::steady_clock::now() +
                             std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                 std::chrono::duration<double>(*limit)));
}

} // namespace

int RunExitStatus(const testrun::RunReport& report, bool dataSaved, bool plotted, int signal) {
    using testrun::RunOutcome;
    if (signal != 0)
        return signalExitStatus(signal);
    if (!dataSaved || !plotted || report.outcome == RunOutcome::Aborted)
        return exitstatus::kFailure;
    if (report.outcome == RunOutcome::Lost || report.outcome == RunOutcome::Overrun)
        return exitstatus::kLost;
    return report.incomplete() ? exitstatus::kIncomplete : exitstatus::kClean;
}

bool LoadHeadlessConfiguration(frmMain& window, const std::string& path, HeadlessConsole& console) {
    try {
        for (const std::string& note : window.LoadRunConfiguration(path))
            console.note(note);
        return true;
    } catch (const platform::AppError& error) {
        console.note("The configuration " + path + " cannot be run: " + error.description());
        return false;
    }
}

int RefusedStartStatus(testrun::StartResult result) {
    return result == testrun::StartResult::SetupRefused ? exitstatus::kCannotRun
                                                        : exitstatus::kFailure;
}

void RunToItsEnd(TestRunPanel& panel, const HeadlessServices& services) {
    if (services.dryRunClock) {
        runtime::runInVirtualTime(
            *services.dryRunClock, [&] { return panel.run().TestRunning(); },
            [] { QApplication::processEvents(); });
    } else {
        armWatchdog(services.watchdog, panel.run());
        runInRealTime(panel);
    }
    services.console.ended(panel.run());
}

int RunHeadless(frmMain& window, TestRunPanel& panel, const HeadlessRequest& request,
                const HeadlessServices& services) {
    HeadlessConsole& console = services.console;
    for (const std::string& found :
         JournalsFoundTexts({window.readingsArea().dataFile().path(), request.data}))
        console.note(found);
    if (!LoadHeadlessConfiguration(window, request.config, console))
        return exitstatus::kCannotRun;
    window.leftColumn().txtPathToData()->setText(QString::fromStdString(request.data));
    panel.run().setUnattended(request.limits);
    panel.setReporter(&console);
    if (const auto started = panel.cmdStart_Click(); started != testrun::StartResult::Started)
        return RefusedStartStatus(started);
    RunToItsEnd(panel, services);
    const testrun::TestRun& run = panel.run();
    const bool plotted =
        !request.plot || savePlot(window, *request.plot, request.plotSize, console);
    // Where the readings are is the last thing a failed run says.
    if (!run.lastDataSaved())
        console.note(panel.whereReadingsAre() + ".");
    return RunExitStatus(run.lastReport(), run.lastDataSaved(), plotted,
                         services.stopSignals.received());
}

} // namespace app
