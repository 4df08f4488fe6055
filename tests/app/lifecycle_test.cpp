// Start-up, shut-down and the configuration-file commands of the main window, each in a
// temporary program folder.
#include "app/application.h"
#include "app/datafile/file_dialogs.h"
#include "app/panel/config_panel.h"
#include "app/panel/field_descriptions.h"
#include "app/panel/option_group.h"
#include "app/startup.h"
#include "app/window/config_file_commands.h"
#include "app/window/frm_main.h"
#include "app/window/graph_settings_frame.h"
#include "app/window/left_column.h"
#include "app/window/main_menus.h"
#include "app/window/window_caption.h"
#include "bus/driver_choice.h"
#include "diagnostics/oof_log.h"
#include "platform/message_box.h"
#include "program_folder_support.h"
#include "quenta/quenta.h"
#include "settings/form_utility.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QRadioButton>
#include <QSlider>
#include <gtest/gtest.h>

#include <memory>

namespace {

using apptest::ScopedProgramFolder;
using testsupport::fileText;
using testsupport::putFile;
namespace fs = std::filesystem;

const std::string kTitle = platform::titleLine();

std::string read(const fs::path& file, const char* section, const char* key) {
    return FormUtility::ReadIniString(section, key, "<none>", file);
}

// Every value a configuration file keeps, by key.
QMap<QString, QString> savedValues(const settings::ControlRegistry& registry) {
    QMap<QString, QString> values;
    for (const settings::RegisteredControl& c : registry.controls()) {
        if (c.kind == settings::ControlKind::NumericField)
            values[c.key()] = c.widget->property("Text").toString();
        else if (const auto* box = qobject_cast<const QCheckBox*>(c.widget))
            values[c.key()] = QString::number(box->checkState());
        else if (const auto* button = qobject_cast<const QRadioButton*>(c.widget))
            values[c.key()] = button->isChecked() ? "1" : "0";
        else if (const auto* list = qobject_cast<const QComboBox*>(c.widget))
            values[c.key()] = QString::number(list->currentIndex());
        else if (const auto* line = qobject_cast<const QLineEdit*>(c.widget))
            values[c.key()] = line->text();
    }
    return values;
}

// The start-up as the program runs it, then the main window shown, with dialogs and beeps
// recorded.
class Lifecycle : public testing::Test {
protected:
    void startUp() {
        stored = app::PrepareAppSettings(platform::programFolders());
        application.session().setConfigPath(stored.currentConfigPath);
        auto scripted = std::make_unique<app::ScriptedFileDialogs>();
        dialogs = scripted.get();
        window = std::make_unique<app::frmMain>(
            application, app::FieldDescriptions::load(app::kMainWindowFields), std::move(scripted));
        window->setBeep([this] { ++beeps; });
        window->show();
    }

    void writeAppSettings(const std::string& text) { putFile(folder / "Tarvix-4140.ini", text); }

    quenta::Quenta* field(int i) const { return window->configPanel().txtConfig(i); }
    QLineEdit* pathToData() const { return window->leftColumn().txtPathToData(); }

