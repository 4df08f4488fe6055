#pragma once

#include <QTreeWidget>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace table {
class ReadingsArea;
}

namespace app {

// What the browser's commands do beyond the list: the window's.
struct RunBrowserActions {
    // "Use these settings": the run record's set-up onto the panel.
    std::function<void(const std::filesystem::path& record)> useSettings;
    // "Show run record": its text, for reading.
    std::function<void(const std::filesystem::path& record)> showRecord;
    // "Open its folder": the file manager on the data file's folder.
    std::function<void(const std::filesystem::path& folder)> openFolder;
    // The run record's set-up, one line a field ("Start Voltage = 0 V"), for the tooltip.
    std::function<std::string(const std::filesystem::path& record)> setUp;
};

// The runs beside the table: this session's tests, the previous run, the data files opened to
// compare with and a series' steps, each with its name, sample and device, function, outcome,
// readings and a colour swatch. The box before a run shows it on the chart or hides it; a run
// of another quantity than the chart's is listed but cannot be shown, and says why. The context
// menu changes a run's colour, removes it, uses its settings, shows its record, opens its
// folder. Hovering a run shows its set-up.
class RunBrowser final : public QTreeWidget {
    Q_OBJECT

public:
    enum Column { Shown, Name, Sample, Function, Outcome, Readings, ColumnCount };

    RunBrowser(table::ReadingsArea& readings, RunBrowserActions actions, QWidget* parent);

    // The commands of the context menu, for the run in that row.
    void setShown(int row, bool shown);
    void setColour(int row, std::uint32_t rgb);
    void removeRun(int row);
    void useSettings(int row) const;
    void showRecord(int row) const;
    void openFolder(int row) const;
    // Whether the run of that row can go on the chart: its quantity is the chart's; why not.
    std::string whyNotShown(int row) const;

private:
    void rebuild();
    void fillRow(QTreeWidgetItem& item, int row);
    void contextMenu(const QPoint& at);
    void chooseColour(int row);
    std::filesystem::path recordOf(int row) const;
    std::optional<int> rowOf(std::uint64_t key) const;
    QString setUpOf(int row);

    table::ReadingsArea& readings_;
    RunBrowserActions actions_;
    std::map<std::filesystem::path, QString> setUps_;
    bool rebuilding_ = false;
};

} // namespace app
