#include "frm_main.h"

#include "diagnostics/gshell.h"
#include "diagnostics/xdg_open_launcher.h"
#include "help_commands.h"
#include "printing/print_target.h"
#include "printing/print_window.h"

#include "app/analyse/analyse_panel.h"
#include "app/application.h"
#include "app/chart/graph_panel.h"
#include "app/chart/graph_texts.h"
#include "app/chart/live_chart.h"
#include "app/datafile/data_file_names.h"
#include "app/datafile/qt_file_dialogs.h"
#include "app/panel/config_panel.h"
#include "app/panel/field_descriptions.h"
#include "app/panel/option_group.h"
#include "app/panel/series_fields.h"
#include "app/runtime/qt_timer.h"
#include "app/series/set_up_text.h"
#include "app/table/readings_area.h"
#include "app/testrun/test_run.h"
#include "chart_file_commands.h"
#include "config_file_commands.h"
#include "diagnostics/oof_log.h"
#include "graph_settings_frame.h"
#include "left_column.h"
#include "main_menus.h"
#include "picture_frame.h"
#include "platform/folders.h"
#include "platform/message_box.h"
#include "reference_commands.h"
#include "run_browser.h"
#include "sample_fields.h"
#include "settings/app_settings.h"
#include "settings/configuration_file.h"
#include "settings/form_placement.h"
#include "settings/form_utility.h"
#include "settings/guarded.h"
#include "settings/whole_file.h"
#include "status_row.h"
#include "vertical_scroll_area.h"
#include "window_caption.h"
#include "window_keys.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <stdexcept>

namespace app {

namespace {

// What a window system's frame (borders and title bar) usually takes from a screen.
constexpr QSize kFrameAllowance(16, 40);

// The chart's size before any test has said how many readings to expect.
constexpr std::int32_t kStartUpPoints = 100;

} // namespace

frmMain::frmMain(Application& application, const FieldDescriptions& fields, QWidget* parent)
    : frmMain(application, fields, std::make_unique<QtFileDialogs>(this), parent) {}

frmMain::frmMain(Application& application, const FieldDescriptions& fields,
                 std::unique_ptr<FileDialogs> fileDialogs, QWidget* parent)
    : QMainWindow(parent), application_(application), menus_(std::make_unique<MainMenus>(*this)),
      fileDialogs_(std::move(fileDialogs)), beep_(&QApplication::beep) {
    setTimer1(std::make_unique<runtime::QtTimer>());
    setObjectName("frmMain");
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    leftColumn_ = new LeftColumn(fields, registry_, central);
    columns->addWidget(leftColumn_, 1);
    columns->addWidget(createRightColumn(fields));
    setCentralWidget(central);
    createReadingsArea();
    configFiles_ = std::make_unique<ConfigFileCommands>(
        *this, registry_,
        ConfigFileCommands::WindowHooks{
            [this](const settings::RegisteredControl& c) { controlLostFocus(c); },
            [this] { updateCaption(); },
            [this] {
                Form_SaveConfig(); // the chart's quantity is the loaded set-up's
                graph_->settingsLoaded();
            },
            [this](const std::string& note) {
                if (oofLog_)
                    oofLog_->SendString(note);
            },
            [this](const settings::IniDocument& record, const std::string& path) {
                analyse_->showRecorded(record, path);
            }},
        *fileDialogs_, application_.session());
    connect(menus_->itemSave, &QAction::triggered, this,
            settings::guarded([this] { itemSave_Click(); }));
    connect(menus_->itemSaveAs, &QAction::triggered, this,
            settings::guarded([this] { itemSaveAs_Click(); }));
    connect(menus_->itemLoadConfig, &QAction::triggered, this,
            settings::guarded([this] { itemLoadConfig_Click(); }));
    connect(menus_->itemExit, &QAction::triggered, this, settings::guarded([this] { close(); }));
    connectHelpAndPrint();
    panelFields_ = seriesFieldsOf(registry_, fields);
    createRunBrowser();
    assignButtonKeys(registry_);
    describeButtons(registry_, fields.buttonTips());
    Form_Load();
}

// The runs beside the table; its commands reach the configuration files, a record's text and
// the desktop's file manager through the window.
void frmMain::createRunBrowser() {
    RunBrowserActions actions;
    actions.useSettings = [this](const std::filesystem::path& record) {
        // The set-up of a running test stays as it started, as the File menu's loads do.
        if (testRunning()) {
            platform::messageBox().show("A test is running: its set-up cannot change until it "
                                        "ends.",
                                        platform::kAppTitle,
                                        platform::mb::OkOnly | platform::mb::Exclamation);
            return;
        }
        if (!LoadConfigFile(record.string()))
            FormUtility::ShowCurrentError(ConfigFileCommands::kLoadFailureComment);
    };
    actions.showRecord = [this](const std::filesystem::path& record) { showRecordText(record); };
    actions.openFolder = [this](const std::filesystem::path& folder) {
        if (!diagnostics::GShell(*shellLauncher_, folder.string(),
                                 diagnostics::showstate::ShowDefault, "", "", "open", winId()))
            FormUtility::ShowCurrentError();
    };
    actions.setUp = [this](const std::filesystem::path& record) {
        const auto document = settings::ReadConfigurationFile(record);
        return document ? series::setUpText(panelFields_, *document) : std::string();
    };
    runBrowser_ = new RunBrowser(*readings_, std::move(actions), leftColumn_);
    leftColumn_->placeBesideTable(runBrowser_);
}

void frmMain::showRecordText(const std::filesystem::path& record) {
    const std::optional<std::string> text =
        settings::readWholeFile(record, settings::kMostConfigurationBytes);
    auto* dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QString::fromStdString(record.filename().string()));
    auto* box = new QPlainTextEdit(QString::fromStdString(text.value_or("")), dialog);
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    (new QVBoxLayout(dialog))->addWidget(box);
    dialog->resize(fontMetrics().averageCharWidth() * 70, fontMetrics().height() * 30);
    dialog->show();
}

