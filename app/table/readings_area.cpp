#include "readings_area.h"

#include "app/datafile/data_path.h"
#include "settings/guarded.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace table {

ReadingsArea::ReadingsArea(const ReadingsWidgets& widgets, app::FileDialogs& dialogs,
                           const std::filesystem::path& programFolder,
                           datafile::DataCollection& readings)
    : QObject(widgets.Data), txtPathToData_(widgets.txtPathToData), readings_(readings),
      table_(new MeasurementTable(widgets.Data)),
      display_(widgets.labels, *table_, *widgets.graph1, readings),
      dataFile_(dialogs, programFolder) {
    connect(widgets.cmdBrowse, &QPushButton::clicked, this,
            settings::guarded([this] { cmdBrowse_Click(); }));
}

void ReadingsArea::Form_Load() {
    table_->setupColumns();
    datafile::AppDataPath() = txtPathToData_->text().toStdString();
}

bool ReadingsArea::SaveData() {
    return dataFile_.SaveData(readings_, display_.units().toStdString());
}

std::optional<std::string>
ReadingsArea::SaveDataUnasked(std::chrono::system_clock::time_point now) {
    return dataFile_.SaveDataUnasked(readings_, display_.units().toStdString(), now);
}

void ReadingsArea::cmdBrowse_Click() {
    txtPathToData_->setText(QString::fromStdString(dataFile_.browse()));
}

} // namespace table
