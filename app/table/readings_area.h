#pragma once

#include "measurement_display.h"
#include "measurement_table.h"

#include "app/datafile/data_collection.h"
#include "app/datafile/data_file.h"
#include "app/datafile/file_dialogs.h"
#include "app/datafile/reference_runs.h"

#include <QObject>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace table {

// The main window's controls that show and keep the readings.
struct ReadingsWidgets {
    QTableView* Data = nullptr;
    ReadingLabels labels;
    chart::LiveChart* graph1 = nullptr;
    QLineEdit* txtPathToData = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QLabel* lblDataFileName = nullptr; // what a path with placeholders will name
};

// The application's state the readings area works on: the current test's readings, the
// session (whose data path the path box shows), and the test, whose function gives the units.
struct ReadingsState {
    datafile::DataCollection& readings;
    app::Session& session;
    const hp4140::TestConfig& test;
};

// Everything the main window does with the readings, in one object it forwards to: the
// table, the per-reading display, the data path and its browse button, the data file, and the
// runs shown beside the readings to compare them with.
class ReadingsArea final : public QObject {
    Q_OBJECT

public:
    // Becomes a child of the table view. The browse button is handled from here on.
    ReadingsArea(const ReadingsWidgets& widgets, app::FileDialogs& dialogs,
                 const std::filesystem::path& programFolder, const ReadingsState& state);

    // The start-up steps: the table's columns, and the data path taken from the path box.
    void Form_Load();
    // The path box's text becomes the session's data path (a path typed since is the one a
    // test starts with).
    void takeTypedDataPath();

    void resetReadings() { display_.resetReadings(); }
    // While a test runs in real time, the table and the chart take in what arrived once a
    // frame, so that drawing never keeps the window thread from the instrument's next reading.
    void setFrameLimited(bool limited);
    // Set once, before the first test: with nobody at the window, the readings go into the
    // collection only (the chart takes them too for a picture at the end) and the chart is never
    // drawn on screen.
    void setOnlookers(Onlookers onlookers);
    // Someone watches the window: the runs are listed and drawn.
    bool watched() const { return onlookers_ == Onlookers::Window; }
    void fileReading(std::unique_ptr<HP4140DataType> NewData, std::int32_t iMeasIndex) {
        display_.fileReading(std::move(NewData), iMeasIndex, xAxisIsTime_);
    }
    // The readings and the references move to the axis the settings hold.
    void switchXAxis(const chart::GraphSettings& settings);
    // Whether the chart's horizontal axis is time (from the start) or voltage.
    bool xAxisIsTime() const { return xAxisIsTime_; }
    // Readings read back from a data file take the place of the collection's.
    void showReadings(const datafile::DataFileContents& contents) {
        display_.showReadings(contents.lines, xAxisIsTime_);
    }

    // Writes the data file with the units label's caption, and the run record beside it; see
    // DataFile::SaveData.
    bool SaveData(std::string_view record = {});
    // Writes the data file without asking anybody; see DataFile::SaveDataUnasked.
    datafile::DataFile::UnaskedSave SaveDataUnasked(std::chrono::system_clock::time_point now,
                                                    std::string_view record = {});
    // The data file and the journal of the test under way.
    datafile::DataFile& dataFile() { return dataFile_; }
    // The current test's readings.
    const datafile::DataCollection& readings() const { return readings_; }

    // The data path becomes the file chosen in the save dialog, and the path box shows it.
    void cmdBrowse_Click();

    // The runs shown beside the readings, on the chart against time or voltage.
    const datafile::ReferenceRuns& references() const { return references_; }
    // The units of the chart's quantity ("Amps", "Farads"), which the test's function decides.
    std::string chartUnits() const;
    // Opens the data file as a reference, unless it holds another quantity than the chart; see
    // ReferenceRuns::open.
    datafile::OpenedReference openReference(const std::filesystem::path& path);
    void clearReferences();
    // Before a test start empties the collection: its readings become the previous run, or the
    // previous run kept before goes.
    void keepPreviousRun(bool keep);

    // The list of runs beside the readings (the browser shows it): a run added, changed or taken
    // off, each change drawn and told by runsChanged.
    std::size_t listRun(datafile::ReferenceRun run);
    // Several at once, drawn once (a series' steps); returns the key each is listed under.
    std::vector<std::uint64_t> listRuns(std::vector<datafile::ReferenceRun> runs);
    void changeRun(std::size_t i, const std::function<void(datafile::ReferenceRun&)>& change);
    void removeRun(std::size_t i);
    // A change of what the list says of the run listed under that key (a series step's state),
    // not of what the chart draws.
    void relabelRun(std::uint64_t key, const std::function<void(datafile::ReferenceRun&)>& change);
    // The test that just ended as a listed run (hidden until shown): its readings without their
    // replies, its units, its data file; the caller adds what its record says.
    datafile::ReferenceRun endedRun(const std::string& name) const;

signals:
    void runsChanged();
    // What the list says of the run in that place has changed, nothing else.
    void runRelabelled(std::size_t i);

private:
    void showReferences();

    void showDataPath();
    void showDataFileName();

    Onlookers onlookers_ = Onlookers::Window;
    QLineEdit* txtPathToData_;
    QLabel* lblDataFileName_;
    chart::LiveChart& chart_;
    datafile::DataCollection& readings_;
    app::Session& session_;
    const hp4140::TestConfig& test_;
    app::Session::Subscription sessionShown_;
    bool xAxisIsTime_ = true;
    MeasurementTable* table_;
    MeasurementDisplay display_;
    datafile::DataFile dataFile_;
    datafile::ReferenceRuns references_;
};

} // namespace table
