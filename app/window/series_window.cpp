#include "series_window.h"

#include "app/datafile/file_dialogs.h"
#include "app/series/series_file.h"
#include "app/series/step_edits.h"
#include "frm_main.h"
#include "platform/app_error.h"
#include "platform/folders.h"
#include "platform/message_box.h"
#include "series_driver.h"
#include "settings/guarded.h"
#include "test_run_panel.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

namespace app {

namespace {

enum Column { Device, Label, Value, Changes, Setup, ColumnCount };

QPushButton* button(const QString& caption, const char* name, QWidget* parent) {
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(name);
    made->setAutoDefault(false);
    return made;
}

QLineEdit* lineEdit(const char* name, const QString& hint, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setPlaceholderText(hint);
    return edit;
}

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

std::string text(const QLineEdit* edit) {
    return edit->text().trimmed().toStdString();
}

FileDialogRequest seriesRequest(const char* title, const std::filesystem::path& folder) {
    FileDialogRequest request;
    request.title = title;
    request.folder = folder;
    request.filters = {"Series (*.series.ini)", "All (*.*)"};
    request.defaultSuffix = "series.ini";
    return request;
}

int selectedRow(const QTableWidget& table) {
    const QList<QTableWidgetSelectionRange> ranges = table.selectedRanges();
    return ranges.isEmpty() ? table.currentRow() : ranges.first().topRow();
}

} // namespace

SeriesWindow::SeriesWindow(frmMain& window, TestRunPanel& panel, Session& session)
    : QDialog(&window), window_(window), panel_(panel), session_(session) {
    setObjectName("frmSeries");
    setWindowTitle("Series");
    editing_ = new QWidget(this);
    auto* editing = new QVBoxLayout(editing_);
    editing->setContentsMargins(0, 0, 0, 0);
    editing->addWidget(createSettings());
    editing->addWidget(createStepMaker());
    editing->addWidget(createStepsTable(), 1);
    txtLog_ = new QPlainTextEdit(this);
    txtLog_->setObjectName("txtLog");
    txtLog_->setReadOnly(true);
    txtLog_->setMaximumBlockCount(2000);
    txtLog_->setFixedHeight(fontMetrics().height() * 5);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(editing_, 1);
    layout->addWidget(txtLog_);
    layout->addWidget(createButtons());
    resize(fontMetrics().averageCharWidth() * 100, fontMetrics().height() * 36);
    enableEditing();
}

SeriesWindow::~SeriesWindow() = default;

QWidget* SeriesWindow::createSettings() {
    auto* box = new QWidget(editing_);
    auto* form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);
    txtTemplate_ = lineEdit("txtTemplate", "{sample}-{device}-{step}.txt", box);
    txtTemplate_->setToolTip("The data file of every step: {sample}, {device}, {function}, "
                             "{date}, {time}, {step} and {value} are filled in as it starts. A "
                             "relative one is in the program folder's data folder.");
    form->addRow("Data files:", txtTemplate_);
    auto* row = new QHBoxLayout;
    chkPause_ = new QCheckBox("Pause between steps, to move the probe", box);
    chkPause_->setObjectName("chkPause");
    cmbOnRefusal_ = new QComboBox(box);
    cmbOnRefusal_->setObjectName("cmbOnRefusal");
    cmbOnRefusal_->addItems({"goes on with the next step", "stops the series"});
    row->addWidget(chkPause_);
    row->addStretch(1);
    row->addWidget(new QLabel("A step refused at Start", box));
    row->addWidget(cmbOnRefusal_);
    form->addRow(row);
    return box;
}

