#include "test_run_panel.h"

#include "main_menus.h"

#include "app/application.h"
#include "app/datafile/data_file_names.h"
#include "app/series/series_run.h"
#include "app/session/data_path_template.h"
#include "app/table/readings_area.h"
#include "app/table/units.h"
#include "app/testrun/run_texts.h"
#include "bus/driver_binding.h"
#include "bus/gpib.h"
#include "bus/gpib_calls.h"
#include "bus/gpib_device.h"
#include "diagnostics/oof_log.h"
#include "frm_main.h"
#include "hp4140/test_config.h"
#include "left_column.h"
#include "manual_control_window.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/stop_request.h"
#include "run_progress_bar.h"
#include "settings/form_controls.h"
#include "settings/guarded.h"
#include "status_row.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

namespace app {

TestRunPanel::TestRunPanel(Application& application, frmMain& window, Instrument instrument,
                           diagnostics::oofLog* log)
    : QObject(&window), application_(application), window_(window), gpib_(instrument.gpib),
      device_(instrument.device), clock_(instrument.clock), log_(log),
      run_(*this, {instrument.gpib, instrument.device, application.errorQueue(), instrument.clock,
                   window.Timer1(), log}),
      dataFileStart_([&window](const datafile::Recovery& recovery) {
          window.showReadings(recovery.contents);
      }),
      progress_(new RunProgressBar(&window)), notice_(new QLabel(&window)) {
    // A long notice is cut rather than widen the window beyond a small screen.
    notice_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    window.statusBar()->addWidget(notice_, 1);
    window.statusBar()->addPermanentWidget(progress_);
    device_.setSpollObserver(window.leftColumn().statusRow());
    window.setTestRun(run_);
    connect(window.cmdStart(), &QPushButton::clicked, this,
            settings::guarded([this] { cmdStart_Click(); }));
    connect(window.cmdAbort(), &QPushButton::clicked, this,
            settings::guarded([this] { cmdAbort_Click(); }));
    connect(window.cmdZero(), &QPushButton::clicked, this,
            settings::guarded([this] { cmdZero_Click(); }));
    if (auto* spoll = window.controls().get<QPushButton>("cmdSpoll"))
        connect(spoll, &QPushButton::clicked, this,
                settings::guarded([this] { cmdSpoll_Click(); }));
    if (auto* manual = window.controls().get<QPushButton>("Command1"))
        connect(manual, &QPushButton::clicked, this,
                settings::guarded([this] { Command1_Click(); }));
    connect(window.menus().itemSeries, &QAction::triggered, this,
            settings::guarded([this] { showSeriesWindow(); }));
}

TestRunPanel::~TestRunPanel() {
    // The window's children go after the panel; a series must not outlive the panel it runs on.
    delete seriesWindow_;
    device_.setSpollObserver(nullptr);
}

// The data path's placeholders are filled in as the test starts, before the checks of the data
// file, which see the very file the test will write.
testrun::StartResult TestRunPanel::cmdStart_Click(const std::optional<SeriesStepNames>& step) {
    if (manualControl_) {
        tell("Manual Control holds the instrument: close it to start a test.",
             platform::mb::OkOnly | platform::mb::Exclamation);
        return testrun::StartResult::Cancelled;
    }
    const hp4140::TestConfig& config = window_.Form_SaveConfig();
    window_.readingsArea().takeTypedDataPath();
    DataPathValues values = dataPathValuesFor(session(), config.iFunction, clock_.wallTime());
    if (step) {
        values.step = step->number;
        values.steps = step->count;
        values.value = step->value;
    }
    std::string path = expandDataPath(session().dataTemplate(), values);
    if (step && !path.empty())
        path = datafile::nextFreeName(path).string();
    session().setDataPath(std::move(path));
    return run_.cmdStart_Click(config);
}

void TestRunPanel::Command1_Click() {
    if (manualControl_) {
        manualControl_->raise();
        return;
    }
    manualControl_ = new ManualControlWindow(
        {gpib_, device_, application_.errorQueue(), clock_, log_}, window_.Form_SaveConfig(),
        [this] {
            manualControl_.clear();
            setStartEnabled(true);
        },
        &window_);
    manualControl_->setAttribute(Qt::WA_DeleteOnClose);
    setStartEnabled(false);
    manualControl_->show();
}

SeriesWindow& TestRunPanel::showSeriesWindow() {
    if (!seriesWindow_)
        seriesWindow_ = new SeriesWindow(window_, *this, session());
    seriesWindow_->show();
    seriesWindow_->raise();
    return *seriesWindow_;
}

void TestRunPanel::cmdZero_Click() {
    device_.Send("Z");
}

// Without a driver the poll would fail quietly in the error queue: binding it first shows why,
// as Zero's command does.
void TestRunPanel::cmdSpoll_Click() {
    (void)gpib_.calls().binding().api();
    device_.SPOLL();
}

QString TestRunPanel::notice() const {
    return notice_->text();
}

void TestRunPanel::setStartEnabled(bool enabled) {
    window_.cmdStart()->setEnabled(enabled && !seriesRunning_ && !manualControl_);
}

void TestRunPanel::setAbortEnabled(bool enabled) {
    window_.cmdAbort()->setEnabled(enabled);
}

void TestRunPanel::clearLog() {
    if (log_)
        log_->Clear();
}

void TestRunPanel::closeGraphSettings() {
    window_.closeGraphSettings();
}

void TestRunPanel::setConfigurationEnabled(bool enabled) {
    window_.EnableDisableConfiguration(enabled);
    if (auto* manual = window_.controls().get<QPushButton>("Command1"))
        manual->setEnabled(enabled && !seriesRunning_);
}

// While a series runs, its steps start the tests: neither Start nor Manual Control may come
// between them.
void TestRunPanel::setSeriesRunning(bool running) {
    seriesRunning_ = running;
    if (!run_.TestRunning()) {
        setStartEnabled(true);
        setConfigurationEnabled(true);
    }
}

// A run in real time takes readings as fast as the instrument gives them; the chart and the log
// window keep up by drawing what arrived once a frame.
void TestRunPanel::prepareChart(const testrun::Expectation& expectation) {
    window_.Graph_Init(expectation.points);
    limitRedraws(!dryRun());
}

void TestRunPanel::limitRedraws(bool limited) {
    redrawsLimited_ = limited;
    window_.readingsArea().setFrameLimited(limited);
    if (log_)
        log_->setRefreshLimited(limited);
}

void TestRunPanel::resetReadings() {
    window_.resetReadings(seriesRunning_ ? frmMain::PreviousRun::NotKept
                                         : frmMain::PreviousRun::AsChecked);
    beginRecord();
}

void TestRunPanel::fileReading(std::unique_ptr<HP4140DataType> reading) {
    const HP4140DataType& filed = *reading;
    window_.fileReading(std::move(reading), run_.iMeasIndex());
    journalReading(filed);
}

// Told to stop, or with nobody to ask, the program asks nobody: the readings go to the data file
// or, failing that, to a file of their own. A window's user is asked where to save them, unless
// a stop signal has closed that dialog. True only when the data file itself was written.
bool TestRunPanel::saveData(const testrun::RunReport& report) {
    const std::string record = recordText(report);
    readingsFile_.reset();
    if (report.outcome == testrun::RunOutcome::Stopped || run_.unattended())
        return saveUnasked(record);
    if (window_.SaveData(record))
        return true;
    return platform::stopRequested() && saveUnasked(record);
}

bool TestRunPanel::saveUnasked(const std::string& record) {
    const datafile::DataFile::UnaskedSave save =
        window_.readingsArea().SaveDataUnasked(clock_.wallTime(), record);
    for (const std::string& failure : save.failures)
        reporter_->note(failure + ".");
    readingsFile_ = save.written;
    reporter_->readingsAreIn(whereReadingsAre() + ".");
    return save.written && *save.written == session().dataPath();
}

void TestRunPanel::showSilence(const std::optional<testrun::Silence>& silence) {
    showNotice(silence ? QString::fromStdString(testrun::silenceText(*silence)) : QString(), true);
}

void TestRunPanel::warnOverrun(double expectedSeconds) {
    showNotice(QString::fromStdString(testrun::slowRunText(expectedSeconds)), true);
}

// Each test a window shows is listed beside the readings (a series step in its own row), with
// what its record says of it.
void TestRunPanel::listEndedRun(const testrun::RunReport& report) {
    table::ReadingsArea& readings = window_.readingsArea();
    if (!readings.watched())
        return;
    const auto& written = readings.dataFile().lastWritten();
    datafile::ReferenceRun run = readings.endedRun(
        written ? std::filesystem::path(*written).filename().string() : "Run not written");
    run.sample = record_.sample.sample;
    run.device = record_.sample.device;
    run.function = functionName(run_.config().iFunction);
    run.outcome = testrun::outcomeKeyword(report);
    const auto row = seriesStep_ ? readings.references().find(*seriesStep_) : std::nullopt;
    seriesStep_.reset();
    if (!row) {
        readings.listRun(std::move(run));
        return;
    }
    readings.changeRun(*row, [&](datafile::ReferenceRun& step) {
        run.name = step.name; // the step's label names its curve
        run.source = step.source;
        run.key = step.key;
        run.shown = true;
        run.state = series::stateWord(series::StepState::Done);
        run.colour = step.colour;
        run.chosenColour = step.chosenColour;
        step = std::move(run);
    });
}

void TestRunPanel::reportRun(const testrun::RunReport& report) {
    limitRedraws(false);
    listEndedRun(report);
    const bool amiss = report.incomplete() || report.outcome == testrun::RunOutcome::Lost ||
                       report.outcome == testrun::RunOutcome::Overrun;
    const std::string text = "The test " + report.summary() + ".";
    showNotice(QString::fromStdString(text), amiss);
    if (amiss && log_)
        log_->SendString(text);
    emit runEnded();
}

void TestRunPanel::showNotice(const QString& text, bool alarming) {
    notice_->setStyleSheet(alarming ? QStringLiteral("color: rgb(192, 0, 0);") : QString());
    notice_->setText(text);
    notice_->setToolTip(text); // the whole of it, where the status bar cuts it short
}

// While the redraws are limited, the bar moves at most once a frame; its last move always comes.
void TestRunPanel::testProgressed() {
    if (!redrawsLimited_ || !sinceProgress_.isValid() || sinceProgress_.elapsed() >= kFrameMs) {
        progress_->showProgress(run_.progress());
        sinceProgress_.start();
        emit progressed();
    }
    reporter_->progressed(run_);
}

datafile::DataFile& TestRunPanel::dataFile() {
    return window_.readingsArea().dataFile();
}

std::string TestRunPanel::whereReadingsAre() {
    if (readingsFile_)
        return datafile::whereReadingsText(window_.readingsArea().readings().Count(),
                                           *readingsFile_);
    const datafile::RunJournal& journal = dataFile().journal();
    if (auto kept = journal.whereKept())
        return *kept;
    std::string text = "The readings could not be written to any file";
    if (auto part = journal.partial())
        text += "; part of them are in " + part->string();
    return text;
}

std::optional<std::string> TestRunPanel::dataFileRefusal() {
    return dataFileStart_.refusal(session().dataPath(), run_.unattended());
}

// A run nobody watches asks nothing: its data file was named in the very command.
bool TestRunPanel::confirmStart() {
    if (run_.unattended())
        return true;
    const std::string path = session().dataPath();
    const auto chosen = dataFileStart_.confirm(path, dataFile().takeReplaceAnswer(path));
    if (!chosen)
        return false;
    session().setDataPath(*chosen);
    return true;
}

bool TestRunPanel::dryRun() const {
    return application_.dryRun();
}

app::Session& TestRunPanel::session() {
    return application_.session();
}

// A dry run files readings as fast as it can, so its journal goes in blocks.
std::optional<std::string> TestRunPanel::claimJournal() {
    return dataFile().journal().open(
        session().dataPath(), table::unitsCaption(run_.config().iFunction),
        dryRun() ? datafile::JournalPace::Blocks : datafile::JournalPace::EachReading,
        clock_.wallTime());
}

void TestRunPanel::releaseJournal() {
    dataFile().journal().abandon();
}

// The chart, the table and the log window were emptied before the download; their drawing is
// waiting, and would otherwise come between the start and the first poll, long enough on a busy
// machine for the first reading to be overwritten. Only posted events run: no input is taken.
void TestRunPanel::settleBeforeStart() {
    QCoreApplication::sendPostedEvents();
}

void TestRunPanel::noteAtStart(const std::string& note) {
    if (log_)
        log_->SendString(note);
    reporter_->note(note);
}

void TestRunPanel::tell(const std::string& text, int style) {
    platform::messageBox().show(text, "", style);
}

// The test runs with the panel as it is now: the data path chosen, the panel about to be locked.
void TestRunPanel::beginRecord() {
    const hp4140::TestConfig& config = run_.config();
    record_ = {};
    record_.form = settings::FormValues(window_.controls());
    record_.start = clock_.wallTime();
    record_.driver = gpib_.calls().binding().description();
    record_.board = config.iBoardID;
    record_.address = config.iGPIBAddress;
    record_.dryRun = dryRun();
    record_.sample = session().sample();
}

std::string TestRunPanel::recordText(const testrun::RunReport& report) {
    record_.end = clock_.wallTime();
    record_.report = report;
    record_.analysis = window_.analysisRecordLines();
    return testrun::runRecordText(record_);
}

void TestRunPanel::journalReading(const HP4140DataType& reading) {
    const auto trouble = dataFile().journal().append(reading, window_.readingsArea().readings());
    if (!trouble)
        return;
    showNotice(QString::fromStdString(*trouble), true);
    if (log_)
        log_->SendString(*trouble);
    reporter_->note(*trouble);
}
} // namespace app
