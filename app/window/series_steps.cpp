#include "series_steps.h"

#include "app/series/series_file.h"
#include "app/series/series_summary.h"
#include "app/session/session.h"
#include "app/table/readings_area.h"
#include "app/testrun/run_record.h"
#include "frm_main.h"
#include "left_column.h"
#include "platform/app_error.h"
#include "platform/folders.h"
#include "settings/form_controls.h"
#include "settings/setting_keys.h"
#include "test_run_panel.h"

#include <QLineEdit>

namespace app {

namespace {

settings::IniDocument formOf(const std::vector<std::pair<std::string, std::string>>& values) {
    settings::IniDocument document;
    for (const auto& [key, value] : values) {
        try {
            document.setValue(settings::keys::kFormSection, key, value);
        } catch (const platform::AppError&) {
            // A value one INI line cannot hold stays as the panel has it.
        }
    }
    return document;
}

settings::IniDocument formOf(const std::vector<series::FieldChange>& changes) {
    std::vector<std::pair<std::string, std::string>> values;
    for (const series::FieldChange& change : changes)
        values.emplace_back(change.key, change.value);
    return formOf(values);
}

} // namespace

SeriesSteps::SeriesSteps(frmMain& window, TestRunPanel& panel, Session& session,
                         series::SeriesRun& run, const std::filesystem::path& seriesFile, Note note)
    : window_(window), panel_(panel), session_(session), run_(run), seriesFile_(seriesFile),
      note_(std::move(note)), dataTemplate_(series::dataTemplatePath(
                                  run.plan(), seriesFile, platform::programFolders().program)),
      startingPanel_(formOf(settings::FormValues(window.controls()))),
      configPathBefore_(session.configPath()), runRecordBefore_(session.runRecord()),
      pathBoxBefore_(window.leftColumn().txtPathToData()->text().toStdString()),
      sampleBefore_(session.sample()) {}

void SeriesSteps::noteAll(const std::vector<std::string>& notes) const {
    for (const std::string& note : notes)
        note_(note);
}

bool SeriesSteps::setUp(const series::SeriesStep& step) {
    if (step.setup.empty()) {
        noteAll(window_.ApplyFormValues(startingPanel_));
    } else {
        const std::string setup = series::setupPath(step, seriesFile_).string();
        try {
            noteAll(window_.LoadRunConfiguration(setup));
        } catch (const platform::AppError& error) {
            note_("The configuration " + setup + " cannot be run: " + error.description());
            return false;
        }
    }
    noteAll(window_.ApplyFormValues(formOf(step.changes)));
    return true;
}

testrun::StartResult SeriesSteps::start() {
    const std::size_t index = run_.next().step;
    const series::SeriesStep& step = run_.plan().steps.at(index);
    if (!setUp(step)) {
        run_.refused(series::Refusal::SetUp, "its set-up cannot be loaded");
        return testrun::StartResult::SetupRefused;
    }
    session_.setSample(series::sampleFor(run_.plan(), step));
    window_.leftColumn().txtPathToData()->setText(QString::fromStdString(dataTemplate_));
    const auto started = panel_.cmdStart_Click(TestRunPanel::SeriesStepNames{
        static_cast<int>(index + 1), static_cast<int>(run_.size()), step.value});
    switch (started) {
    case testrun::StartResult::Started:
        run_.started();
        break;
    case testrun::StartResult::Cancelled:
        run_.stopSeries();
        break;
    case testrun::StartResult::InstrumentRefused:
        run_.refused(series::Refusal::Instrument, "the instrument could not be reached");
        break;
    case testrun::StartResult::SetupRefused:
        run_.refused(series::Refusal::SetUp, "the instrument would not take its set-up");
        break;
    case testrun::StartResult::DataFileRefused:
        run_.refused(series::Refusal::SetUp, "its data file cannot be written");
        break;
    }
    return started;
}

void SeriesSteps::ended() {
    const testrun::TestRun& test = panel_.run();
    const testrun::RunRecord& record = panel_.lastRecord();
    series::StepRun ran;
    ran.outcome = testrun::outcomeKeyword(test.lastReport());
    ran.readings = test.lastReport().filed;
    ran.start = testrun::isoLocalTime(record.start);
    ran.end = testrun::isoLocalTime(record.end);
    // Readings saved elsewhere than the data file are named where they are.
    ran.dataFile =
        test.lastDataSaved() ? session_.dataPath() : panel_.readingsFile().value_or(std::string());
    ran.analysis = record.analysis;
    run_.ended(std::move(ran));
}

std::vector<std::string> SeriesSteps::newlySettled() {
    std::vector<std::string> lines;
    for (; settled_ < run_.size(); ++settled_) {
        const series::StepState state = run_.record(settled_).state;
        if (state == series::StepState::Queued || state == series::StepState::Running)
            break;
        lines.push_back(run_.stepLine(settled_));
    }
    return lines;
}

SeriesSteps::Summary SeriesSteps::writeSummary() const {
    try {
        const std::filesystem::path written = series::writeSummary(
            run_, series::summaryFolder(run_, dataTemplate_), series::seriesName(seriesFile_));
        return {true, "The summary is in " + written.string() + "."};
    } catch (const platform::AppError& error) {
        return {false,
                "The summary of the series could not be written: " + error.description() + "."};
    }
}

void SeriesSteps::restore() {
    (void)window_.ApplyFormValues(startingPanel_);
    session_.setConfigPath(configPathBefore_);
    if (!runRecordBefore_.empty())
        session_.setRunRecord(runRecordBefore_);
    session_.setSample(sampleBefore_);
    window_.leftColumn().txtPathToData()->setText(QString::fromStdString(pathBoxBefore_));
    window_.readingsArea().takeTypedDataPath();
}

} // namespace app
