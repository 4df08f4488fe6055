#include "readings_area.h"

#include "app/chart/chart_readings.h"
#include "app/chart/live_chart.h"
#include "app/session/data_path_template.h"
#include "settings/guarded.h"
#include "units.h"

#include <QLabel>

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace table {

ReadingsArea::ReadingsArea(const ReadingsWidgets& widgets, app::FileDialogs& dialogs,
                           const std::filesystem::path& programFolder, const ReadingsState& state)
    : QObject(widgets.Data), txtPathToData_(widgets.txtPathToData),
      lblDataFileName_(widgets.lblDataFileName), chart_(*widgets.graph1), readings_(state.readings),
      session_(state.session), test_(state.test), table_(new MeasurementTable(widgets.Data)),
      display_(widgets.labels, *table_, *widgets.graph1, state.readings, state.test),
      dataFile_(dialogs, programFolder, state.session) {
    connect(widgets.cmdBrowse, &QPushButton::clicked, this,
            settings::guarded([this] { cmdBrowse_Click(); }));
    sessionShown_ = session_.observe([this](app::Session::Change change) {
        if (change == app::Session::Change::DataTemplate)
            showDataPath();
        if (change == app::Session::Change::Sample)
            showDataFileName();
    });
    connect(txtPathToData_, &QLineEdit::textChanged, this, [this] { showDataFileName(); });
}

void ReadingsArea::Form_Load() {
    table_->setupColumns();
    takeTypedDataPath();
}

void ReadingsArea::takeTypedDataPath() {
    session_.setDataTemplate(txtPathToData_->text().toStdString());
}

void ReadingsArea::showDataPath() {
    const QString shown = QString::fromStdString(session_.dataTemplate());
    if (txtPathToData_->text() != shown)
        txtPathToData_->setText(shown);
}

// A path with placeholders shows the name it gives now; the test's start fills it in anew.
void ReadingsArea::showDataFileName() {
    if (!lblDataFileName_)
        return;
    const std::string typed = txtPathToData_->text().toStdString();
    lblDataFileName_->setVisible(app::hasPlaceholders(typed));
    if (!lblDataFileName_->isVisibleTo(lblDataFileName_->parentWidget()))
        return;
    const std::string name =
        std::filesystem::path(
            app::expandDataPath(typed, app::dataPathValuesFor(session_, test_.iFunction,
                                                              std::chrono::system_clock::now())))
            .filename()
            .string();
    lblDataFileName_->setText(QStringLiteral("\u2192 ") + QString::fromStdString(name));
}

void ReadingsArea::setFrameLimited(bool limited) {
    table_->setFrameLimited(limited);
    chart_.setFrameLimited(limited);
}

void ReadingsArea::setOnlookers(Onlookers onlookers) {
    onlookers_ = onlookers;
    display_.setOnlookers(onlookers);
    chart_.setUnwatched(onlookers != Onlookers::Window);
}

void ReadingsArea::switchXAxis(const chart::GraphSettings& settings) {
    xAxisIsTime_ = settings.xAxisIsTime;
    display_.switchXAxis(settings);
    showReferences();
}

bool ReadingsArea::SaveData(std::string_view record) {
    return dataFile_.SaveData(readings_, display_.units().toStdString(), record);
}

datafile::DataFile::UnaskedSave
ReadingsArea::SaveDataUnasked(std::chrono::system_clock::time_point now, std::string_view record) {
    return dataFile_.SaveDataUnasked(readings_, display_.units().toStdString(), now, record);
}

// A cancelled dialog leaves the data path, and the box shows it again.
void ReadingsArea::cmdBrowse_Click() {
    dataFile_.browse();
    showDataPath();
}

datafile::OpenedReference ReadingsArea::openReference(const std::filesystem::path& path) {
    const datafile::OpenedReference opened = references_.open(path, chartUnits());
    showReferences();
    return opened;
}

void ReadingsArea::clearReferences() {
    references_.clear();
    showReferences();
}

void ReadingsArea::keepPreviousRun(bool keep) {
    if (keep)
        references_.keepPreviousRun(readings_, dataFile_.lastWritten(),
                                    display_.units().toStdString());
    else
        references_.dropPreviousRun();
    showReferences();
}

void ReadingsArea::showReferences() {
    chart::showReferences(chart_, references_, xAxisIsTime_, chartUnits());
    emit runsChanged();
}

std::size_t ReadingsArea::listRun(datafile::ReferenceRun run) {
    const std::size_t at = references_.add(std::move(run));
    showReferences();
    return at;
}

std::vector<std::uint64_t> ReadingsArea::listRuns(std::vector<datafile::ReferenceRun> runs) {
    std::vector<std::uint64_t> keys;
    for (datafile::ReferenceRun& run : runs)
        keys.push_back(references_.runs().at(references_.add(std::move(run))).key);
    showReferences();
    return keys;
}

void ReadingsArea::changeRun(std::size_t i,
                             const std::function<void(datafile::ReferenceRun&)>& change) {
    if (i >= references_.runs().size())
        return;
    change(references_.at(i));
    showReferences();
}

void ReadingsArea::relabelRun(std::uint64_t key,
                              const std::function<void(datafile::ReferenceRun&)>& change) {
    if (const auto i = references_.find(key)) {
        change(references_.at(*i));
        emit runRelabelled(*i);
    }
}

void ReadingsArea::removeRun(std::size_t i) {
    references_.remove(i);
    showReferences();
}

// The replies stay in the data file; the list keeps only what the chart draws.
datafile::ReferenceRun ReadingsArea::endedRun(const std::string& name) const {
    datafile::ReferenceRun run;
    run.name = name;
    run.source = datafile::ReferenceRun::Source::Session;
    run.units = display_.units().toStdString();
    run.shown = false;
    if (const auto& written = dataFile_.lastWritten())
        run.dataFile = *written;
    run.readings.reserve(readings_.Count());
    for (const auto& reading : readings_) {
        run.readings.push_back(*reading);
        run.readings.back().RawData = {};
    }
    return run;
}

std::string ReadingsArea::chartUnits() const {
    return unitsCaption(test_.iFunction);
}

} // namespace table