QWidget* SeriesWindow::createStepMaker() {
    auto* box = new QGroupBox("Steps from a field", editing_);
    box->setObjectName("fraStepMaker");
    auto* form = new QFormLayout(box);
    cmbField_ = new QComboBox(box);
    cmbField_->setObjectName("cmbField");
    for (const series::SteppableField& field : window_.panelFields().steppableFields())
        cmbField_->addItem(
            qt(field.unit.empty() ? field.name : field.name + " (" + field.unit + ")"),
            qt(field.key));
    txtValues_ = lineEdit("txtValues", "0, 1, 2  or  0 to 2 by 0.5", box);
    txtDevices_ = lineEdit("txtDevices", "D1, D2, D3 (each device all values; none: once)", box);
    txtSetup_ = lineEdit("txtSetup", "the panel as the series starts", box);
    auto* setupRow = new QHBoxLayout;
    setupRow->addWidget(txtSetup_, 1);
    QPushButton* browse = button("Browse…", "cmdBrowseSetup", box);
    setupRow->addWidget(browse);
    QPushButton* make = button("Make steps", "cmdMakeSteps", box);
    form->addRow("Field:", cmbField_);
    form->addRow("Values:", txtValues_);
    form->addRow("Devices:", txtDevices_);
    form->addRow("Set-up:", setupRow);
    form->addRow(make);
    connect(browse, &QPushButton::clicked, this, settings::guarded([this] { chooseSetup(); }));
    connect(make, &QPushButton::clicked, this, settings::guarded([this] { makeSteps(); }));
    return box;
}

QWidget* SeriesWindow::createStepsTable() {
    auto* box = new QWidget(editing_);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    tblSteps_ = new QTableWidget(0, ColumnCount, box);
    tblSteps_->setObjectName("tblSteps");
    tblSteps_->setHorizontalHeaderLabels({"Device", "Label", "Value", "Changes", "Set-up"});
    tblSteps_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tblSteps_->horizontalHeader()->setStretchLastSection(true);
    tblSteps_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblSteps_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(tblSteps_, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (!showing_)
            settings::runGuarded([&] { takeCell(row, column); });
    });
    auto* buttons = new QHBoxLayout;
    const auto add = [&](const QString& caption, const char* name, auto&& action) {
        QPushButton* made = button(caption, name, box);
        connect(made, &QPushButton::clicked, this, settings::guarded(action));
        buttons->addWidget(made);
    };
    add("Add", "cmdAddStep", [this] {
        editSteps([](series::SeriesPlan& plan, std::size_t) { return series::addStep(plan); },
                  false);
    });
    add("Duplicate", "cmdDuplicateStep", [this] { editSteps(&series::duplicateStep, true); });
    add("Remove", "cmdRemoveStep", [this] { removeSelected(); });
    add("Up", "cmdStepUp", [this] { moveSelected(true); });
    add("Down", "cmdStepDown", [this] { moveSelected(false); });
    buttons->addStretch(1);
    add("Load…", "cmdLoadSeries", [this] { chooseLoad(); });
    add("Save…", "cmdSaveSeries", [this] { chooseSave(); });
    layout->addWidget(tblSteps_, 1);
    layout->addLayout(buttons);
    return box;
}

QWidget* SeriesWindow::createButtons() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    cmdStartSeries_ = button("Start series", "cmdStartSeries", box);
    cmdStopSeries_ = button("Stop series", "cmdStopSeries", box);
    cmdStopSeries_->setToolTip("The step that runs goes on to its end (Abort ends it); no other "
                               "starts.");
    QPushButton* close = button("Close", "cmdClose", box);
    row->addWidget(cmdStartSeries_);
    row->addWidget(cmdStopSeries_);
    row->addStretch(1);
    row->addWidget(close);
    connect(cmdStartSeries_, &QPushButton::clicked, this,
            settings::guarded([this] { startSeries(); }));
    connect(cmdStopSeries_, &QPushButton::clicked, this,
            settings::guarded([this] { stopSeries(); }));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    return box;
}

void SeriesWindow::refuse(const std::string& text) const {
    platform::messageBox().show(text, platform::kAppTitle,
                                platform::mb::OkOnly | platform::mb::Exclamation);
}

void SeriesWindow::showPlan() {
    txtTemplate_->setText(qt(plan_.dataTemplate));
    chkPause_->setChecked(plan_.pause);
    cmbOnRefusal_->setCurrentIndex(plan_.onRefusal == series::OnRefusal::Stop ? 1 : 0);
    if (plan_.stepped) {
        const int field = cmbField_->findData(qt(plan_.stepped->field));
        if (field >= 0)
            cmbField_->setCurrentIndex(field);
        txtValues_->setText(qt(series::valuesText(*plan_.stepped)));
        txtDevices_->setText(qt(series::joinList(plan_.stepped->devices)));
        txtSetup_->setText(qt(plan_.stepped->setup));
    }
    showSteps();
}

