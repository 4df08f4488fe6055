#pragma once

#include "app/series/series_run.h"
#include "app/session/session.h"
#include "app/testrun/test_run.h"
#include "settings/ini_document.h"

#include <filesystem>
#include <functional>
#include <string>

namespace app {

class frmMain;
class TestRunPanel;

// The window's side of each step of a series, for whoever runs it (the Series window, the
// headless run): the step's set-up put on the panel (its configuration file or run record, else
// the panel as the series started; then its changes), its device into the session's sample, its
// data path from the series' template, and Start with the step's {step} and {value}; at the
// test's end, what it gave, told to the series.
class SeriesSteps {
public:
    // Told what a step's set-up had to change and why one could not be loaded.
    using Note = std::function<void(const std::string&)>;

    // The series is the one run; the panel as it is now is the set-up of steps without one.
    SeriesSteps(frmMain& window, TestRunPanel& panel, Session& session, series::SeriesRun& run,
                const std::filesystem::path& seriesFile, Note note);

    // Sets up the step run.next() says to run and presses Start; the series is told that the
    // step started, or was refused (SetupRefused also when its set-up cannot be loaded), or,
    // when a stop signal called the Start off, that it stops. Returns what Start gave.
    testrun::StartResult start();
    // The started step's test has ended: the series is told how it went.
    void ended();

    // The data path every step fills in, as the path box shows it during the series.
    const std::string& dataTemplate() const { return dataTemplate_; }

    // The lines of the steps settled since the last call ("Step 2 of 4 (D1, VB = 1 V):
    // complete, 21 readings in ..."), in their order.
    std::vector<std::string> newlySettled();
    // Writes the series' summary beside its data files; says where, or why it could not.
    struct Summary {
        bool written = false;
        std::string text; // "The summary is in ...", "The summary of the series could not ..."
    };
    Summary writeSummary() const;
    // The window as the series found it: its panel, configuration in use, data path and
    // sample, so that nothing of the last step is saved into a file at exit.
    void restore();

private:
    bool setUp(const series::SeriesStep& step);
    void noteAll(const std::vector<std::string>& notes) const;

    frmMain& window_;
    TestRunPanel& panel_;
    Session& session_;
    series::SeriesRun& run_;
    std::filesystem::path seriesFile_;
    Note note_;
    std::string dataTemplate_;
    settings::IniDocument startingPanel_;
    std::string configPathBefore_;
    std::string runRecordBefore_;
    std::string pathBoxBefore_;
    SampleIdentity sampleBefore_;
    std::size_t settled_ = 0;
};

} // namespace app