void frmMain::connectHelpAndPrint() {
    shellLauncher_ = std::make_unique<diagnostics::XdgOpenLauncher>();
    help_ = std::make_unique<HelpCommands>(*this, *shellLauncher_);
    pdfChooser_ = std::make_unique<printing::DialogPdfFileChooser>(this);
    // The application-information panel stands in the graph-type panel's place only on paper.
    registry_.find("frameAppInfo")->hide();
    connect(menus_->itemHelp, &QAction::triggered, this,
            settings::guarded([this] { help_->itemHelp_Click(); }));
    connect(menus_->menuAbout, &QAction::triggered, this,
            settings::guarded([this] { help_->menuAbout_Click(); }));
    connect(leftColumn_->cmdPrint(), &QPushButton::clicked, this,
            settings::guarded([this] { cmdPrint_Click(); }));
}

void frmMain::cmdPrint_Click() {
    printing::printWindowWithAppInfo(*this, *registry_.find("frameGraphType"),
                                     *registry_.find("frameAppInfo"), *pdfChooser_);
}

frmMain::~frmMain() {
    delete oofLog_.data();
}

void frmMain::setTimer1(std::unique_ptr<platform::Timer> timer) {
    if (testRun_)
        throw std::logic_error(
            "Timer1 belongs to the test run now; swap it before the run is made");
    timer->stop();
    timer->setInterval(std::chrono::milliseconds(1000));
    timer1_ = std::move(timer);
}

void frmMain::createReadingsArea() {
    sampleFields_ = new SampleFields(application_.session(), leftColumn_);
    leftColumn_->placeAboveDataFileRow(sampleFields_->row());
    const StatusRow& status = *leftColumn_->statusRow();
    readings_ = new table::ReadingsArea(
        {leftColumn_->Data(),
         {status.lblAppliedVoltage(), status.lblMeasurement(), status.lblUnits()},
         leftColumn_->graph1(),
         leftColumn_->txtPathToData(),
         leftColumn_->cmdBrowse(),
         leftColumn_->lblDataFileName()},
        *fileDialogs_, platform::programFolders().program,
        {application_.readings(), application_.session(), application_.testConfig()});
    graph_ = new chart::GraphPanel(
        registry_, *leftColumn_->graph1(), application_.testConfig(),
        [this](bool show) { leftColumn_->showGraphSettings(show); }, this);
    new ChartFileCommands(*leftColumn_->graph1(), *fileDialogs_, readings_->dataFile());
    analyse_ = new analyse::AnalysePanel(application_.readings(), application_.testConfig(),
                                         *leftColumn_->graph1(), this);
    leftColumn_->placeBesideChart(analyse_);
    new ReferenceCommands(*this, *fileDialogs_, platform::programFolders().program);
    connect(&leftColumn_->optionXAxis(), &OptionGroup::Click, this,
            [this](int index) { optionXAxis_Click(index); });
}

