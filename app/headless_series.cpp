#include "app/headless_series.h"

#include "app/headless_console.h"
#include "app/headless_run.h"
#include "app/panel/field_descriptions.h"
#include "app/panel/series_fields.h"
#include "app/series/series_file.h"
#include "app/series/series_run.h"
#include "app/stop_signals.h"
#include "app/window/frm_main.h"
#include "app/window/series_steps.h"
#include "app/window/test_run_panel.h"
#include "platform/app_error.h"
#include "platform/stop_request.h"

#include <algorithm>
#include <array>

namespace app {

namespace {

// The first that applies of a failure, a step refused, a lost or overrun run, missing readings.
int firstThatApplies(int a, int b) {
    constexpr std::array order{exitstatus::kFailure, exitstatus::kCannotRun, exitstatus::kLost,
                               exitstatus::kIncomplete, exitstatus::kClean};
    const auto rank = [&](int status) { return std::find(order.begin(), order.end(), status); };
    return rank(a) <= rank(b) ? a : b;
}

class HeadlessSeries {
public:
    HeadlessSeries(frmMain& window, TestRunPanel& panel, Session& session,
                   const HeadlessSeriesRequest& request, const HeadlessServices& services,
                   series::SeriesPlan plan)
        : panel_(panel), file_(request.series), services_(services), console_(services.console),
          run_(std::move(plan)), steps_(window, panel, session, run_, file_,
                                        [this](const std::string& note) { console_.note(note); }) {}

    int run() {
        if (run_.plan().pause)
            console_.note("The series pauses between its steps; without a window it runs them "
                          "one after another.");
        int status = exitstatus::kClean;
        for (auto next = run_.next(); next.action != series::SeriesRun::Action::Over;
             next = run_.next()) {
            if (stopSignal() != 0)
                run_.stopSeries();
            else if (next.action == series::SeriesRun::Action::Ask)
                run_.answer(series::SeriesRun::Answer::Continue);
            else
                status = firstThatApplies(status, runStep());
            noteSettledSteps();
        }
        console_.note(run_.endText());
        status = firstThatApplies(status, writeSummary());
        if (const int signal = stopSignal())
            return signalExitStatus(signal);
        return status;
    }

private:
    int stopSignal() const {
        const int received = services_.stopSignals.received();
        return received != 0 ? received : platform::stopSignal();
    }

    int runStep() {
        const testrun::StartResult started = steps_.start();
        if (started == testrun::StartResult::Cancelled)
            return exitstatus::kClean; // by a stop signal, whose status the series ends with
        if (started != testrun::StartResult::Started)
            return RefusedStartStatus(started);
        RunToItsEnd(panel_, services_);
        steps_.ended();
        const testrun::TestRun& test = panel_.run();
        if (!test.lastDataSaved())
            console_.note(panel_.whereReadingsAre() + ".");
        return RunExitStatus(test.lastReport(), test.lastDataSaved(), true, 0);
    }

    void noteSettledSteps() {
        for (const std::string& line : steps_.newlySettled())
            console_.note(line);
    }

    int writeSummary() {
        const SeriesSteps::Summary summary = steps_.writeSummary();
        console_.note(summary.text);
        return summary.written ? exitstatus::kClean : exitstatus::kFailure;
    }

    TestRunPanel& panel_;
    std::filesystem::path file_;
    const HeadlessServices& services_;
    HeadlessConsole& console_;
    series::SeriesRun run_;
    SeriesSteps steps_;
};

} // namespace

int RunHeadlessSeries(frmMain& window, TestRunPanel& panel, Session& session,
                      const HeadlessSeriesRequest& request, const HeadlessServices& services) {
    series::SeriesPlan plan;
    try {
        plan = series::readSeriesFile(
            request.series,
            seriesFieldsOf(window.controls(), FieldDescriptions::load(kMainWindowFields)));
    } catch (const platform::AppError& error) {
        services.console.note(error.description());
        return exitstatus::kCannotRun;
    }
    panel.run().setUnattended(request.limits);
    panel.setReporter(&services.console);
    return HeadlessSeries(window, panel, session, request, services, std::move(plan)).run();
}

} // namespace app
