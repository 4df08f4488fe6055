#include "series_driver.h"

#include "app/series/series_file.h"
#include "app/series/series_summary.h"
#include "app/table/readings_area.h"
#include "frm_main.h"
#include "left_column.h"
#include "platform/app_error.h"
#include "platform/message_box.h"
#include "test_run_panel.h"

#include <QLineEdit>
#include <QTimer>

#include <cmath>

namespace app {

SeriesDriver::SeriesDriver(frmMain& window, TestRunPanel& panel, Session& session,
                           series::SeriesPlan plan, const std::filesystem::path& seriesFile,
                           QObject* parent)
    : QObject(parent), window_(window), panel_(panel), session_(session), seriesFile_(seriesFile),
      run_(std::move(plan)),
      steps_(window, panel, session, run_, seriesFile,
             [this](const std::string& note) { emit noted(QString::fromStdString(note)); }),
      pathBefore_(window.leftColumn().txtPathToData()->text()), sampleBefore_(session.sample()) {
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
    table::ReadingsArea& readings = window_.readingsArea();
    for (const series::SeriesStep& step : run_.plan().steps) {
        datafile::ReferenceRun row;
        row.name = step.label.empty() ? step.device : step.label;
        row.source = datafile::ReferenceRun::Source::SeriesStep;
        row.shown = false;
        row.sample = run_.plan().sample;
        row.device = step.device;
        row.state = series::stateWord(series::StepState::Queued);
        readings.listRun(std::move(row));
        keys_.push_back(readings.references().runs().back().key);
    }
}

// Runs the series on until a step's test is under way or the series is over.
void SeriesDriver::advance() {
    for (;;) {
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

// True once the step's test has started; its end goes on with the series.
bool SeriesDriver::runStep(std::size_t step) {
    panel_.listNextRunAsStep(keys_.at(step));
    window_.readingsArea().relabelRun(keys_.at(step), [](datafile::ReferenceRun& row) {
        row.state = series::stateWord(series::StepState::Running);
    });
    waiting_ = steps_.start() == testrun::StartResult::Started;
    if (!waiting_)
        panel_.listNextRunAsStep(std::nullopt);
    return waiting_;
}

void SeriesDriver::stepEnded() {
    if (!waiting_)
        return;
    waiting_ = false;
    steps_.ended();
    showStates();
    noteSettledSteps();
    // The test's end is still on the stack; the next step starts from the event loop.
    QTimer::singleShot(0, this, [this] { advance(); });
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
        window_.readingsArea().relabelRun(keys_[step],
                                          [&](datafile::ReferenceRun& row) { row.state = state; });
    }
}

void SeriesDriver::showProgress() {
    if (!waiting_)
        return;
    const std::optional<double> fraction = panel_.run().progress().fraction;
    const std::string state =
        series::stateWord(series::StepState::Running) +
        (fraction ? ", " + std::to_string(static_cast<int>(std::floor(*fraction * 100))) + " %"
                  : std::string());
    window_.readingsArea().relabelRun(keys_.at(run_.next().step),
                                      [&](datafile::ReferenceRun& row) { row.state = state; });
}

void SeriesDriver::noteSettledSteps() {
    for (; noted_ < run_.size(); ++noted_) {
        const series::StepState state = run_.record(noted_).state;
        if (state == series::StepState::Queued || state == series::StepState::Running)
            return;
        emit noted(QString::fromStdString(run_.stepLine(noted_)));
    }
}

void SeriesDriver::finish() {
    showStates();
    noteSettledSteps();
    std::string text = run_.endText();
    try {
        const std::filesystem::path written =
            series::writeSummary(run_, series::summaryFolder(run_, steps_.dataTemplate()),
                                 series::seriesName(seriesFile_));
        text += " The summary is in " + written.string() + ".";
    } catch (const platform::AppError& error) {
        text += " The summary of the series could not be written: " + error.description() + ".";
    }
    window_.leftColumn().txtPathToData()->setText(pathBefore_);
    session_.setSample(sampleBefore_);
    panel_.setSeriesRunning(false);
    emit finished(QString::fromStdString(text));
}

} // namespace app