    ScopedProgramFolder folder;
    platform::ScopedRecordingMessageBox box;
    settings::AppSettings stored;
    app::Application application{{}, 0};
    std::unique_ptr<app::frmMain> window;
    app::ScriptedFileDialogs* dialogs = nullptr;
    int beeps = 0;
};

TEST(WindowCaption, TitleLineAloneOrWithTheFileName) {
    EXPECT_EQ(app::windowCaption(""), kTitle);
    EXPECT_EQ(app::windowCaption("/home/lab/config/diode.ini"), kTitle + " - diode.ini");
    EXPECT_EQ(app::windowCaption("relative.cfg"), kTitle + " - relative.cfg");
}

TEST_F(Lifecycle, FirstRunSeedsConfigAndWritesItsFilesOnExit) {
    const fs::path shipped = folder.install() / "share" / "tarvix-4140" / "config";
    fs::create_directories(shipped);
    putFile(shipped / "IV_example.ini", "[FORM]\ntxtConfig(3)=2.5\n");
    startUp();
    EXPECT_TRUE(fs::exists(folder / "config/IV_example.ini"));
    EXPECT_EQ(stored.boardId, 0);
    EXPECT_EQ(application.session().configPath(), "");
    EXPECT_EQ(window->windowTitle().toStdString(), kTitle);
    ASSERT_NE(window->logWindow(), nullptr);
    EXPECT_EQ(window->logWindow()->windowTitle(), "Application Log");
    EXPECT_EQ(application.errorQueue().logWindow(), window->logWindow());

    field(3)->setText("7");
    const std::string shown = field(3)->Text().toStdString();
    EXPECT_TRUE(window->close());
    const fs::path appSettings = folder / "Tarvix-4140.ini";
    EXPECT_EQ(read(appSettings, "GPIB", "BoardID"), "0");
    EXPECT_EQ(read(appSettings, "Config", "Path"), "<none>");
    EXPECT_EQ(read(folder / "frmMain.ini", "FORM", "txtConfig(3)"), shown);
    EXPECT_NE(read(folder / "frmMain.ini", "FORM_PLACEMENT", "Width"), "<none>");
    EXPECT_NE(read(folder / "oofLog.ini", "FORM_PLACEMENT", "Width"), "<none>");
    EXPECT_TRUE(box->shown().empty());
}

TEST_F(Lifecycle, StoredPathOfAnExistingFileIsLoadedAndNamedInTheCaption) {
    const fs::path config = folder / "mine.ini";
    putFile(config, "[FORM]\ntxtConfig(3)=4.5\ntxtPathToData=/data/run1.txt\n");
    putFile(folder / "frmMain.ini", "[FORM]\ntxtConfig(3)=9\n");
    writeAppSettings("[Config]\nPath=" + config.string() +
                     "\n[GPIB]\nBoardID=1\nDriver=/opt/gpib/libgpib.so.0\n");
    startUp();
    EXPECT_EQ(stored.boardId, 1);
    EXPECT_EQ(bus::driverCandidates(std::nullopt, platform::programFolders()).libraries,
              std::vector<std::string>{"/opt/gpib/libgpib.so.0"});
    EXPECT_EQ(window->windowTitle().toStdString(), kTitle + " - mine.ini");
    EXPECT_EQ(field(3)->Text().toDouble(), 4.5);
    EXPECT_EQ(pathToData()->text(), "/data/run1.txt");
    app::Application objects({"/nonexistent/libgpib.so"}, stored.boardId);
    EXPECT_EQ(objects.device().BoardID(), 1);

    // The exit keeps what only the user writes: the board id and the driver.
    EXPECT_TRUE(window->close());
    const fs::path appSettings = folder / "Tarvix-4140.ini";
    EXPECT_EQ(read(appSettings, "GPIB", "BoardID"), "1");
    EXPECT_EQ(read(appSettings, "GPIB", "Driver"), "/opt/gpib/libgpib.so.0");
    EXPECT_EQ(read(appSettings, "Config", "Path"), config.string());
}

TEST_F(Lifecycle, AConfigurationOnceSavedUnderACleanedNameIsFoundThere) {
    putFile(folder / "run_1230.ini", "[FORM]\ntxtConfig(3)=4.5\n");
    writeAppSettings("[Config]\nPath=" + (folder / "run_12:30.ini").string() + "\n");
    startUp();
    EXPECT_EQ(application.session().configPath(), (folder / "run_1230.ini").string());
    EXPECT_EQ(field(3)->Text().toDouble(), 4.5);
}

// Characters other systems forbid are ordinary here: load, save and save-as use the very name.
TEST_F(Lifecycle, TheFileTheUserChoseIsTheFileThatIsUsed) {
    startUp();
    const std::vector<std::string> names{"run_12:30.ini", "a*b\"c.ini", "back\\slash|pipe.ini",
                                         " blanks / around .ini", "Prüfung µA.ini"};
    fs::create_directories(folder / "config" / " blanks ");
    for (const std::string& name : names) {
        const fs::path file = folder / "config" / name;
        dialogs->queueAnswer(file.string());
        window->menus().itemSaveAs->trigger();
        ASSERT_TRUE(fs::exists(file)) << name;
        EXPECT_EQ(window->windowTitle().toStdString(), kTitle + " - " + file.filename().string());
        field(3)->setText("7.5");
        window->menus().itemSave->trigger();
        const std::string saved = read(file, "FORM", "txtConfig(3)");
        field(3)->setText("1");
        dialogs->queueAnswer(file.string());
        window->menus().itemLoadConfig->trigger();
        EXPECT_EQ(field(3)->Text().toStdString(), saved) << name;
        EXPECT_EQ(application.session().configPath(), file.string());
    }
    EXPECT_TRUE(box->shown().empty());
}

TEST_F(Lifecycle, StoredPathOfAMissingFileKeepsItsNameAndIsSavedOnExit) {
    const fs::path config = folder / "gone.ini";
    putFile(folder / "frmMain.ini", "[FORM]\ntxtConfig(3)=9\n");
    writeAppSettings("[Config]\nPath=" + config.string() + "\n[GPIB]\nBoardID=0\n");
    startUp();
    EXPECT_EQ(window->windowTitle().toStdString(), kTitle + " - gone.ini");
    EXPECT_EQ(field(3)->Text().toDouble(), 9.0);
    const std::string shown = field(3)->Text().toStdString();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(read(config, "FORM", "txtConfig(3)"), shown);
    EXPECT_EQ(read(folder / "Tarvix-4140.ini", "Config", "Path"), config.string());
}

TEST_F(Lifecycle, StoredPathThatCannotBeReadIsReportedAndTheDefaultFileUsed) {
    const fs::path config = folder / "config/folder.ini";
    fs::create_directories(config);
    putFile(folder / "frmMain.ini", "[FORM]\ntxtPathToData=/data/default.txt\n");
    writeAppSettings("[Config]\nPath=" + config.string() + "\n");
    startUp();
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_NE(box->shown()[0].text.find(app::ConfigFileCommands::kLoadFailureComment),
              std::string::npos);
    EXPECT_EQ(pathToData()->text(), "/data/default.txt");
    EXPECT_EQ(window->windowTitle().toStdString(), kTitle + " - folder.ini");
}

TEST_F(Lifecycle, SavedChangedAndLoadedBackEveryControlIsRestored) {
    startUp();
    app::ConfigPanel& panel = window->configPanel();
    panel.optionFunction().select(1);
    panel.optionCurrentLimit().select(1);
    field(0)->setText("-2");
    field(1)->setText("3");
    window->configPanel().txtSampleRate()->setText("2");
    window->leftColumn().frameGraphSettings()->chkYLog()->setChecked(false);
    window->leftColumn().frameGraphSettings()->cmbGraphCurrent(0)->setCurrentIndex(3);
    window->leftColumn().optionXAxis().select(1);
    window->leftColumn().chkSaveToFile()->setChecked(true);
    pathToData()->setText("/data/saved.txt");
    panel.txtConfig_LostFocus(0);
    const int savedSlider = panel.sliderConfig(0)->value();
    const QMap<QString, QString> saved = savedValues(window->controls());

    const std::string file = (folder / "config/saved.ini").string();
    dialogs->queueAnswer(file);
    window->menus().itemSaveAs->trigger();
    ASSERT_EQ(dialogs->shown().size(), 1u);
    const app::FileDialogRequest& request = dialogs->shown()[0].request;
    EXPECT_EQ(dialogs->shown()[0].kind, app::ScriptedFileDialogs::Kind::Save);
    EXPECT_EQ(request.title, "Save Config File As...");
    EXPECT_EQ(request.folder, folder / "config");
    EXPECT_TRUE(fs::is_directory(folder / "config"));
    EXPECT_EQ(request.filters, (std::vector<std::string>{"Config Files (*.ini)", "All (*.*)"}));
    EXPECT_EQ(request.defaultSuffix, "ini");
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_EQ(application.session().configPath(), file);
    EXPECT_EQ(window->windowTitle().toStdString(), kTitle + " - saved.ini");
    EXPECT_EQ(read(file, "FORM", "optionFunction(1)"), "1");
    EXPECT_EQ(read(file, "FORM", "lblAppInfo"), "<none>"); // labels are left out

    panel.optionFunction().select(2);
    field(0)->setText("1");
    panel.txtConfig_LostFocus(0);
    ASSERT_NE(panel.sliderConfig(0)->value(), savedSlider);
    window->leftColumn().frameGraphSettings()->chkYLog()->setChecked(true);
    window->leftColumn().optionXAxis().select(0);
    pathToData()->setText("/elsewhere.txt");
    application.session().setConfigPath({});

    dialogs->queueAnswer(file);
    window->menus().itemLoadConfig->trigger();
    EXPECT_EQ(dialogs->shown()[1].kind, app::ScriptedFileDialogs::Kind::Open);
    EXPECT_EQ(dialogs->shown()[1].request.title, "Load Config File As...");
    EXPECT_EQ(savedValues(window->controls()), saved);
    // The window was not active, so the sliders follow only through the direct focus pass.
    EXPECT_EQ(panel.sliderConfig(0)->value(), savedSlider);
    EXPECT_EQ(application.session().configPath(), file);
    EXPECT_EQ(window->windowTitle().toStdString(), kTitle + " - saved.ini");
    EXPECT_TRUE(box->shown().empty());
}

TEST_F(Lifecycle, ALoadedFileKeepsItsRampWhateverTheFunctionWasBefore) {
    startUp();
    window->configPanel().optionFunction().select(0);
    putFile(folder / "cv.ini", "[FORM]\noptionFunction(0)=0\noptionFunction(2)=1\n"
                               "optionRamp(0)=0\noptionRamp(1)=1\ntxtConfig(2)=0.1\n");
    ASSERT_TRUE(window->LoadConfigFile((folder / "cv.ini").string()));
    EXPECT_TRUE(window->configPanel().optionFunction().isSelected(2));
    EXPECT_TRUE(window->configPanel().optionRamp().isSelected(1));
}

// With Auto Scaling the limit fields are disabled and skipped by the focus pass, so the notes
// must follow the loaded values however the file was loaded.
TEST_F(Lifecycle, ALoadedConfigurationBringsTheChartsRoundingNotesInLine) {
    startUp();
    putFile(folder / "graph.ini", "[FORM]\noptionGraphScale(0)=1\noptionGraphScale(1)=0\n"
                                  "txtGraphTime(0)=0\ntxtGraphTime(1)=15000\n"
                                  "txtGraphVoltage(0)=45\n");
    dialogs->queueAnswer((folder / "graph.ini").string());
    window->menus().itemLoadConfig->trigger();
    const settings::ControlRegistry& controls = window->controls();
    ASSERT_FALSE(controls.get<QWidget>("txtGraphTime(1)")->isEnabled());
    EXPECT_EQ(controls.get<QLabel>("lblTimeRounding")->text(), "Graph will round to 60s intervals");
    EXPECT_EQ(controls.get<QLabel>("lblVoltageRounding")->text(),
              "Graph will round to 1V intervals");
}

TEST_F(Lifecycle, SaveConfigWithoutAnExistingFileActsAsSaveAsAndCancelIsSilent) {
    startUp();
    window->menus().itemSave->trigger();
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].request.title, "Save Config File As...");
    window->menus().itemLoadConfig->trigger();
    EXPECT_EQ(dialogs->shown().size(), 2u);
    EXPECT_EQ(application.session().configPath(), "");
    EXPECT_EQ(window->windowTitle().toStdString(), kTitle);
    EXPECT_TRUE(box->shown().empty());
}