void SeriesWindow::showSteps() {
    showing_ = true;
    tblSteps_->setRowCount(static_cast<int>(plan_.steps.size()));
    for (int row = 0; row < tblSteps_->rowCount(); ++row) {
        const series::SeriesStep& step = plan_.steps[static_cast<std::size_t>(row)];
        const std::array<std::string, ColumnCount> cells{
            step.device, step.label, step.value, series::changesText(step.changes), step.setup};
        for (int column = 0; column < ColumnCount; ++column)
            tblSteps_->setItem(row, column,
                               new QTableWidgetItem(qt(cells[static_cast<std::size_t>(column)])));
    }
    showing_ = false;
}

// A cell typed into changes its step. A change that cannot be used is refused; the cell keeps
// the text, marked, for correcting, while the step keeps what it had.
void SeriesWindow::takeCell(int row, int column) {
    series::SeriesStep& step = plan_.steps.at(static_cast<std::size_t>(row));
    QTableWidgetItem& item = *tblSteps_->item(row, column);
    const std::string typed = item.text().trimmed().toStdString();
    try {
        switch (column) {
        case Device:
            step.device = typed;
            break;
        case Label:
            step.label = typed;
            break;
        case Value:
            step.value = typed;
            break;
        case Changes:
            step.changes = series::parseChanges(typed, window_.panelFields());
            break;
        case Setup:
            step.setup = typed;
            break;
        default:
            return;
        }
        plan_.stepped.reset();
    } catch (const platform::AppError& error) {
        const std::string why =
            "Step " + std::to_string(row + 1) + ": " + error.description() + ".";
        showing_ = true;
        item.setBackground(QColor(255, 220, 220));
        item.setToolTip(qt(why));
        showing_ = false;
        refuse(why);
        return;
    }
    showSteps();
}

void SeriesWindow::editSteps(std::size_t (*edit)(series::SeriesPlan&, std::size_t), bool needsRow) {
    const int row = selectedRow(*tblSteps_);
    if (needsRow && (row < 0 || row >= static_cast<int>(plan_.steps.size())))
        return;
    const std::size_t now = edit(plan_, static_cast<std::size_t>(std::max(row, 0)));
    showSteps();
    tblSteps_->selectRow(static_cast<int>(now));
}

void SeriesWindow::removeSelected() {
    const int row = selectedRow(*tblSteps_);
    if (row < 0)
        return;
    series::removeStep(plan_, static_cast<std::size_t>(row));
    showSteps();
    tblSteps_->selectRow(std::min(row, tblSteps_->rowCount() - 1));
}

void SeriesWindow::moveSelected(bool up) {
    const int row = selectedRow(*tblSteps_);
    if (row < 0)
        return;
    const std::size_t now = series::moveStep(plan_, static_cast<std::size_t>(row), up);
    showSteps();
    tblSteps_->selectRow(static_cast<int>(now));
}

bool SeriesWindow::makeSteps() {
    series::SteppedField stepped;
    stepped.field = cmbField_->currentData().toString().toStdString();
    series::setValuesFromText(stepped, text(txtValues_));
    stepped.devices = series::splitList(text(txtDevices_));
    stepped.setup = text(txtSetup_);
    try {
        plan_.steps = series::generateSteps(stepped, window_.panelFields());
    } catch (const platform::AppError& error) {
        refuse("These values make no steps: " + error.description() + ".");
        return false;
    }
    plan_.stepped = std::move(stepped);
    showSteps();
    return true;
}

void SeriesWindow::takeSettings() {
    plan_.dataTemplate = text(txtTemplate_);
    plan_.pause = chkPause_->isChecked();
    plan_.onRefusal =
        cmbOnRefusal_->currentIndex() == 1 ? series::OnRefusal::Stop : series::OnRefusal::Continue;
    const SampleIdentity& sample = session_.sample();
    plan_.sample = sample.sample;
    plan_.operatorName = sample.operatorName;
    plan_.comment = sample.comment;
}

