#include "chart_file_commands.h"

#include "app/chart/chart_export.h"
#include "app/chart/live_chart.h"
#include "app/datafile/data_file.h"
#include "app/datafile/file_dialogs.h"
#include "settings/guarded.h"

#include <QAction>

namespace app {

ChartFileCommands::ChartFileCommands(chart::LiveChart& chart, FileDialogs& dialogs,
                                     const datafile::DataFile& dataFile)
    : QObject(&chart), chart_(chart), dialogs_(dialogs), dataFile_(dataFile) {
    connect(chart.saveAction(), &QAction::triggered, this,
            [this] { settings::runGuarded([this] { saveChartAs(); }, kSaveFailureComment); });
}

// Beside the data file, named after it, where there is one; otherwise in the data folder.
FileDialogRequest ChartFileCommands::dialogRequest() const {
    FileDialogRequest request;
    request.title = kSaveTitle;
    const std::filesystem::path data = dataFile_.path();
    request.folder = dataFile_.folder();
    if (!data.empty())
        request.fileName = data.stem().string() + ".png";
    request.filters = {"PNG image (*.png)", "PDF document (*.pdf)",
                       "Points of the view, tab-separated (*.tsv)"};
    request.defaultSuffix = "png";
    request.confirmOverwrite = true;
    return request;
}

void ChartFileCommands::saveChartAs() {
    if (const auto path = dialogs_.getSaveFileName(dialogRequest()))
        chart::saveChart(chart_, *path, platform::kReportPictureSize);
}

} // namespace app
