#pragma once

#include <QObject>

#include <filesystem>

namespace chart {
class LiveChart;
}

namespace datafile {
class DataFile;
}

namespace app {

class FileDialogs;
struct FileDialogRequest;

// "Save chart as…" of the chart's context menu: the save dialog for a PNG or PDF file, then the
// chart written there at the report size, or a TSV file of the points the view shows. A failure is
// shown and nothing else changes.
class ChartFileCommands final : public QObject {
    Q_OBJECT

public:
    // Becomes a child of the chart and handles its save command from then on. The dialog starts
    // beside the data file and names the picture after it.
    ChartFileCommands(chart::LiveChart& chart, FileDialogs& dialogs,
                      const datafile::DataFile& dataFile);

    void saveChartAs();

    static constexpr const char* kSaveTitle = "Save Chart As...";
    static constexpr const char* kSaveFailureComment = "The chart could not be saved.";

private:
    FileDialogRequest dialogRequest() const;

    chart::LiveChart& chart_;
    FileDialogs& dialogs_;
    const datafile::DataFile& dataFile_;
};

} // namespace app
