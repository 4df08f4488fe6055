#include "app/headless_run.h"

#include "app/chart/live_chart.h"
#include "app/frm_main.h"
#include "app/left_column.h"
#include "app/runtime/virtual_run.h"
#include "app/stop_signals.h"
#include "app/test_run_panel.h"
#include "platform/app_error.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPixmap>
#include <cstdio>

namespace app {

namespace {

void printProgress(const testrun::TestRun& run) {
    std::fprintf(stderr, "\r%d readings, %.1f of %.1f s ", run.iMeasIndex(), run.elapsedSeconds(),
                 static_cast<double>(run.expectation().time));
    std::fflush(stderr);
}

bool savePlot(frmMain& window, const std::string& path) {
    if (window.leftColumn().graph1()->grab().save(QString::fromStdString(path), "PNG"))
        return true;
    std::fprintf(stderr, "The chart could not be saved as %s\n", path.c_str());
    return false;
}

void runInRealTime(TestRunPanel& panel) {
    QEventLoop loop;
    panel.setProgressListener([&] {
        printProgress(panel.run());
        if (!panel.run().TestRunning())
            loop.quit();
    });
    if (panel.run().TestRunning())
        loop.exec();
}

bool loadConfiguration(frmMain& window, const std::string& path) {
    try {
        window.LoadRunConfiguration(path);
        return true;
    } catch (const platform::AppError& error) {
        std::fprintf(stderr, "The configuration %s cannot be run: %s\n", path.c_str(),
                     error.description().c_str());
        return false;
    }
}

int refusedStart(testrun::StartResult result) {
    return result == testrun::StartResult::SetupRefused ? exitstatus::kCannotRun
                                                        : exitstatus::kFailure;
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

int RunHeadless(frmMain& window, TestRunPanel& panel, const HeadlessRequest& request,
                platform::VirtualClock* dryRunClock, const StopSignals& stopSignals) {
    if (!loadConfiguration(window, request.config))
        return exitstatus::kCannotRun;
    window.leftColumn().txtPathToData()->setText(QString::fromStdString(request.data));
    panel.run().setUnattended(request.limits);
    if (const auto started = panel.cmdStart_Click(); started != testrun::StartResult::Started)
        return refusedStart(started);
    if (dryRunClock) {
        panel.setProgressListener({});
        runtime::runInVirtualTime(
            *dryRunClock, [&] { return panel.run().TestRunning(); },
            [&] {
                QApplication::processEvents();
                printProgress(panel.run());
            });
    } else {
        runInRealTime(panel);
    }
    printProgress(panel.run());
    const testrun::RunReport& report = panel.run().lastReport();
    std::fprintf(stderr, "\nThe test %s.\n", report.summary().c_str());
    const bool plotted = !request.plot || savePlot(window, *request.plot);
    return RunExitStatus(report, panel.run().lastDataSaved(), plotted, stopSignals.received());
}

} // namespace app
