#pragma once

#include "app/datafile/data_file_start.h"
#include "app/testrun/run_record.h"
#include "app/testrun/test_run.h"
#include "app/testrun/test_run_view.h"
#include "manual_control_window.h"
#include "run_reporter.h"
#include "series_window.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <functional>

class QLabel;

namespace datafile {
class DataFile;
}

namespace diagnostics {
class oofLog;
}

namespace app {

class Application;
class Session;
class frmMain;
class RunProgressBar;

// Runs tests from the main window: the Start, Abort, Zero and Serial Poll buttons, the progress
// bar and the run's notices in the status bar, and the window's side of every step of a test,
// down to the run record written beside the data file.
class TestRunPanel final : public QObject, public testrun::TestRunView {
    Q_OBJECT

public:
    struct Instrument {
        bus::Gpib& gpib;
        bus::GPIBDevice& device;
        platform::Clock& clock;
    };

    // The test runs on the instrument with the panel's set-up as Start copies it, the session's
    // data path and the application's error queue. The window's Timer1 paces the test and is
    // the run's for the panel's life (a dry run swaps it before making the panel). The log
    // window may be null (no debug output).
    TestRunPanel(Application& application, frmMain& window, Instrument instrument,
                 diagnostics::oofLog* log);
    // The device outlives the window, whose status row then no longer observes it.
    ~TestRunPanel() override;

    // What a step of a series adds to the data path's placeholders: {step} and {value}.
    struct SeriesStepNames {
        int number = 1;
        int count = 1;
        std::string value;
    };

    // Start Test: the window's settings become the test's and the path box's text the data
    // path (its placeholders filled in), so a test never writes over the previous test's file
    // by surprise. A step of a series never replaces a file: it keeps both, unasked, under the
    // next free name.
    testrun::StartResult cmdStart_Click(const std::optional<SeriesStepNames>& step = {});
    void cmdAbort_Click() { run_.cmdAbort_Click(); }
    void cmdZero_Click();
    void cmdSpoll_Click();
    // "Manual Control": the spot-reading window, one at a time; no test starts while it is open.
    void Command1_Click();
    // Run > Series: the Series window, made at its first use and kept.
    SeriesWindow& showSeriesWindow();
    ManualControlWindow* manualControl() const { return manualControl_; }

    testrun::TestRun& run() { return run_; }
    const testrun::TestRun& run() const { return run_; }
    // The next test to end is the step of a series listed under this key among the runs beside
    // the readings: its readings fill that row. None: the next test gets a row of its own.
    void listNextRunAsStep(std::optional<std::uint64_t> key) { seriesStep_ = key; }
    // A series runs: Start and Manual Control stay disabled until it ends.
    void setSeriesRunning(bool running);

    // Who hears of the runs beyond the window (a headless run); the window alone by default.
    // The reporter must outlive the panel, or be replaced first.
    void setReporter(RunReporter* reporter) { reporter_ = reporter ? reporter : &windowOnly_; }
    // The notice in the status bar: the instrument not answering, a slow run, how a run ended.
    QString notice() const;
    // Where the readings of a test whose data file could not be written are: "The 21 readings
    // are in /data/iv.txt.partial" (the journal, or the file they were saved in instead), or
    // that no file has them all.
    // The file other than the data file that the last test's readings went to, when one did.
    const std::optional<std::string>& readingsFile() const { return readingsFile_; }
    std::string whereReadingsAre();
    // The record of the last test that started: its set-up, sample, start and end, and report.
    const testrun::RunRecord& lastRecord() const { return record_; }

    void tell(const std::string& text, int style) override;

signals:
    // A test has ended (after its data file, its record and its listing).
    void runEnded();
    // The progress bar has been redrawn (at most once a frame).
    void progressed();

public:
    std::optional<std::string> dataFileRefusal() override;
    bool confirmStart() override;
    std::optional<std::string> claimJournal() override;
    void releaseJournal() override;
    void noteAtStart(const std::string& note) override;
    void settleBeforeStart() override;
    void setStartEnabled(bool enabled) override;
    void setAbortEnabled(bool enabled) override;
    void clearLog() override;
    void closeGraphSettings() override;
    void setConfigurationEnabled(bool enabled) override;
    void prepareChart(const testrun::Expectation& expectation) override;
    void resetReadings() override;
    void fileReading(std::unique_ptr<HP4140DataType> reading) override;
    bool saveData(const testrun::RunReport& report) override;
    void showSilence(const std::optional<testrun::Silence>& silence) override;
    void warnOverrun(double expectedSeconds) override;
    void reportRun(const testrun::RunReport& report) override;
    void testProgressed() override;

private:
    void showNotice(const QString& text, bool alarming);
    bool saveUnasked(const std::string& record);
    // The panel as the test starts with it, and when.
    void beginRecord();
    std::string recordText(const testrun::RunReport& report);
    datafile::DataFile& dataFile();
    bool dryRun() const;
    Session& session();
    void limitRedraws(bool limited);
    void listEndedRun(const testrun::RunReport& report);
    void journalReading(const HP4140DataType& reading);

    Application& application_;
    frmMain& window_;
    bus::Gpib& gpib_;
    bus::GPIBDevice& device_;
    platform::Clock& clock_;
    diagnostics::oofLog* log_;
    testrun::TestRun run_;
    datafile::DataFileStart dataFileStart_;
    RunProgressBar* progress_;
    QLabel* notice_;
    RunReporter windowOnly_;
    RunReporter* reporter_ = &windowOnly_;
    testrun::RunRecord record_;
    // The file other than the data file that the last test's readings were saved in.
    std::optional<std::string> readingsFile_;
    QPointer<ManualControlWindow> manualControl_;
    QPointer<SeriesWindow> seriesWindow_;
    std::optional<std::uint64_t> seriesStep_;
    bool seriesRunning_ = false;
    bool redrawsLimited_ = false;
    QElapsedTimer sinceProgress_;
    static constexpr qint64 kFrameMs = 100;
};

} // namespace app
