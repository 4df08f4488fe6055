#pragma once

#include <QWidget>

class QCheckBox;
class QHBoxLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSplitter;
class QStackedWidget;
class QTableView;

namespace chart {
class LiveChart;
}

namespace settings {
class ControlRegistry;
}

namespace app {

class FieldDescriptions;
class GraphSettingsFrame;
class OptionGroup;
class StatusRow;

// The left half of the main window, top to bottom: the title and the graph-type frame, the view
// selector and the Analyse button, the chart or its settings view in the same place (the analyse
// panel beside it), the status row, the measurement table and the data-file controls.
class LeftColumn : public QWidget {
    Q_OBJECT

public:
    LeftColumn(const FieldDescriptions& fields, settings::ControlRegistry& registry,
               QWidget* parent);

    QLabel* lblAppInfo() const { return lblAppInfo_; }
    OptionGroup& optionXAxis() const { return *optionXAxis_; }
    // The chart's view: the curve's own, or another of its views.
    QComboBox* cmbChartView() const { return cmbChartView_; }
    // "Keep previous run": kept with the program's settings, not with a configuration.
    QCheckBox* chkKeepPreviousRun() const { return chkKeepPreviousRun_; }
    QPushButton* cmdEditGraph() const { return cmdEditGraph_; }
    QPushButton* cmdPrint() const { return cmdPrint_; }
    chart::LiveChart* graph1() const { return graph1_; }
    GraphSettingsFrame* frameGraphSettings() const { return frameGraphSettings_; }
    // Shows the settings view (true) or the chart (false) in the chart's place.
    void showGraphSettings(bool show);
    // The panel stands beside the chart, shown while "Analyse" is checked.
    void placeBesideChart(QWidget* panel);
    QPushButton* cmdAnalyse() const { return cmdAnalyse_; }
    StatusRow* statusRow() const { return statusRow_; }
    QTableView* Data() const { return data_; }
    QLineEdit* txtPathToData() const { return txtPathToData_; }
    QCheckBox* chkSaveToFile() const { return chkSaveToFile_; }
    QPushButton* cmdBrowse() const { return cmdBrowse_; }
    // The data file a path with placeholders will name ("→ W12_D3_IV.txt"), hidden otherwise.
    QLabel* lblDataFileName() const { return lblDataFileName_; }
    // A row of the window's own (the sample's fields) goes just above the data-file row.
    void placeAboveDataFileRow(QWidget* row);
    // The list of runs goes to the table's right.
    void placeBesideTable(QWidget* widget);

private:
    QWidget* createTopRow(settings::ControlRegistry& registry);
    QWidget* createViewRow(settings::ControlRegistry& registry);
    QWidget* createDataFileRow(settings::ControlRegistry& registry);

    QLabel* lblAppInfo_ = nullptr;
    OptionGroup* optionXAxis_ = nullptr;
    QComboBox* cmbChartView_ = nullptr;
    QCheckBox* chkKeepPreviousRun_ = nullptr;
    QPushButton* cmdEditGraph_ = nullptr;
    QPushButton* cmdAnalyse_ = nullptr;
    QHBoxLayout* chartRow_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    QStackedWidget* chartArea_ = nullptr;
    chart::LiveChart* graph1_ = nullptr;
    GraphSettingsFrame* frameGraphSettings_ = nullptr;
    QScrollArea* graphSettingsPage_ = nullptr;
    StatusRow* statusRow_ = nullptr;
    QSplitter* tableRow_ = nullptr;
    QTableView* data_ = nullptr;
    QLineEdit* txtPathToData_ = nullptr;
    QCheckBox* chkSaveToFile_ = nullptr;
    QPushButton* cmdBrowse_ = nullptr;
    QLabel* lblDataFileName_ = nullptr;
    QWidget* dataFileRow_ = nullptr;
};

} // namespace app
