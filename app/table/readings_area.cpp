#include "readings_area.h"

#include "app/datafile/data_path.h"
#include "chart_readings.h"
#include "settings/guarded.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace table {

ReadingsArea::ReadingsArea(const ReadingsWidgets& widgets, app::FileDialogs& dialogs,
                           const std::filesystem::path& programFolder,
                           datafile::DataCollection& readings)
    : QObject(widgets.Data), txtPathToData_(widgets.txtPathToData), chart_(*widgets.graph1),
      readings_(readings), table_(new MeasurementTable(widgets.Data)),
      display_(widgets.labels, *table_, *widgets.graph1, readings),
      dataFile_(dialogs, programFolder) {
    connect(widgets.cmdBrowse, &QPushButton::clicked, this,
            settings::guarded([this] { cmdBrowse_Click(); }));
}

void ReadingsArea::Form_Load() {
    table_->setupColumns();
    datafile::AppDataPath() = txtPathToData_->text().toStdString();
}

void ReadingsArea::switchXAxis(const chart::GraphSettings& settings) {
    display_.switchXAxis(settings);
    showReferences(settings.xAxisIsTime);
}

bool ReadingsArea::SaveData(std::string_view record) {
    return dataFile_.SaveData(readings_, display_.units().toStdString(), record);
}

std::optional<std::string> ReadingsArea::SaveDataUnasked(std::chrono::system_clock::time_point now,
                                                         std::string_view record) {
    return dataFile_.SaveDataUnasked(readings_, display_.units().toStdString(), now, record);
}

void ReadingsArea::cmdBrowse_Click() {
    txtPathToData_->setText(QString::fromStdString(dataFile_.browse()));
}

datafile::OpenedReference ReadingsArea::openReference(const std::filesystem::path& path,
                                                      bool xAxisIsTime) {
    const datafile::OpenedReference opened = references_.open(path);
    showReferences(xAxisIsTime);
    return opened;
}

void ReadingsArea::clearReferences(bool xAxisIsTime) {
    references_.clear();
    showReferences(xAxisIsTime);
}

void ReadingsArea::keepPreviousRun(bool keep, bool xAxisIsTime) {
    if (keep)
        references_.keepPreviousRun(readings_, dataFile_.lastWritten());
    else
        references_.dropPreviousRun();
    showReferences(xAxisIsTime);
}

void ReadingsArea::showReferences(bool xAxisIsTime) {
    table::showReferences(chart_, references_, xAxisIsTime);
}

} // namespace table