QWidget* frmMain::createRightColumn(const FieldDescriptions& fields) {
    auto* column = new QWidget(this);
    auto* picture = registry_.add(new PictureFrame(column), "Frame3", settings::ControlKind::Other);
    configPanel_ = new ConfigPanel(fields, registry_, column);
    configPanel_->placeBesideAddress(picture);

    cmdZero_ =
        registry_.add(new QPushButton("Zero", column), "cmdZero", settings::ControlKind::Other);
    cmdAbort_ =
        registry_.add(new QPushButton("Abort", column), "cmdAbort", settings::ControlKind::Other);
    cmdStart_ = registry_.add(new QPushButton("Start Test", column), "cmdStart",
                              settings::ControlKind::Other);
    cmdAbort_->setEnabled(false);
    cmdStart_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdZero_);
    buttons->addStretch(1);
    buttons->addWidget(cmdAbort_);
    buttons->addWidget(cmdStart_);

    // The panel scrolls when the screen is too low for it; the test buttons stay in sight.
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new VerticalScrollArea(configPanel_, column), 1);
    layout->addLayout(buttons);
    return column;
}

void frmMain::Form_Load() {
    fitToScreen();
    settings::LoadFormPlacement(*this);
    leftColumn_->lblAppInfo()->setText(QString::fromStdString(platform::titleLine()));
    menus_->menuAbout->setText(QStringLiteral("&About ") + platform::kAppTitle);
    updateCaption();
    fillGraphScaleLists();
    configPanel_->InitSliderMultipliers();
    loadControlValues();
    for (int i = 0; i < kConfigFieldCount; ++i)
        configPanel_->txtConfig_LostFocus(i);
    readings_->Form_Load();
    graph_->startUp(kStartUpPoints);
    createLogWindow();
}

// The size the window opens at until it has a placement of its own: as large as it would like,
// but no larger than the screen leaves room for, frame and all.
void frmMain::fitToScreen() {
    QSize size = sizeHint();
    if (const QScreen* shown = screen())
        size = size.boundedTo(shown->availableSize() - kFrameAllowance);
    resize(size.expandedTo(minimumSizeHint()));
}

// A configuration named in the settings that no longer exists is no error: the controls come
// from the default file and the name stays, so the exit saves under it. One that exists but
// cannot be read is reported, and the default file is used as well.
void frmMain::loadControlValues() {
    const std::string path = application_.session().configPath();
    if (!path.empty() && FormUtility::FileExists(path)) {
        if (LoadConfigFile(path))
            return;
        FormUtility::ShowCurrentError(ConfigFileCommands::kLoadFailureComment);
    }
    settings::LoadFormControls(
        *this, registry_, settings::DefaultFormFile(*this),
        [this](const settings::RegisteredControl& c) { controlLostFocus(c); });
}

diagnostics::oofLog* frmMain::logWindow() const {
    return oofLog_;
}

void frmMain::createLogWindow() {
    oofLog_ = new diagnostics::oofLog;
    oofLog_->show();
    oofLog_->setWindowTitle(QStringLiteral("Application Log"));
    oofLog_->echoErrors(application_.errorQueue());
    application_.errorQueue().EnableLOGOutput();
}

// The window is not active while a file loads, so no focus events come: each control's
// focus-loss handling is run directly instead.
void frmMain::controlLostFocus(const settings::RegisteredControl& control) {
    if (control.kind == settings::ControlKind::NumericField)
        control.widget->setProperty("Text", control.widget->property("Text"));
    if (control.name == QLatin1String("txtConfig") && control.index)
        configPanel_->txtConfig_LostFocus(*control.index);
    else if (control.name == QLatin1String("txtGraphTime") ||
             control.name == QLatin1String("txtGraphVoltage"))
        graph_->UpdateGraphRoundingLabels();
}

void frmMain::updateCaption() {
    const Session& session = application_.session();
    setWindowTitle(
        QString::fromStdString(windowCaption(session.configPath(), session.runRecord())));
}

bool frmMain::LoadConfigFile(const std::string& path) {
    return configFiles_->LoadConfigFile(path);
}

std::vector<std::string> frmMain::LoadRunConfiguration(const std::string& path) {
    return configFiles_->LoadRunConfiguration(path);
}

std::vector<std::string> frmMain::ApplyFormValues(const settings::IniDocument& document) {
    return configFiles_->ApplyFormValues(document);
}

bool frmMain::SaveConfigFile(const std::string& path) {
    return configFiles_->SaveConfigFile(path);
}

void frmMain::itemLoadConfig_Click() {
    configFiles_->itemLoadConfig_Click();
}

void frmMain::itemSave_Click() {
    configFiles_->itemSave_Click();
}

void frmMain::itemSaveAs_Click() {
    configFiles_->itemSaveAs_Click();
}

void frmMain::fillGraphScaleLists() {
    QStringList items;
    for (const std::string& item : chart::graphScaleListItems())
        items << QString::fromStdString(item);
    const GraphSettingsFrame& settings = *leftColumn_->frameGraphSettings();
    for (auto list :
         {&GraphSettingsFrame::cmbGraphCapacitance, &GraphSettingsFrame::cmbGraphCurrent}) {
        QComboBox* low = (settings.*list)(0);
        QComboBox* high = (settings.*list)(1);
        low->clear();
        high->clear();
        low->addItems(items);
        high->addItems(items);
        low->setCurrentIndex(chart::kScaleList0DefaultPosition);
        high->setCurrentIndex(chart::kScaleList1DefaultPosition);
    }
}

