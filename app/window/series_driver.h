#pragma once

#include "app/series/series_run.h"
#include "series_steps.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace app {

class Session;
class TestRunPanel;
class frmMain;

// Runs a series in the window: every step listed among the runs beside the readings from the
// start (queued, running with its progress, done, refused, skipped, not run), a pause answered
// in a question ("Continue", "Skip", "Stop series"), each step an ordinary test started by
// Start, the next one once the last has ended, and the summary written at the end. Start and
// Manual Control stay disabled while it runs.
class SeriesDriver final : public QObject {
    Q_OBJECT

public:
    // The series file names the summary and is where relative set-ups are found; a series not
    // saved yet names one in the program folder.
    SeriesDriver(frmMain& window, TestRunPanel& panel, Session& session, series::SeriesPlan plan,
                 const std::filesystem::path& seriesFile, QObject* parent);
    ~SeriesDriver() override;

    void start();
    // The step that runs goes on to its end; no other starts.
    void stopSeries();
    bool over() const { return run_.over(); }
    // A step's test is under way (Stop series lets it end).
    bool stepRunning() const { return waiting_; }
    const series::SeriesRun& run() const { return run_; }

signals:
    // A line of what happened: a step settled, what a set-up had to change.
    void noted(const QString& line);
    // The series is over: how it ended and where its summary is.
    void finished(const QString& text);

private:
    void listSteps();
    void advance();
    void ask(const std::string& question);
    bool runStep(std::size_t step);
    void stepEnded();
    void showStates();
    void showProgress();
    void relabel(std::uint64_t key, const std::string& state);
    void noteSettledSteps();
    void stepOver();
    void finish();

    frmMain& window_;
    TestRunPanel& panel_;
    std::filesystem::path seriesFile_;
    series::SeriesRun run_;
    SeriesSteps steps_;
    std::vector<std::uint64_t> keys_; // each step's row among the runs
    bool waiting_ = false;            // for a step's test to end
    bool finished_ = false;
};

} // namespace app
