#pragma once

#include "app/series/panel_fields.h"
#include "hp4140/hp4140_data.h"
#include "hp4140/test_config.h"
#include "platform/timer.h"
#include "settings/control_registry.h"

#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QPushButton;

namespace datafile {
struct DataFileContents;
}

namespace diagnostics {
class oofLog;
class ShellLauncher;
} // namespace diagnostics

namespace analyse {
class AnalysePanel;
}

namespace chart {
class GraphPanel;
}

namespace table {
class ReadingsArea;
enum class Onlookers;
} // namespace table

namespace printing {
class PdfFileChooser;
}

namespace settings {
class IniDocument;
}

namespace testrun {
class TestRun;
}

namespace app {

class Application;
class ConfigFileCommands;
class ConfigPanel;
class FieldDescriptions;
class FileDialogs;
class HelpCommands;
class LeftColumn;
class RunBrowser;
class SampleFields;
struct MainMenus;

// The main window: the chart, status and table on the left, the test settings and the test
// buttons on the right. The panels hold the controls; this class ties them together.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // Builds every control from the stored description of the numeric fields and runs
    // Form_Load. A description that lacks a field raises an AppError. The window works on the
    // application's session and diagnostics, which outlive it.
    frmMain(Application& application, const FieldDescriptions& fields, QWidget* parent = nullptr);
    // The same with the file dialogs the window asks for files through (tests script them).
    frmMain(Application& application, const FieldDescriptions& fields,
            std::unique_ptr<FileDialogs> fileDialogs, QWidget* parent = nullptr);
    ~frmMain() override;

    const settings::ControlRegistry& controls() const { return registry_; }
    ConfigPanel& configPanel() const { return *configPanel_; }
    LeftColumn& leftColumn() const { return *leftColumn_; }
    const MainMenus& menus() const { return *menus_; }
    FileDialogs& fileDialogs() const { return *fileDialogs_; }
    // The keys of the panel and the fields a series can step.
    const series::PanelFields& panelFields() const { return panelFields_; }
    QPushButton* cmdStart() const { return cmdStart_; }
    QPushButton* cmdAbort() const { return cmdAbort_; }
    QPushButton* cmdZero() const { return cmdZero_; }

    // The window timer that paces a test: disabled, 1000 ms, until a test starts.
    platform::Timer& Timer1() const { return *timer1_; }
    // A dry run or a test paces the window by another timer (a virtual one), before a test run
    // takes Timer1 for its life: once one has, this raises std::logic_error.
    void setTimer1(std::unique_ptr<platform::Timer> timer);

    // The test run that the window refuses to close during; none until one is made. It keeps
    // Timer1 from then on.
    void setTestRun(const testrun::TestRun& run) { testRun_ = &run; }
    bool testRunning() const;

    void EnableConfiguration() { EnableDisableConfiguration(true); }
    void DisableConfiguration() { EnableDisableConfiguration(false); }
    void EnableDisableConfiguration(bool bEnabled);
    void EnableDisableFromData();

    // Copies the window's settings into the test record and returns it.
    hp4140::TestConfig& Form_SaveConfig();

    // Configuration files; an empty path means the window's default file.
    bool LoadConfigFile(const std::string& path);
    // The configuration of a headless run: raises an AppError naming the file and what is wrong
    // (missing, unreadable, too large, none of the panel's settings) before anything changes.
    // Returns what the fields had to change of the file's values.
    std::vector<std::string> LoadRunConfiguration(const std::string& path);
    // The values section "FORM" of the document gives, as a load sets them, without making
    // anything the configuration in use; returns what the fields had to change.
    std::vector<std::string> ApplyFormValues(const settings::IniDocument& document);
    bool SaveConfigFile(const std::string& path);
    void itemLoadConfig_Click();
    void itemSave_Click();
    void itemSaveAs_Click();
    // Replaces the system beep (tests count it).
    void setBeep(std::function<void()> beep) { beep_ = std::move(beep); }
    // The debug output window "Application Log", until it is closed for good at unload.
    diagnostics::oofLog* logWindow() const;

