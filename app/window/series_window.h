#pragma once

#include "app/series/series_plan.h"

#include <QDialog>
#include <QPointer>

#include <filesystem>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace app {

class SeriesDriver;
class Session;
class TestRunPanel;
class frmMain;

// "Series": the steps of a series typed in a table (add, duplicate, remove, move up and down)
// or made from one field stepped over values for each device of a list; where the data files
// go, whether to pause between steps and what a step refused at Start does; a series loaded
// from and saved to NAME.series.ini; and Start series / Stop series, with a line of what each
// step gave. The sample, operator and comment are the main window's. Closing the window while
// a series runs only hides it: the series goes on.
class SeriesWindow final : public QDialog {
    Q_OBJECT

public:
    SeriesWindow(frmMain& window, TestRunPanel& panel, Session& session);
    ~SeriesWindow() override;

    // Reads the series file into the window; false (with a message) when it cannot be used.
    bool loadSeries(const std::filesystem::path& file);
    // Writes the window's series to the file; false (with a message) when it cannot.
    bool saveSeries(const std::filesystem::path& file);
    // The steps made from the field, values and devices typed; false (with a message) when
    // they make none.
    bool makeSteps();
    // Starts the series on the window's steps; false when there is nothing to start.
    bool startSeries();
    void stopSeries();
    bool running() const;

    QTableWidget* tblSteps() const { return tblSteps_; }
    QLineEdit* txtTemplate() const { return txtTemplate_; }
    QCheckBox* chkPause() const { return chkPause_; }
    QComboBox* cmbField() const { return cmbField_; }
    QLineEdit* txtValues() const { return txtValues_; }
    QLineEdit* txtDevices() const { return txtDevices_; }
    QLineEdit* txtSetup() const { return txtSetup_; }
    QPlainTextEdit* txtLog() const { return txtLog_; }
    const series::SeriesPlan& plan() const { return plan_; }

private:
    QWidget* createSettings();
    QWidget* createStepMaker();
    QWidget* createStepsTable();
    QWidget* createButtons();
    void showPlan();
    void showSteps();
    void takeCell(int row, int column);
    void editSteps(std::size_t (*edit)(series::SeriesPlan&, std::size_t), bool needsRow);
    void removeSelected();
    void moveSelected(bool up);
    void takeSettings();
    void chooseSetup();
    void chooseLoad();
    void chooseSave();
    void enableEditing();
    void finished(const QString& text);
    void log(const QString& line);
    void refuse(const std::string& text) const;
    std::filesystem::path seriesFileOrDefault() const;

    frmMain& window_;
    TestRunPanel& panel_;
    Session& session_;
    series::SeriesPlan plan_;
    std::optional<std::filesystem::path> file_;
    QPointer<SeriesDriver> driver_;
    bool showing_ = false;

    QLineEdit* txtTemplate_;
    QCheckBox* chkPause_;
    QComboBox* cmbOnRefusal_;
    QComboBox* cmbField_;
    QLineEdit* txtValues_;
    QLineEdit* txtDevices_;
    QLineEdit* txtSetup_;
    QTableWidget* tblSteps_;
    QPlainTextEdit* txtLog_;
    QPushButton* cmdStartSeries_;
    QPushButton* cmdStopSeries_;
    QWidget* editing_; // every control that changes the series
};

} // namespace app