void frmMain::EnableDisableConfiguration(bool bEnabled) {
    configPanel_->enablePanel(bEnabled);
    leftColumn_->txtPathToData()->setEnabled(bEnabled);
    leftColumn_->chkSaveToFile()->setEnabled(bEnabled);
    leftColumn_->cmdBrowse()->setEnabled(bEnabled);
    menus_->menuFile->setEnabled(bEnabled);
    menus_->menuFile->menuAction()->setEnabled(bEnabled);
    sampleFields_->row()->setEnabled(bEnabled);
    leftColumn_->cmdEditGraph()->setEnabled(bEnabled);
}

void frmMain::EnableDisableFromData() {
    configPanel_->EnableDisableFromData();
}

hp4140::TestConfig& frmMain::Form_SaveConfig() {
    hp4140::TestConfig& config = application_.testConfig();
    config = testConfigFrom(configPanel_->settings());
    return config;
}

void frmMain::resetReadings(PreviousRun previous) {
    readings_->keepPreviousRun(previous == PreviousRun::AsChecked &&
                               leftColumn_->chkKeepPreviousRun()->isChecked());
    readings_->resetReadings();
    analyse_->readingsReset();
}

void frmMain::fileReading(std::unique_ptr<HP4140DataType> reading, std::int32_t iMeasIndex) {
    readings_->fileReading(std::move(reading), iMeasIndex);
}

// The record written, the results of an analysis made from now on go into it too.
bool frmMain::SaveData(std::string_view record) {
    const bool saved = readings_->SaveData(record);
    const std::optional<std::string>& written = readings_->dataFile().lastWritten();
    if (saved && !record.empty() && written)
        analyse_->setRunRecord(datafile::runRecordPathOf(*written));
    return saved;
}

std::vector<std::pair<std::string, std::string>> frmMain::analysisRecordLines() {
    return analyse_->analyseForRecord();
}

// Unwatched, the window still counts as shown, so a configuration loads into it as into a shown
// window, but it is put on no screen and never painted. A hidden log window keeps its lines and
// lays them out only once it is shown.
void frmMain::setOnlookers(table::Onlookers onlookers) {
    const bool watched = onlookers == table::Onlookers::Window;
    readings_->setOnlookers(onlookers);
    setAttribute(Qt::WA_DontShowOnScreen, !watched);
    setUpdatesEnabled(watched);
    if (oofLog_)
        oofLog_->setVisible(watched);
}

void frmMain::showReadings(const datafile::DataFileContents& contents) {
    Graph_Init(static_cast<std::int32_t>(contents.lines.size()));
    readings_->showReadings(contents);
    analyse_->readingsReset();
    analyse_->analyse();
}

// The chart a test starts with follows the graph settings (log or linear, symbols, polarity,
// scales), whether or not the settings view was opened since they were loaded.
void frmMain::Graph_Init(std::int32_t expectedPoints) {
    graph_->Graph_Init(expectedPoints);
    graph_->Graph_LoadSettings();
}

void frmMain::closeGraphSettings() {
    graph_->closeGraphSettings();
}

// The graph settings read the chosen option themselves.
void frmMain::optionXAxis_Click(int /*Index*/) {
    readings_->switchXAxis(graph_->graphSettings());
}

bool frmMain::testRunning() const {
    return testRun_ && testRun_->TestRunning();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (testRunning()) {
        beep_();
        beep_();
        event->ignore();
        return;
    }
    settings::runGuarded([this] { Form_Unload(); });
    event->accept();
}

// Runs while the window is still shown, so its controls can be saved. A set-up taken from a run
// record goes to the window's default file, which becomes the configuration in use, so the next
// start shows the same panel and no named configuration is replaced unasked.
void frmMain::Form_Unload() {
    Session& session = application_.session();
    const bool fromRun = !session.runRecord().empty();
    SaveConfigFile(fromRun ? std::string() : session.configPath());
    settings::SaveFormPlacement(*this);
    const std::filesystem::path& program = platform::programFolders().program;
    settings::SaveAppSettings(program, session.configPath());
    if (fromRun)
        settings::ForgetConfigPath(program);
    const SampleIdentity& sample = session.sample();
    settings::SaveSample(program,
                         {sample.sample, sample.device, sample.operatorName, sample.comment});
    // Closed for good, so no window keeps the program running.
    if (oofLog_)
        oofLog_->Kill();
}

} // namespace app