TEST_F(Lifecycle, AClearedFieldKeepsItsOldValueInTheFile) {
    startUp();
    const std::string file = (folder / "kept.ini").string();
    pathToData()->setText("/data/first.txt");
    ASSERT_TRUE(window->SaveConfigFile(file));
    pathToData()->clear();
    window->menus().itemSave->trigger(); // the file exists: saved without a dialog
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(read(file, "FORM", "txtPathToData"), "/data/first.txt");
    ASSERT_TRUE(window->LoadConfigFile(file));
    EXPECT_EQ(pathToData()->text(), "/data/first.txt");
}

TEST_F(Lifecycle, ALabelWithALineBreakTokenLoadsOnTwoLines) {
    startUp();
    putFile(folder / "label.ini", "[FORM]\nlblAppInfo=First&&CRLFSecond\n");
    ASSERT_TRUE(window->LoadConfigFile((folder / "label.ini").string()));
    EXPECT_EQ(window->leftColumn().lblAppInfo()->text(), "First\nSecond");
}

TEST_F(Lifecycle, AReadOnlyConfigFileIsReportedOnceAndStaysCurrent) {
    startUp();
    // Read-only even for the superuser, which tests may run as.
    const std::string readOnly = "/proc/version";
    ASSERT_TRUE(window->LoadConfigFile(readOnly));
    EXPECT_EQ(window->windowTitle().toStdString(), kTitle + " - version");
    window->menus().itemSave->trigger();
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_NE(box->shown()[0].text.find(": "), std::string::npos);
    EXPECT_EQ(application.session().configPath(), readOnly);
}

TEST_F(Lifecycle, AnUnreadableConfigFileIsALoadFailure) {
    startUp();
    fs::create_directories(folder / "config/folder.ini");
    dialogs->queueAnswer((folder / "config/folder.ini").string());
    window->menus().itemLoadConfig->trigger();
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_NE(box->shown()[0].text.find(app::ConfigFileCommands::kLoadFailureComment),
              std::string::npos);
    EXPECT_EQ(application.session().configPath(), "");
}

TEST_F(Lifecycle, AMinimizedWindowWritesNoConfiguration) {
    startUp();
    window->showMinimized();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(read(folder / "frmMain.ini", "FORM", "txtConfig(3)"), "<none>");
    EXPECT_TRUE(fs::exists(folder / "Tarvix-4140.ini"));
}

} // namespace
