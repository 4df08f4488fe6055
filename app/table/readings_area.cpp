#include "readings_area.h"

#include "app/chart/chart_readings.h"
#include "app/chart/live_chart.h"
#include "settings/guarded.h"
#include "units.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace table {

ReadingsArea::ReadingsArea(const ReadingsWidgets& widgets, app::FileDialogs& dialogs,
                           const std::filesystem::path& programFolder, const ReadingsState& state)
    : QObject(widgets.Data), txtPathToData_(widgets.txtPathToData), chart_(*widgets.graph1),
      readings_(state.readings), dataPath_(state.dataPath), test_(state.test),
      table_(new MeasurementTable(widgets.Data)),
      display_(widgets.labels, *table_, *widgets.graph1, state.readings, state.test),
      dataFile_(dialogs, programFolder, state.dataPath) {
    connect(widgets.cmdBrowse, &QPushButton::clicked, this,
            settings::guarded([this] { cmdBrowse_Click(); }));
}

void ReadingsArea::Form_Load() {
    table_->setupColumns();
    dataPath_ = txtPathToData_->text().toStdString();
}

void ReadingsArea::setFrameLimited(bool limited) {
    table_->setFrameLimited(limited);
    chart_.setFrameLimited(limited);
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

void ReadingsArea::cmdBrowse_Click() {
    txtPathToData_->setText(QString::fromStdString(dataFile_.browse()));
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
}

std::string ReadingsArea::chartUnits() const {
    return unitsCaption(test_.iFunction);
}

} // namespace table
