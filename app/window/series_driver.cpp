#include "series_driver.h"

#include "app/table/readings_area.h"
#include "frm_main.h"
#include "platform/message_box.h"
#include "platform/stop_request.h"
#include "test_run_panel.h"

#include <QTimer>

#include <cmath>

namespace app {

SeriesDriver::SeriesDriver(frmMain& window, TestRunPanel& panel, Session& session,
                           series::SeriesPlan plan, const std::filesystem::path& seriesFile,
                           QObject* parent)
    : QObject(parent), window_(window), panel_(panel), seriesFile_(seriesFile),
      run_(std::move(plan)),
      steps_(window, panel, session, run_, seriesFile,
             [this](const std::string& note) { emit noted(QString::fromStdString(note)); }) {
    connect(&panel_, &TestRunPanel::runEnded, this, [this] { stepEnded(); });
    connect(&panel_, &TestRunPanel::progressed, this, [this] { showProgress(); });
}

SeriesDriver::~SeriesDriver() {
    panel_.listNextRunAsStep(std::nullopt);
}

void SeriesDriver::start() {
    panel_.setSeriesRunning(true);
    listSteps();
    advance();
}

void SeriesDriver::listSteps() {
    std::vector<datafile::ReferenceRun> rows;
    for (const series::SeriesStep& step : run_.plan().steps) {
        datafile::ReferenceRun& row = rows.emplace_back();
        row.name = step.label.empty() ? step.device : step.label;
        row.source = datafile::ReferenceRun::Source::SeriesStep;
        row.shown = false;
        row.sample = run_.plan().sample;
        row.device = step.device;
        row.state = series::stateWord(series::StepState::Queued);
    }
    keys_ = window_.readingsArea().listRuns(std::move(rows));
}

// Runs the series on until a step's test is under way or the series is over.
void SeriesDriver::advance() {
    while (!finished_) {
        // A stop signal stops the series as it stops a test; the window then closes.
        if (platform::stopRequested())
            run_.stopSeries();
        const series::SeriesRun::Next next = run_.next();
        switch (next.action) {
        case series::SeriesRun::Action::Over:
            finish();
            return;
        case series::SeriesRun::Action::Wait:
            return;
        case series::SeriesRun::Action::Ask:
            ask(next.question);
            break;
        case series::SeriesRun::Action::Run:
            if (runStep(next.step))
                return;
            break;
        }
        showStates();
        noteSettledSteps();
    }
}

void SeriesDriver::ask(const std::string& question) {
    const std::size_t answer =
        platform::messageBox().ask(question, {"Continue", "Skip", "Stop series"}, 0);
    constexpr series::SeriesRun::Answer kAnswers[] = {series::SeriesRun::Answer::Continue,
                                                      series::SeriesRun::Answer::Skip,
                                                      series::SeriesRun::Answer::StopSeries};
    run_.answer(kAnswers[answer < 3 ? answer : 2]);
}

// True once the step's test is under way; its end goes on with the series.
bool SeriesDriver::runStep(std::size_t step) {
    panel_.listNextRunAsStep(keys_.at(step));
    relabel(keys_.at(step), series::stateWord(series::StepState::Running));
    const bool started = steps_.start() == testrun::StartResult::Started;
    if (!started) {
        panel_.listNextRunAsStep(std::nullopt);
        return false;
    }
    // A test can end within its own start (a stop signal during the download).
    waiting_ = panel_.run().TestRunning();
    if (!waiting_)
        stepOver();
    return waiting_;
}

void SeriesDriver::stepEnded() {
    if (!waiting_)
        return;
    waiting_ = false;
    stepOver();
    // The test's end is still on the stack; the next step starts from the event loop.
    QTimer::singleShot(0, this, [this] { advance(); });
}

void SeriesDriver::stepOver() {
    steps_.ended();
    showStates();
    noteSettledSteps();
}

void SeriesDriver::stopSeries() {
    if (run_.over())
        return;
    run_.stopSeries();
    if (!waiting_)
        advance();
}

// Each row of a step not done says its state; a done one shows its run instead.
void SeriesDriver::showStates() {
    for (std::size_t step = 0; step < run_.size(); ++step) {
        const series::StepRecord& record = run_.record(step);
        if (record.state == series::StepState::Done || record.state == series::StepState::Running)
            continue;
        std::string state = series::stateWord(record.state);
        if (!record.refusal.empty())
            state += ": " + record.refusal;
        relabel(keys_[step], state);
    }
}

// Only a row whose state changes is drawn again: a long series has many rows.
void SeriesDriver::relabel(std::uint64_t key, const std::string& state) {
    table::ReadingsArea& readings = window_.readingsArea();
    const auto row = readings.references().find(key);
    if (row && readings.references().runs()[*row].state != state)
        readings.relabelRun(key, [&](datafile::ReferenceRun& run) { run.state = state; });
}

void SeriesDriver::showProgress() {
    if (!waiting_)
        return;
    const std::optional<double> fraction = panel_.run().progress().fraction;
    const std::string state =
        series::stateWord(series::StepState::Running) +
        (fraction ? ", " + std::to_string(static_cast<int>(std::floor(*fraction * 100))) + " %"
                  : std::string());
    relabel(keys_.at(run_.next().step), state);
}

void SeriesDriver::noteSettledSteps() {
    for (const std::string& line : steps_.newlySettled())
        emit noted(QString::fromStdString(line));
}

void SeriesDriver::finish() {
    finished_ = true;
    showStates();
    noteSettledSteps();
    const SeriesSteps::Summary summary = steps_.writeSummary();
    steps_.restore();
    panel_.setSeriesRunning(false);
    emit finished(QString::fromStdString(run_.endText() + " " + summary.text));
}

} // namespace app
