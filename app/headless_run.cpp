#include "app/headless_run.h"

#include "app/call_watchdog.h"
#include "app/chart/chart_export.h"
#include "app/chart/live_chart.h"
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
#include <algorithm>
#include <cstdio>
#include <string>

namespace app {

namespace {

// The window's progress text on one line of standard error, rewritten in place; blanks cover
// what a longer text before it left.
class ProgressLine {
public:
    void print(const testrun::TestRun& run) {
        const std::string text = run.progress().text;
        const int blanks = std::max(width_ - static_cast<int>(text.size()), 0);
        std::fprintf(stderr, "\r%s%*s", text.c_str(), blanks, "");
        std::fflush(stderr);
        width_ = std::max(width_, static_cast<int>(text.size()));
    }

private:
    int width_ = 0;
};

bool savePlot(frmMain& window, const std::string& path, platform::PictureSize size) {
    try {
        chart::saveChart(*window.leftColumn().graph1(), path, size);
        return true;
    } catch (const platform::AppError& error) {
        std::fprintf(stderr, "The chart could not be saved as %s: %s\n", path.c_str(),
                     error.description().c_str());
        return false;
    }
}

void runInRealTime(TestRunPanel& panel, ProgressLine& line) {
    QEventLoop loop;
    panel.setProgressListener([&] {
        line.print(panel.run());
        if (!panel.run().TestRunning())
            loop.quit();
    });
    if (panel.run().TestRunning())
        loop.exec();
}

bool loadConfiguration(frmMain& window, const std::string& path) {
    try {
        for (const std::string& note : window.LoadRunConfiguration(path))
            std::fprintf(stderr, "%s\n", note.c_str());
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
                platform::VirtualClock* dryRunClock, const StopSignals& stopSignals,
                CallWatchdog& watchdog) {
    NameJournals({window.readingsArea().dataFile().path(), request.data});
    if (!loadConfiguration(window, request.config))
        return exitstatus::kCannotRun;
    window.leftColumn().txtPathToData()->setText(QString::fromStdString(request.data));
    panel.run().setUnattended(request.limits);
    if (const auto started = panel.cmdStart_Click(); started != testrun::StartResult::Started)
        return refusedStart(started);
    ProgressLine line;
    if (dryRunClock) {
        panel.setProgressListener({});
        runtime::runInVirtualTime(
            *dryRunClock, [&] { return panel.run().TestRunning(); },
            [&] {
                QApplication::processEvents();
                line.print(panel.run());
            });
    } else {
        if (const auto limit = panel.run().timeLimit())
            watchdog.setDeadline(std::chrono::steady_clock::now() +
                                 std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                     std::chrono::duration<double>(*limit)));
        runInRealTime(panel, line);
    }
    line.print(panel.run());
    const testrun::RunReport& report = panel.run().lastReport();
    std::fprintf(stderr, "\nThe test %s.\n", report.summary().c_str());
    const bool plotted = !request.plot || savePlot(window, *request.plot, request.plotSize);
    // Where the readings are is the last thing a failed run says.
    if (!panel.run().lastDataSaved())
        std::fprintf(stderr, "%s.\n", panel.whereReadingsAre().c_str());
    return RunExitStatus(report, panel.run().lastDataSaved(), plotted, stopSignals.received());
}

} // namespace app