    // The readings of a test: the table and collection reset at a start (the readings before
    // kept on the chart as the previous run while "Keep previous run" is checked), each reading
    // filed (labels, table row, chart point), the data file and its run record written at the
    // end (false when the readings could not be written anywhere; they stay in the collection).
    // A series' step keeps no previous run: the steps before it are listed and drawn already.
    enum class PreviousRun { AsChecked, NotKept };
    void resetReadings(PreviousRun previous = PreviousRun::AsChecked);
    void fileReading(std::unique_ptr<HP4140DataType> reading, std::int32_t iMeasIndex);
    bool SaveData(std::string_view record = {});
    // The run record's [Analysis] lines of the readings as the analyse panel analyses them now;
    // none while it has no method chosen. Once the record is saved, later analyses go into it.
    std::vector<std::pair<std::string, std::string>> analysisRecordLines();
    analyse::AnalysePanel& analysePanel() const { return *analyse_; }
    table::ReadingsArea& readingsArea() const { return *readings_; }
    // Set once, before the first test: with nobody at the window (a run without one), a test
    // shows nothing while it runs (no value labels, table rows, chart drawing or log window
    // text), and the chart keeps its points only for a picture at the end.
    void setOnlookers(table::Onlookers onlookers);
    // Readings read back from a data file (a recovered journal) in the table and the chart.
    void showReadings(const datafile::DataFileContents& contents);

    // The chart: prepared for a test of about expectedPoints readings, its settings view closed
    // (and applied) when a test starts, and its horizontal axis switched by optionXAxis.
    void Graph_Init(std::int32_t expectedPoints);
    void closeGraphSettings();
    void optionXAxis_Click(int Index);
    chart::GraphPanel& graphPanel() const { return *graph_; }

    // Prints a picture of the window (to a PDF file where no printer is installed).
    void cmdPrint_Click();
    HelpCommands& helpCommands() const { return *help_; }

protected:
    // Refused with two beeps while a test runs, whoever asks; otherwise the window saves and
    // shuts down.
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void fitToScreen();
    void connectHelpAndPrint();
    void Form_Unload();
    void loadControlValues();
    void createLogWindow();
    void controlLostFocus(const settings::RegisteredControl& control);
    QWidget* createRightColumn(const FieldDescriptions& fields);
    void fillGraphScaleLists();
    void updateCaption();
    void createReadingsArea();
    void createRunBrowser();
    void showRecordText(const std::filesystem::path& record);

    Application& application_;
    const testrun::TestRun* testRun_ = nullptr;
    settings::ControlRegistry registry_;
    std::unique_ptr<MainMenus> menus_;
    std::unique_ptr<FileDialogs> fileDialogs_;
    std::unique_ptr<diagnostics::ShellLauncher> shellLauncher_;
    std::unique_ptr<HelpCommands> help_;
    std::unique_ptr<printing::PdfFileChooser> pdfChooser_;
    std::unique_ptr<ConfigFileCommands> configFiles_;
    // The log window deletes itself once closed for good; until then the main window ends it.
    QPointer<diagnostics::oofLog> oofLog_;
    std::function<void()> beep_;
    std::unique_ptr<platform::Timer> timer1_;
    table::ReadingsArea* readings_ = nullptr;
    chart::GraphPanel* graph_ = nullptr;
    analyse::AnalysePanel* analyse_ = nullptr;
    LeftColumn* leftColumn_ = nullptr;
    SampleFields* sampleFields_ = nullptr;
    RunBrowser* runBrowser_ = nullptr;
    series::PanelFields panelFields_;
    ConfigPanel* configPanel_ = nullptr;
    QPushButton* cmdStart_ = nullptr;
    QPushButton* cmdAbort_ = nullptr;
    QPushButton* cmdZero_ = nullptr;
};

} // namespace app