std::filesystem::path SeriesWindow::seriesFileOrDefault() const {
    return file_.value_or(platform::programFolders().program / "series.series.ini");
}

bool SeriesWindow::loadSeries(const std::filesystem::path& file) {
    try {
        plan_ = series::readSeriesFile(file, window_.panelFields());
    } catch (const platform::AppError& error) {
        refuse(error.description() + ".");
        return false;
    }
    file_ = file;
    setWindowTitle("Series - " + qt(series::seriesName(file)));
    // The file's sample is the one measured; one it leaves empty keeps the window's.
    SampleIdentity sample = session_.sample();
    for (auto [from, into] : {std::pair{&plan_.sample, &sample.sample},
                              std::pair{&plan_.operatorName, &sample.operatorName},
                              std::pair{&plan_.comment, &sample.comment}})
        if (!from->empty())
            *into = *from;
    session_.setSample(sample);
    showPlan();
    return true;
}

bool SeriesWindow::saveSeries(const std::filesystem::path& file) {
    takeSettings();
    try {
        series::writeSeriesFile(file, plan_, window_.panelFields());
    } catch (const platform::AppError& error) {
        refuse(error.description() + ".");
        return false;
    }
    file_ = file;
    setWindowTitle("Series - " + qt(series::seriesName(file)));
    return true;
}

void SeriesWindow::chooseSetup() {
    FileDialogRequest request;
    request.title = "Set-up of the steps";
    request.folder = seriesFileOrDefault().parent_path();
    request.filters = {"Configurations and run records (*.ini)", "All (*.*)"};
    request.confirmOverwrite = false;
    if (const auto chosen = window_.fileDialogs().getOpenFileName(request))
        txtSetup_->setText(qt(*chosen));
}

void SeriesWindow::chooseLoad() {
    auto request = seriesRequest("Load series", seriesFileOrDefault().parent_path());
    request.confirmOverwrite = false;
    if (const auto chosen = window_.fileDialogs().getOpenFileName(request))
        loadSeries(*chosen);
}

void SeriesWindow::chooseSave() {
    auto request = seriesRequest("Save series", seriesFileOrDefault().parent_path());
    request.fileName = seriesFileOrDefault().filename().string();
    if (const auto chosen = window_.fileDialogs().getSaveFileName(request))
        saveSeries(*chosen);
}

bool SeriesWindow::startSeries() {
    if (running())
        return false;
    if (plan_.steps.empty()) {
        refuse("The series has no steps: make them from a field, or add them.");
        return false;
    }
    if (panel_.run().TestRunning()) {
        refuse("A test is running: start the series once it has ended.");
        return false;
    }
    if (panel_.manualControl()) {
        refuse("Manual Control holds the instrument: close it to start the series.");
        return false;
    }
    takeSettings();
    txtLog_->clear();
    driver_ = new SeriesDriver(window_, panel_, session_, plan_, seriesFileOrDefault(), this);
    connect(driver_, &SeriesDriver::noted, this, [this](const QString& line) { log(line); });
    connect(driver_, &SeriesDriver::finished, this,
            [this](const QString& text) { finished(text); });
    enableEditing();
    driver_->start();
    return true;
}

void SeriesWindow::stopSeries() {
    if (!running())
        return;
    if (driver_->stepRunning())
        log("The series stops after the step that runs.");
    driver_->stopSeries();
}

bool SeriesWindow::running() const {
    return driver_ && !driver_->over();
}

void SeriesWindow::finished(const QString& text) {
    log(text);
    driver_->deleteLater();
    enableEditing();
}

void SeriesWindow::log(const QString& line) {
    txtLog_->appendPlainText(line);
}

void SeriesWindow::enableEditing() {
    const bool idle = !running();
    editing_->setEnabled(idle);
    cmdStartSeries_->setEnabled(idle);
    cmdStopSeries_->setEnabled(!idle);
}

} // namespace app
