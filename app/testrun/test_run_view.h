#pragma once

#include "expected_points.h"
#include "hp4140/hp4140_data.h"
#include "run_report.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace testrun {

// Polls that have failed without a break: since when, and how many.
struct Silence {
    std::chrono::system_clock::time_point since;
    double sinceElapsed = 0.0; // seconds after the start, on the test's clock
    std::int32_t polls = 0;
};

// What the main window does for a test run: its buttons, panels, chart, table and data file.
class TestRunView {
public:
    virtual ~TestRunView() = default;

    // Checked at Start after the set-up and before anything is sent to the instrument: why the
    // data file cannot be written, or nullopt.
    virtual std::optional<std::string> dataFileRefusal() { return std::nullopt; }
    // Questions to the user at Start, after every check; false when the user cancelled.
    virtual bool confirmStart() { return true; }
    // After the questions and before anything is sent: the test's journal is made and held, so
    // that no other run can take it; why it cannot be, or nullopt.
    virtual std::optional<std::string> claimJournal() { return std::nullopt; }
    // The instrument refused the start: the journal claimed for it goes.
    virtual void releaseJournal() {}
    // Just before the instrument starts: whatever the view still has to draw for the new test
    // is drawn now, so that it cannot hold up the first polls.
    virtual void settleBeforeStart() {}
    // Something the user should know about the set-up as the test starts.
    virtual void noteAtStart(const std::string& /*note*/) {}

    // A message for the user, with the standard message box's style (platform::mb): a refusal,
    // a run that had to end. Shown in the window, printed by a headless run.
    virtual void tell(const std::string& text, int style) = 0;
    virtual void setStartEnabled(bool enabled) = 0;
    virtual void setAbortEnabled(bool enabled) = 0;
    virtual void clearLog() = 0;
    // Closes the chart-settings view if it is open, applying its settings.
    virtual void closeGraphSettings() = 0;
    virtual void setConfigurationEnabled(bool enabled) = 0;
    virtual void prepareChart(const Expectation& expectation) = 0;
    // Empties the table and the reading collection for a new test.
    virtual void resetReadings() = 0;
    // Shows the reading (labels, table row, chart point) and keeps it in the collection.
    virtual void fileReading(std::unique_ptr<HP4140DataType> reading) = 0;
    // Writes the data file; false when the readings could not be written anywhere. A run
    // stopped by a signal asks nobody.
    virtual bool saveData(const RunReport& report) = 0;
    // The instrument is not answering (nullopt: it answers again).
    virtual void showSilence(const std::optional<Silence>& /*silence*/) {}
    // The run has gone on twice as long as expected.
    virtual void warnOverrun(double /*expectedSeconds*/) {}
    // The test has ended; the report says how and what it gave.
    virtual void reportRun(const RunReport& /*report*/) {}
    // The run started, took a reading or ended.
    virtual void testProgressed() {}
};

} // namespace testrun
